#include "qtgui/painted_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

// Resources of a static library must be registered by hand (again here: the icon may be asked
// for before anything else has done it).
static void initIconResources() {
    Q_INIT_RESOURCE(temura);
}

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

QColor glyphColour() {
    return QColor(40, 40, 40);
}

}  // namespace

QIcon appIcon() {
    // The installed icon's own renderings, up to the largest a window or a tray asks for.
    initIconResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pm;
        if (pm.load(QStringLiteral(":/icons/temura-%1.png").arg(size), "PNG")) icon.addPixmap(pm);
    }
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
    return QIcon(
        draw(16, [](QPainter& p, int) { p.fillRect(QRectF(4, 4, 8, 8), QColor(160, 0, 0)); }));
}

}  // namespace temura
