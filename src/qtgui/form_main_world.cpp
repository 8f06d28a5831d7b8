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
    if (lines.size() != m_lines.size()) {
        m_lines = lines;
        update();
        return true;
    }
    // Mostly the seconds alone change: repainting and sending eight whole lines a second would
    // cost the clock a second wake-up and a fifth of its CPU.
    const int pad = m_lineHeight / 4 + 1;  // for overhanging glyphs, italic ones too
    QRect changed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& before = m_lines[i];
        const QString& after = lines[i];
        if (before == after) continue;
        const qsizetype shorter = std::min(before.size(), after.size());
        qsizetype head = 0;
        while (head < shorter && before[head] == after[head]) ++head;
        qsizetype tail = 0;
        while (tail < shorter - head &&
               before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
            ++tail;
        }
        // Glyph by glyph: no text layout for each line each second. The pad covers kerning.
        const int from = m_textLeft + advance(before, 0, head);
        const int wasWide = advance(before, head, before.size() - tail);
        const int isWide = advance(after, head, after.size() - tail);
        // When the changed part's width changed, the rest of the line moves too.
        const int to = wasWide == isWide ? from + isWide : width();
        changed |= QRect(from - pad, static_cast<int>(i) * m_lineHeight, to - from + 2 * pad,
                         m_lineHeight);
    }
    // One rectangle: one repaint and one image sent, however many lines changed.
    update(changed);
    m_lines = lines;
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
        // Measured with its digits as noughts, so that the ticking seconds do not make each
        // line measured anew: digits are as wide as each other in nearly every font, and the
        // text margin takes up the odd pixel of one whose are not.
        QString shape = m_lines[i];
        for (QChar& c : shape) {
            if (c.isDigit()) c = QLatin1Char('0');
        }
        widest = std::max(widest, m_widths[static_cast<std::size_t>(i)].width(font(), shape));
    }
    return widest;
}

void WorldLinesView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect area = event->rect();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const int top = static_cast<int>(i) * m_lineHeight;
        if (top > area.bottom() || top + m_lineHeight <= area.top()) continue;
        const QString& line = m_lines[i];
        // The seconds' repaint ends within the two blanks after the time: the name is not
        // drawn again then.
        const qsizetype time = line.indexOf(QLatin1String("  "));
        const int timeEnd = m_textLeft + advance(line, 0, std::max<qsizetype>(time, 0));
        // Two pixels short of the name, for the rounding of glyph-by-glyph advances.
        const int nameStart = timeEnd + 2 * advance(QLatin1Char(' ')) - 2;
        const bool timeAlone = time > 0 && area.right() < nameStart;
        p.drawText(m_textLeft, top + m_ascent, timeAlone ? line.left(time) : line);
    }
}

int WorldLinesView::advance(QChar c) {
    if (c.unicode() >= m_advances.size()) return fontMetrics().horizontalAdvance(c);
    int& known = m_advances[c.unicode()];
    // A glyph of no width is measured each time: rare, and cheap enough.
    if (known == 0) known = fontMetrics().horizontalAdvance(c);
    return known;
}

int WorldLinesView::advance(const QString& text, qsizetype from, qsizetype to) {
    int sum = 0;
    for (qsizetype c = from; c < to; ++c) sum += advance(text[c]);
    return sum;
}

void WorldLinesView::changeEvent(QEvent* event) {
    if (event) QWidget::changeEvent(event);
    if (!event || event->type() == QEvent::FontChange) {
        m_advances.fill(0);
        const QFontMetrics metrics(font());
        m_lineHeight = metrics.height();
        m_ascent = metrics.ascent();
    }
}

}  // namespace temura
