#include "qtgui/zone_icons_qt.h"

#include <QPainter>
#include <QPixmap>

namespace temura {

namespace {

constexpr int kSize = 16;
const QColor kMaroon(128, 0, 0);
const QColor kSilver(192, 192, 192);
const QColor kGreen(0, 128, 0);

enum class Glyph { Plus, Minus, Zero, Bang };

void drawGlyph(QPainter& p, Glyph glyph, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    switch (glyph) {
        case Glyph::Plus:
            p.drawRect(QRectF(4, 7, 8, 2));
            p.drawRect(QRectF(7, 4, 2, 8));
            break;
        case Glyph::Minus:
            p.drawRect(QRectF(4, 7, 8, 2));
            break;
        case Glyph::Zero:
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(colour, 1.8));
            p.drawEllipse(QRectF(5.2, 3.6, 5.6, 8.8));
            break;
        case Glyph::Bang:
            p.drawRect(QRectF(7, 3, 2, 7));
            p.drawRect(QRectF(7, 11, 2, 2));
            break;
    }
}

QIcon paint(Glyph glyph, const QColor& colour, const QColor& disc) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (disc.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(disc);
        p.drawEllipse(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    }
    drawGlyph(p, glyph, colour);
    return QIcon(pm);
}

}  // namespace

std::array<QIcon, kZoneIconCount> zoneRowIcons() {
    return {
        paint(Glyph::Plus, kSilver, kMaroon),   paint(Glyph::Minus, kSilver, kMaroon),
        paint(Glyph::Zero, kSilver, kMaroon),   paint(Glyph::Plus, kSilver, QColor()),
        paint(Glyph::Minus, kSilver, QColor()), paint(Glyph::Zero, kSilver, QColor()),
        paint(Glyph::Bang, Qt::white, kGreen),
    };
}

}  // namespace temura
