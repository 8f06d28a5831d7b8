#include "qtgui/locale_names_qt.h"

namespace temura {

LocaleNames localeNames(const QLocale& locale) {
    LocaleNames n;
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<std::size_t>(m - 1);
        n.longMonth[i] = locale.standaloneMonthName(m, QLocale::LongFormat).toStdString();
        n.shortMonth[i] = locale.standaloneMonthName(m, QLocale::ShortFormat).toStdString();
    }
    for (int d = 0; d < 7; ++d) {
        // Qt counts Monday = 1 .. Sunday = 7; the clock counts from Sunday.
        const int qtDay = d == 0 ? 7 : d;
        const auto i = static_cast<std::size_t>(d);
        n.longDay[i] = locale.standaloneDayName(qtDay, QLocale::LongFormat).toStdString();
        n.shortDay[i] = locale.standaloneDayName(qtDay, QLocale::ShortFormat).toStdString();
    }
    return n;
}

}  // namespace temura
