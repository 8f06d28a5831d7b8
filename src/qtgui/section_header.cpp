#include "qtgui/section_header.h"

#include <QFontMetrics>
#include <QPainter>

namespace temura {

SectionHeader::SectionHeader(std::function<QString()> text, QFont font, QColor colour,
                             QWidget* parent)
    : QWidget(parent), m_text(std::move(text)), m_font(std::move(font)), m_colour(colour) {
    // As tall as its text: the menu asks the size hint when it is first opened, so the font is
    // not looked up while the clock starts.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize SectionHeader::minimumSizeHint() const {
    return QSize(0, QFontMetrics(m_font).height());
}

QSize SectionHeader::sizeHint() const {
    const QFontMetrics fm(m_font);
    return QSize(fm.horizontalAdvance(m_text()) + 20, fm.height());
}

void SectionHeader::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setFont(m_font);
    p.setPen(m_colour);
    p.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, m_text());
}

}  // namespace temura
