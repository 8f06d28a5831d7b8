#pragma once

#include <QPoint>

class QWidget;

namespace temura {

// Dragging a borderless window with the left button: the window manager's own move where there
// is one, by hand where there is not.
class WindowDrag {
  public:
    explicit WindowDrag(QWidget& window) : m_window(window) {}

    void press(const QPoint& globalPos);
    // A move with the left button held. The drag starts once the pointer has gone `threshold`
    // pixels from the press; returns whether a drag is under way.
    bool moveTo(const QPoint& globalPos, int threshold = 0);
    // Forgets the press; returns whether a drag was under way.
    bool release();

    bool pressed() const { return m_pressed; }
    bool dragging() const { return m_dragging; }
    // Moved by hand: the window manager could not take the move.
    bool manual() const { return m_manual; }

  private:
    QWidget& m_window;
    bool m_pressed = false;
    bool m_dragging = false;
    bool m_manual = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;
};

}  // namespace temura
