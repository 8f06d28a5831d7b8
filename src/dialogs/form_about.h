#pragma once

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "clock/clock_state.h"
#include "dialogs/about_rules.h"
#include "platform/desktop.h"
#include "platform/tick_player.h"

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
    void Rep();  // draws the dial and the texts onto the box

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
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawLink(QPainter& p, const QLabel* label);

    const ClockState& m_state;
    Desktop& m_desktop;
    TickPlayer& m_ticks;
    AboutAnimation m_animation;
    QPixmap m_canvas;
    QString m_shownVersion;
};

}  // namespace temura
