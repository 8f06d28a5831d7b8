#include "qtgui/form_main_world.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace temura {

WorldLinesView::WorldLinesView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    changeEvent(nullptr);
}

bool WorldLinesView::setLines(const QStringList& lines) {
    if (lines == m_lines) return false;
    m_lines = lines;
    update();
    return true;
}

void WorldLinesView::setTextLeft(int left) {
    if (left == m_textLeft) return;
    m_textLeft = left;
    update();
}

int WorldLinesView::lineHeight() const {
    return m_lineHeight;
}

int WorldLinesView::widestWidth() {
    m_widths.resize(static_cast<std::size_t>(m_lines.size()));
    int widest = 0;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        widest = std::max(widest, m_widths[static_cast<std::size_t>(i)].width(font(), m_lines[i]));
    }
    return widest;
}

void WorldLinesView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const int top = static_cast<int>(i) * m_lineHeight;
        if (top > event->rect().bottom() || top + m_lineHeight <= event->rect().top()) continue;
        p.drawText(m_textLeft, top + m_ascent, m_lines[i]);
    }
}

void WorldLinesView::changeEvent(QEvent* event) {
    if (event) QWidget::changeEvent(event);
    if (!event || event->type() == QEvent::FontChange) {
        const QFontMetrics metrics(font());
        m_lineHeight = metrics.height();
        m_ascent = metrics.ascent();
    }
}

}  // namespace temura
