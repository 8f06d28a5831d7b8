#pragma once

#include <QColor>
#include <QWidget>

namespace temura {

// A plain area in the clock's background colour behind the centred clock, pointer hidden.
class TFormFullScreen : public QWidget {
    Q_OBJECT

public:
    explicit TFormFullScreen(QWidget* parent = nullptr);

    void setBackground(const QColor& colour);
    // Covers the given screen area and shows itself.
    void showOver(const QRect& screenArea);

signals:
    // Esc or F10 pressed here: the clock goes back to where it was.
    void leaveRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace temura
