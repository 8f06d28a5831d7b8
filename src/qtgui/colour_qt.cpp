#include "qtgui/colour_qt.h"

#include <QApplication>
#include <QPalette>
#include <array>

namespace temura {

namespace {

// The nearest palette role for each system-colour index 0..30.
constexpr std::array<QPalette::ColorRole, 31> kSystemRoles = {
    QPalette::Button,           // 0 scroll bar
    QPalette::Dark,             // 1 desktop
    QPalette::Highlight,        // 2 active caption
    QPalette::Mid,              // 3 inactive caption
    QPalette::Window,           // 4 menu
    QPalette::Base,             // 5 window
    QPalette::Shadow,           // 6 window frame
    QPalette::WindowText,       // 7 menu text
    QPalette::Text,             // 8 window text
    QPalette::HighlightedText,  // 9 caption text
    QPalette::Button,           // 10 active border
    QPalette::Button,           // 11 inactive border
    QPalette::Mid,              // 12 application workspace
    QPalette::Highlight,        // 13 highlight
    QPalette::HighlightedText,  // 14 highlight text
    QPalette::Button,           // 15 button face
    QPalette::Dark,             // 16 button shadow
    QPalette::PlaceholderText,  // 17 grey text
    QPalette::ButtonText,       // 18 button text
    QPalette::Light,            // 19 inactive caption text
    QPalette::Light,            // 20 button highlight
    QPalette::Shadow,           // 21 3D dark shadow
    QPalette::Midlight,         // 22 3D light
    QPalette::ToolTipText,      // 23 info text
    QPalette::ToolTipBase,      // 24 info background
    QPalette::Window,           // 25 unused
    QPalette::Link,             // 26 hot light
    QPalette::Highlight,        // 27 gradient active caption
    QPalette::Mid,              // 28 gradient inactive caption
    QPalette::Highlight,        // 29 menu highlight
    QPalette::Window,           // 30 menu bar
};

bool isSystemColour(Colour c) { return (c >> 24) == 0xFFu; }

}  // namespace

QColor toQColor(Colour c) {
    if (isSystemColour(c)) {
        const std::size_t index = c & 0xFFu;
        const QPalette::ColorRole role =
            index < kSystemRoles.size() ? kSystemRoles[index] : QPalette::Window;
        return QApplication::palette().color(QPalette::Active, role);
    }
    return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                  static_cast<int>((c >> 16) & 0xFFu));
}

Colour fromQColor(const QColor& c) {
    return static_cast<Colour>(c.red()) | (static_cast<Colour>(c.green()) << 8) |
           (static_cast<Colour>(c.blue()) << 16);
}

Colour resolveColour(Colour c) { return fromQColor(toQColor(c)); }

}  // namespace temura
