#include "zones/world_line.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "clock/clock_state.h"
#include "clock/date_time.h"
#include "clock/text_format.h"
#include "clock/zone_arithmetic.h"

namespace temura {

namespace {

constexpr std::int32_t kMaxOffsetMinutes = 1499;
constexpr char kNoDate[] = "00-00-0000";

bool digitsAt(std::string_view text, std::size_t from, std::size_t count, int& out) {
    out = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

bool validDate(std::string_view text) {
    if (text == kNoDate) return true;
    int d = 0, m = 0, y = 0;
    return text.size() == 10 && text[2] == '-' && text[5] == '-' && digitsAt(text, 0, 2, d) &&
           digitsAt(text, 3, 2, m) && digitsAt(text, 6, 4, y) &&
           tryEncodeDateTime(y, m, d, 0, 0, 0, 0).has_value();
}

bool validTime(std::string_view text) {
    int h = 0, m = 0;
    return text.size() == 5 && text[2] == ':' && digitsAt(text, 0, 2, h) &&
           digitsAt(text, 3, 2, m) && h < 24 && m < 60;
}

bool offsetField(std::string_view text, std::int32_t& out) {
    return TryParseInt(std::string(text), out) && out >= -kMaxOffsetMinutes &&
           out <= kMaxOffsetMinutes;
}

// The change-over instant the date and time give, 0 for none. Both were checked by parsing.
DateTime instantOf(const std::string& date, const std::string& time) {
    if (date == kNoDate) return 0;
    int d = 0, mo = 0, y = 0, h = 0, mi = 0;
    if (!digitsAt(date, 0, 2, d) || !digitsAt(date, 3, 2, mo) || !digitsAt(date, 6, 4, y) ||
        !digitsAt(time, 0, 2, h) || !digitsAt(time, 3, 2, mi))
        return 0;
    return tryEncodeDateTime(y, mo, d, h, mi, 0, 0).value_or(0);
}

bool digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

double dayNumber(DateTime dt) {
    return std::floor(dt);
}

}  // namespace

std::string worldLineValue(const WorldLine& l) {
    return std::to_string(l.Bias) + ";" + std::to_string(l.StdBias) + ";" +
           std::to_string(l.DSTBias) + ";" + l.StdDate + ";" + l.StdTime + ";" + l.DSTDate + ";" +
           l.DSTTime + ";" + l.Name;
}

std::optional<WorldLine> parseWorldLine(std::string_view text) {
    if (text.empty() || text.size() > kMaxWorldLineText) return std::nullopt;
    std::string_view fields[7];
    std::size_t from = 0;
    for (auto& field : fields) {
        const std::size_t semi = text.find(';', from);
        if (semi == std::string_view::npos) return std::nullopt;
        field = text.substr(from, semi - from);
        from = semi + 1;
    }
    WorldLine l;
    l.Name = std::string(text.substr(from));
    l.StdDate = std::string(fields[3]);
    l.StdTime = std::string(fields[4]);
    l.DSTDate = std::string(fields[5]);
    l.DSTTime = std::string(fields[6]);
    if (l.Name.empty() || !offsetField(fields[0], l.Bias) || !offsetField(fields[1], l.StdBias) ||
        !offsetField(fields[2], l.DSTBias) || !validDate(l.StdDate) || !validTime(l.StdTime) ||
        !validDate(l.DSTDate) || !validTime(l.DSTTime) ||
        (l.StdDate == kNoDate) != (l.DSTDate == kNoDate))
        return std::nullopt;
    return l;
}

std::string worldDisplayName(const std::string& name) {
    if (name.find('/') != std::string::npos && name.find(' ') == std::string::npos) {
        std::string last = name.substr(name.rfind('/') + 1);
        std::replace(last.begin(), last.end(), '_', ' ');
        return last;
    }
    // "(UTC+05:30) " and "(GMT-03:00) ": twelve characters.
    const bool prefixed =
        name.size() > 12 && (name.starts_with("(UTC") || name.starts_with("(GMT")) &&
        (name[4] == '+' || name[4] == '-') && digit(name[5]) && digit(name[6]) && name[7] == ':' &&
        digit(name[8]) && digit(name[9]) && name[10] == ')' && name[11] == ' ';
    return prefixed ? name.substr(12) : name;
}

void setWorldLineZone(WorldLine& line, std::string_view zone) {
    if (zone.empty() || zone.size() > kMaxWorldLineText ||
        zone.find_first_of("\r\n") != std::string_view::npos || zone == line.Name)
        return;
    line.Zone = std::string(zone);
}

std::string worldLineLabel(const WorldLine& line) {
    return line.Zone.empty() ? worldDisplayName(line.Name) : line.Name;
}

bool addWorldLine(std::vector<WorldLine>& lines, const WorldLine& line) {
    if (lines.size() >= kMaxWorldLines) return false;
    lines.push_back(line);
    return true;
}

bool removeWorldLine(std::vector<WorldLine>& lines, std::size_t index) {
    if (index >= lines.size()) return false;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool moveWorldLine(std::vector<WorldLine>& lines, std::size_t index, int step) {
    if (index >= lines.size() || (step != -1 && step != 1)) return false;
    if (step < 0 ? index == 0 : index + 1 == lines.size()) return false;
    const std::size_t other = step < 0 ? index - 1 : index + 1;
    std::swap(lines[index], lines[other]);
    return true;
}

bool renameWorldLine(std::vector<WorldLine>& lines, std::size_t index, const std::string& name) {
    if (index >= lines.size() || name.empty() || name.find_first_of("\r\n") != std::string::npos)
        return false;
    lines[index].Name = name;
    return true;
}

WorldZoneNow worldZoneAt(const WorldLine& l, const SystemTime& utc) {
    WorldZoneNow out;
    out.offset = -std::int64_t{l.Bias};
    const DateTime dst = instantOf(l.DSTDate, l.DSTTime);
    const DateTime std = instantOf(l.StdDate, l.StdTime);
    if (dst == 0 || std == 0) return out;
    // Daylight time starts on the standard clock and ends on the daylight one.
    const DateTime u = encodeDateTime(utc);
    const DateTime stdWall = addMinutes(u, -(std::int64_t{l.Bias} + l.StdBias));
    const DateTime dstWall = addMinutes(u, -(std::int64_t{l.Bias} + l.DSTBias));
    const int year = decodeDateTime(stdWall).year;
    const DateTime d = sameRuleInYear(dst, year);
    const DateTime s = sameRuleInYear(std, year);
    if (d == 0 || s == 0 || std::fabs(d - s) < kOneMsInDays) return out;
    // Half a millisecond either way absorbs the rounding of the shifted instants.
    const bool afterStart = stdWall >= d - kOneMsInDays / 2;
    const bool beforeEnd = dstWall < s - kOneMsInDays / 2;
    out.inDST = d < s ? afterStart && beforeEnd : afterStart || beforeEnd;
    out.offset = -(std::int64_t{l.Bias} + (out.inDST ? l.DSTBias : l.StdBias));
    return out;
}

std::string worldLineText(const WorldLine& line, const ClockState& s, const SystemTime& local,
                          const SystemTime& utc) {
    const WorldZoneNow z = worldZoneAt(line, utc);
    std::string text = ZoneTimeText(utc, z.offset, std::min<int>(s.TimeFormat, 1)).text;
    text += "  " + worldLineLabel(line);
    const double zoneDay = dayNumber(addMinutes(encodeDateTime(utc), z.offset));
    const double lineDay = dayNumber(addMinutes(encodeDateTime(local), dateShiftMinutes(s)));
    const auto diff = static_cast<long long>(zoneDay - lineDay);
    if (diff != 0) text += (diff > 0 ? " +" : " ") + std::to_string(diff);
    return text;
}

std::vector<std::string> worldLineTexts(const ClockState& s, const SystemClock& clock) {
    std::vector<std::string> texts;
    if (!worldLinesShown(s)) return texts;
    const SystemTime local = clock.localTime();
    const SystemTime utc = clock.utcTime();
    for (const WorldLine& line : s.WorldLines) texts.push_back(worldLineText(line, s, local, utc));
    return texts;
}

std::vector<std::string> worldHintLines(const std::vector<WorldLine>& lines, const SystemTime& utc,
                                        bool english) {
    std::vector<std::string> out;
    for (const WorldLine& line : lines) {
        const WorldZoneNow z = worldZoneAt(line, utc);
        std::string text = worldLineLabel(line) + " : " + OffsetText(z.offset);
        if (z.inDST) text += english ? " (DST)" : " (czas letni)";
        out.push_back(text);
    }
    return out;
}

bool worldLinesShown(const ClockState& s) {
    return s.WorldVisible && !s.WorldLines.empty();
}

std::int64_t msUntilWorldChange(const ClockState& s, const SystemTime& utc) {
    const std::int64_t step = s.TimeFormat == 0 ? 60'000 : 1000;
    return step - static_cast<std::int64_t>(MsOfDay(utc)) % step;
}

}  // namespace temura
