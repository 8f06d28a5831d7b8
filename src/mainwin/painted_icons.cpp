#include "mainwin/painted_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace temura {

namespace {

QPixmap draw(int size, const std::function<void(QPainter&, int)>& paint) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, size);
    return pm;
}

void paintClockFace(QPainter& p, int s) {
    const QRectF r(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
    p.setPen(QPen(QColor(220, 220, 220), s / 16.0));
    p.setBrush(QColor(20, 20, 28));
    p.drawEllipse(r);
    const QPointF c = r.center();
    p.setPen(QPen(QColor(255, 255, 255), s / 12.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x(), r.top() + s * 0.18));
    p.setPen(QPen(QColor(255, 198, 60), s / 14.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(r.right() - s * 0.22, c.y()));
}

QColor glyphColour() { return QColor(40, 40, 40); }

}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(draw(size, paintClockFace));
    return icon;
}

QIcon startIcon() {
    return QIcon(draw(16, [](QPainter& p, int) {
        QPainterPath path;
        path.moveTo(4, 3);
        path.lineTo(13, 8);
        path.lineTo(4, 13);
        path.closeSubpath();
        p.fillPath(path, QColor(0, 128, 0));
    }));
}

QIcon pauseIcon() {
    return QIcon(draw(16, [](QPainter& p, int) {
        p.fillRect(QRectF(4, 3, 3, 10), glyphColour());
        p.fillRect(QRectF(9, 3, 3, 10), glyphColour());
    }));
}

QIcon stopIcon() {
    return QIcon(draw(16, [](QPainter& p, int) { p.fillRect(QRectF(4, 4, 8, 8), QColor(160, 0, 0)); }));
}

}  // namespace temura
