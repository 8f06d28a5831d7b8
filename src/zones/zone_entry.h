#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace temura {

enum class ZoneKind { System, User };

// One zone of the catalogue as the files hold it. The three offsets keep the files' convention
// (UTC = local standard time + Bias, positive west of Greenwich); everything outside the files
// shows them negated.
struct ZoneEntry {
    std::string DisplayName;
    std::int32_t Bias = 0;
    std::int32_t StdBias = 0;
    std::int32_t DSTBias = 0;
    std::string StdDate;  // "dd-mm", "00-00" for no change-over
    std::string StdTime;  // "hh:mm"
    std::string DSTDate;
    std::string DSTTime;
    // The weekdays (0 Sunday) of the rules behind the dates; none in older files.
    std::optional<int> StdDOW;
    std::optional<int> DSTDOW;
    ZoneKind kind = ZoneKind::User;

    bool operator==(const ZoneEntry&) const = default;
};

}  // namespace temura
