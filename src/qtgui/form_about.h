#pragma once

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "clock/clock_state.h"
#include "platform/desktop.h"
#include "platform/tick_player.h"
#include "qtgui/window_drag.h"
#include "ui/about_rules.h"

class QAction;

namespace temura {

// The round About box: name, version and two links over a dial that sweeps once in six minutes
// and ticks like the clock.
class TFormAbout2 : public QWidget {
    Q_OBJECT

  public:
    TFormAbout2(const ClockState& state, Desktop& desktop, TickPlayer& ticks,
                QWidget* parent = nullptr);

    // Shows the box and draws it at once.
    void open();
    void setCloseKey(const QKeySequence& key);
    void Timer1Timer();
    // One frame: the animation's colour steps for this degree, then render().
    void Rep();
    // Draws the box afresh from its animation and the language, over a black background: the
    // picture depends on nothing drawn before.
    void render();

    AboutAnimation& animation() { return m_animation; }
    QLabel* lblWww = nullptr;
    QLabel* lblAuthor = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* actEsc = nullptr;
    QAction* actClose = nullptr;
    QAction* actIncGST = nullptr;
    const QPixmap& canvas() const { return m_canvas; }
    // The version line as last drawn (it follows the language).
    const QString& shownVersion() const { return m_shownVersion; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void drawLink(QPainter& p, const QLabel* label);
    // The texts change only with the language: drawn once per language onto a layer of their own.
    const QPixmap& textLayer();

    const ClockState& m_state;
    Desktop& m_desktop;
    TickPlayer& m_ticks;
    AboutAnimation m_animation;
    QPixmap m_canvas;
    QPixmap m_texts;
    int m_textsEnglish = -1;  // the language m_texts speaks; -1 before the first draw
    QString m_shownVersion;
    // Dragging by hand where the system cannot move the window (no window manager).
    WindowDrag m_drag{*this};
};

}  // namespace temura
