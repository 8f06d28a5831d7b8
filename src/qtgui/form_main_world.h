#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

#include "qtgui/text_width_memo.h"

namespace temura {

// The clock's world lines, painted by one widget: one label per line would lay out and measure
// eight texts at every change of the seconds.
class WorldLinesView : public QWidget {
    Q_OBJECT

  public:
    explicit WorldLinesView(QWidget* parent = nullptr);

    // Answers whether the texts changed; only then is the widget repainted.
    bool setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }
    // Where the text starts inside the widget, which spans the window's width.
    void setTextLeft(int left);
    int lineHeight() const;
    // The widest line's width, each line measured again only when more than its digits changed.
    int widestWidth();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // One glyph's advance; the ASCII ones are kept, since the times need the same few again
    // every second.
    int advance(QChar c);
    int advance(const QString& text, qsizetype from, qsizetype to);

    QStringList m_lines;
    std::vector<TextWidthMemo> m_widths;
    int m_textLeft = 0;
    int m_lineHeight = 0;
    int m_ascent = 0;
    std::array<int, 128> m_advances{};  // 0: not measured yet
};

}  // namespace temura
