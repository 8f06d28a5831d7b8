#include "qtgui/popup_menu.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidgetAction>

#include "qtgui/section_header.h"

namespace temura {

QAction* PopupMenu::addHeader(std::function<QString()> text, const QFont& font,
                              const QColor& colour) {
    auto* action = new QWidgetAction(this);
    action->setDefaultWidget(new SectionHeader(std::move(text), font, colour));
    action->setEnabled(false);  // a band, not a command
    addAction(action);
    return action;
}

QString PopupMenu::exitText(const QAction* action) {
    QString caption = action->text();
    caption.remove(QLatin1Char('&'));
    return caption + QString(11, QLatin1Char(' ')) +
           action->shortcut().toString(QKeySequence::NativeText);
}

void PopupMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    if (!m_exit || !m_exit->isVisible()) return;
    const QRect r = actionGeometry(m_exit);
    if (!r.isValid() || !event->rect().intersects(r)) return;

    const bool selected = activeAction() == m_exit;
    QPainter p(this);
    p.fillRect(r, Qt::black);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    font.setBold(selected);
    p.setFont(font);
    p.setPen(selected ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0));
    p.drawText(r.adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop, exitText(m_exit));
    if (selected) {
        p.setPen(palette().color(QPalette::Highlight));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

}  // namespace temura
