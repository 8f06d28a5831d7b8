#include "wingui/locale_names_win.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace temura::wingui {

namespace {

std::string localeText(LCTYPE type) {
    wchar_t buffer[128] = {};
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer,
                                  static_cast<int>(std::size(buffer)));
    return n > 1 ? win32::narrow(std::wstring(buffer, static_cast<std::size_t>(n - 1)))
                 : std::string();
}

}  // namespace

LocaleNames userLocaleNames() {
    LocaleNames n = englishLocaleNames();
    for (int m = 0; m < 12; ++m) {
        const auto i = static_cast<std::size_t>(m);
        // The names as they stand alone ("listopad"), not as they follow a day ("listopada").
        const std::string full = localeText(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(m));
        const std::string brief = localeText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(m));
        if (!full.empty()) n.longMonth[i] = full;
        if (!brief.empty()) n.shortMonth[i] = brief;
    }
    for (int d = 0; d < 7; ++d) {
        // Windows counts Monday = 1 .. Sunday = 7; the clock counts from Sunday.
        const int win = d == 0 ? 6 : d - 1;
        const auto i = static_cast<std::size_t>(d);
        const std::string full = localeText(LOCALE_SDAYNAME1 + static_cast<LCTYPE>(win));
        const std::string brief = localeText(LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(win));
        if (!full.empty()) n.longDay[i] = full;
        if (!brief.empty()) n.shortDay[i] = brief;
    }
    return n;
}

}  // namespace temura::wingui
