#include "qtgui/text_width_memo.h"

#include <QFontMetrics>

namespace temura {

void TextWidthMemo::remember(const QFont& font, const QString& text) {
    if (m_width >= 0 && text == m_text && font == m_font) return;
    m_font = font;
    m_text = text;
    m_width = QFontMetrics(font).horizontalAdvance(text);
    m_inkKnown = false;
    ++m_measurements;
}

int TextWidthMemo::width(const QFont& font, const QString& text) {
    remember(font, text);
    return m_width;
}

QRect TextWidthMemo::ink(const QFont& font, const QString& text) {
    remember(font, text);
    if (!m_inkKnown) {
        m_ink = QFontMetrics(font).tightBoundingRect(text);
        m_inkKnown = true;
    }
    return m_ink;
}

}  // namespace temura
