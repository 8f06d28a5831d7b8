#pragma once

#include <QIcon>
#include <array>

#include "zones/zone_list.h"

namespace temura {

inline constexpr std::size_t kZoneIconCount = kIconChanged + 1;

// The time-zone list's row icons, drawn in code, in the order of ZoneIcon.
std::array<QIcon, kZoneIconCount> zoneRowIcons();

}  // namespace temura
