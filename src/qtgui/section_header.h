#pragma once

#include <QWidget>
#include <functional>

namespace temura {

// A captioned band between menu groups: its text in a small font on black.
class SectionHeader : public QWidget {
    Q_OBJECT

  public:
    // `text` is asked each time the band is drawn, so a language switch shows at the next open.
    SectionHeader(std::function<QString()> text, QFont font, QColor colour,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QString text() const { return m_text(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<QString()> m_text;
    QFont m_font;
    QColor m_colour;
};

}  // namespace temura
