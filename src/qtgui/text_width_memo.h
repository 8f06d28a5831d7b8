#pragma once

#include <QFont>
#include <QRect>
#include <QString>

namespace temura {

// The width of one line's text, measured again only when its text or font has changed: the
// layout asks for every line every two seconds, and the date, mode and zone lines seldom change.
// The ink's tight bounds too, measured only when asked for.
class TextWidthMemo {
  public:
    int width(const QFont& font, const QString& text);
    QRect ink(const QFont& font, const QString& text);
    int measurements() const { return m_measurements; }

  private:
    void remember(const QFont& font, const QString& text);

    QFont m_font;
    QString m_text;
    int m_width = -1;
    bool m_inkKnown = false;
    QRect m_ink;
    int m_measurements = 0;
};

}  // namespace temura
