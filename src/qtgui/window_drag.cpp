#include "qtgui/window_drag.h"

#include <QWidget>
#include <QWindow>

namespace temura {

void WindowDrag::press(const QPoint& globalPos) {
    m_pressed = true;
    m_dragging = false;
    m_manual = false;
    m_pressGlobal = globalPos;
    m_pressWindowPos = m_window.pos();
}

bool WindowDrag::moveTo(const QPoint& globalPos, int threshold) {
    if (!m_pressed) return false;
    if (!m_dragging) {
        if ((globalPos - m_pressGlobal).manhattanLength() < threshold) return false;
        m_dragging = true;
        QWindow* handle = m_window.windowHandle();
        m_manual = !(handle && handle->startSystemMove());
    }
    if (m_manual) m_window.move(m_pressWindowPos + globalPos - m_pressGlobal);
    return true;
}

bool WindowDrag::release() {
    const bool was = m_dragging;
    m_pressed = false;
    m_dragging = false;
    m_manual = false;
    return was;
}

}  // namespace temura
