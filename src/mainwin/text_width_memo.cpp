#include "mainwin/text_width_memo.h"

#include <QFontMetrics>

namespace temura {

int TextWidthMemo::width(const QFont& font, const QString& text) {
    if (m_width < 0 || text != m_text || !(font == m_font)) {
        m_font = font;
        m_text = text;
        m_width = QFontMetrics(font).horizontalAdvance(text);
        ++m_measurements;
    }
    return m_width;
}

}  // namespace temura
