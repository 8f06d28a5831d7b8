#pragma once

#include <QStringList>
#include <QWidget>
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
    // The widest line's width, each line measured again only when its text changed.
    int widestWidth();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QStringList m_lines;
    std::vector<TextWidthMemo> m_widths;
    int m_textLeft = 0;
    int m_lineHeight = 0;
    int m_ascent = 0;
};

}  // namespace temura
