#pragma once

#include <QLocale>

#include "clock/text_format.h"

namespace temura {

// Day and month names of a locale, as the date line shows them.
LocaleNames localeNames(const QLocale& locale);

}  // namespace temura
