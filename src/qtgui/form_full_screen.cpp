#include "qtgui/form_full_screen.h"

#include <QKeyEvent>

namespace temura {

TFormFullScreen::TFormFullScreen(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setWindowTitle(QString());
    setCursor(Qt::BlankCursor);
    setAutoFillBackground(true);
}

void TFormFullScreen::setBackground(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

void TFormFullScreen::showOver(const QRect& screenArea) {
    // Not showFullScreen(): many window managers stack a full-screen window above the clock.
    setGeometry(screenArea);
    show();
}

void TFormFullScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F10) {
        emit leaveRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace temura
