#include "settings/settings_file.h"

#include <array>
#include <cstdio>
#include <vector>

#include "clock/text_format.h"
#include "clock/zone_arithmetic.h"
#include "settings/position_clamps.h"
#include "storage/ini_document.h"
#include "zones/world_line.h"

namespace temura {

namespace {

using namespace settings_rules;

std::string number(std::int64_t n) {
    return std::to_string(n);
}
// Colour codes are written as signed 32-bit numbers, so system colours come out negative.
std::string colourText(Colour c) {
    return number(static_cast<std::int32_t>(c));
}
std::string boolText(bool b) {
    return b ? "1" : "0";
}

struct Line {
    std::string key;
    std::string value;
};

std::vector<Line> groupLines(const SettingsGroups& g, const ClockState& s, const DisplayLook& l) {
    std::vector<Line> out;
    if (g.mode) {
        out.push_back({"Mode", number(s.Mode)});
        out.push_back({"ModeVisible", boolText(s.ModeVisible)});
    }
    if (g.position) {
        // While full screen centres the window, the user's own position is the one to keep.
        out.push_back({"X", number(keptLeft(s, l))});
        out.push_back({"Y", number(keptTop(s, l))});
    }
    if (g.timer) {
        out.push_back({"TimerFontColor", colourText(s.TimerFontColor)});
        out.push_back({"TimerFontSize", number(l.TimerFontSize)});
        out.push_back({"TimerFontName", l.TimerFontName});
        out.push_back({"TimerFontBold", boolText(s.TimerFontBold)});
        out.push_back({"TimerFontItalic", boolText(s.TimerFontItalic)});
        out.push_back({"TimeFormat", number(s.TimeFormat)});
        out.push_back({"ETimeFormat", number(s.ETimeFormat)});
    }
    if (g.date) {
        out.push_back({"DateFontColor", colourText(l.date.colour)});
        out.push_back({"DateFontSize", number(l.date.size)});
        out.push_back({"DateFontName", l.date.name});
        out.push_back({"DateFontBold", boolText(l.date.bold)});
        out.push_back({"DateFontItalic", boolText(l.date.italic)});
        out.push_back({"DateVisible", boolText(s.DateVisible)});
        out.push_back({"DateFormat", number(s.DateFormat)});
    }
    if (g.tzLabel) {
        out.push_back({"TZFontColor", colourText(l.tz.colour)});
        out.push_back({"TZFontSize", number(l.tz.size)});
        out.push_back({"TZFontName", l.tz.name});
        out.push_back({"TZFontBold", boolText(l.tz.bold)});
        out.push_back({"TZFontItalic", boolText(l.tz.italic)});
        out.push_back({"TZVisible", boolText(s.TZVisible)});
    }
    if (g.bgColor) out.push_back({"BgColor", colourText(l.TimerBgColor)});
    if (g.other) {
        out.push_back({"Alpha", number(l.Alpha)});
        out.push_back({"ButtonsVisible", boolText(l.ButtonsVisible)});
        out.push_back({"PlayTick", boolText(s.PlayTick)});
        out.push_back({"FullScreen", boolText(s.FullScreen)});
    }
    if (g.tz && s.UseTZ) {
        out.push_back({"UseTZ", "1"});
        out.push_back({"TZName", s.TZName});
        out.push_back({"xTZBias", number(s.TZBias)});
        out.push_back({"xTZDSTBias", number(s.TZDSTBias)});
        out.push_back({"xTZStdBias", number(s.TZStdBias)});
        out.push_back({"IsTZDST", boolText(s.ZoneInDST)});
        out.push_back({"DSTStart", settingsDateTimeText(s.TZDSTStart)});
        out.push_back({"StdStart", settingsDateTimeText(s.TZStdStart)});
    }
    if (g.world && !s.WorldLines.empty()) {
        out.push_back({"WorldVisible", boolText(s.WorldVisible)});
        for (std::size_t i = 0; i < s.WorldLines.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            out.push_back({"World" + n, worldLineValue(s.WorldLines[i])});
            if (!s.WorldLines[i].Zone.empty())
                out.push_back({"WorldZone" + n, s.WorldLines[i].Zone});
        }
    }
    return out;
}

bool allDigits(const std::string& s, std::size_t minLen, std::size_t maxLen) {
    if (s.size() < minLen || s.size() > maxLen) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

int toInt(const std::string& digits) {
    return std::stoi(digits);
}

// The section's values in the forms the file allows; a malformed value counts as absent.
class SectionReader {
  public:
    explicit SectionReader(const IniDocument& doc) : m_doc(doc) {}

    std::optional<std::string> text(const char* key) const {
        return m_doc.value(kSettingsSection, key);
    }
    // Empty texts count as absent: a font or a zone needs a name.
    std::optional<std::string> name(const char* key) const {
        auto v = text(key);
        if (v && v->empty()) return std::nullopt;
        return v;
    }
    std::optional<std::int32_t> integer(const char* key) const {
        const auto v = text(key);
        std::int32_t n = 0;
        if (v && TryParseInt(*v, n)) return n;
        return std::nullopt;
    }
    std::optional<bool> boolean(const char* key) const {
        const auto n = integer(key);
        if (n) return *n != 0;
        return std::nullopt;
    }
    std::optional<Colour> colour(const char* key) const {
        const auto n = integer(key);
        if (n) return static_cast<Colour>(*n);
        return std::nullopt;
    }
    std::optional<DateTime> dateTime(const char* key, bool monthFirst) const {
        const auto v = text(key);
        if (!v) return std::nullopt;
        return parseSettingsDateTime(*v, monthFirst);
    }

  private:
    const IniDocument& m_doc;
};

int fileFontSize(std::int32_t size) {
    if (size < 2) return 10;
    if (size > 160) return 160;
    return size;
}

}  // namespace

std::string settingsDateTimeText(DateTime value) {
    const SystemTime t = decodeDateTime(value);
    std::array<char, 48> buf{};
    if (t.hour == 0 && t.minute == 0 && t.second == 0) {
        std::snprintf(buf.data(), buf.size(), "%04d-%02d-%02d", t.year, t.month, t.day);
    } else {
        std::snprintf(buf.data(), buf.size(), "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month,
                      t.day, t.hour, t.minute, t.second);
    }
    return buf.data();
}

std::optional<DateTime> parseSettingsDateTime(const std::string& text, bool monthFirst) {
    const std::size_t blank = text.find(' ');
    const std::string datePart = text.substr(0, blank);
    std::string timePart;
    if (blank != std::string::npos) {
        const std::size_t start = text.find_first_not_of(' ', blank);
        if (start == std::string::npos) return std::nullopt;
        timePart = text.substr(start);
    }

    const std::vector<std::string> d = split(datePart, '-');
    if (d.size() != 3) return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    if (allDigits(d[0], 4, 4)) {
        if (!allDigits(d[1], 1, 2) || !allDigits(d[2], 1, 2)) return std::nullopt;
        year = toInt(d[0]);
        month = toInt(d[1]);
        day = toInt(d[2]);
    } else {
        if (!allDigits(d[0], 1, 2) || !allDigits(d[1], 1, 2) || !allDigits(d[2], 4, 4))
            return std::nullopt;
        year = toInt(d[2]);
        day = toInt(monthFirst ? d[1] : d[0]);
        month = toInt(monthFirst ? d[0] : d[1]);
    }

    int hms[3] = {0, 0, 0};
    if (!timePart.empty()) {
        const std::vector<std::string> t = split(timePart, ':');
        if (t.size() < 2 || t.size() > 3) return std::nullopt;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (!allDigits(t[i], 1, 2)) return std::nullopt;
            hms[i] = toInt(t[i]);
        }
    }
    return tryEncodeDateTime(year, month, day, hms[0], hms[1], hms[2], 0);
}

std::string SaveSettings(const std::string& existing, const SettingsGroups& groups,
                         const ClockState& state, const DisplayLook& look) {
    IniDocument doc = IniDocument::parse(existing);
    doc.eraseSection(kSettingsSection);
    // A section that no longer exists is added anew, after the file's other contents.
    for (const Line& line : groupLines(groups, state, look)) {
        doc.setValue(kSettingsSection, line.key, line.value);
    }
    return doc.serialize();
}

bool saveSettingsFile(Files& files, const std::string& path, const SettingsGroups& groups,
                      const ClockState& state, const DisplayLook& look) {
    std::string existing;
    if (files.exists(path)) {
        // Writing without the old contents would lose the file's other sections.
        const auto bytes = files.readBytes(path);
        if (!bytes) return false;
        existing = *bytes;
    }
    return files.writeAtomically(path, SaveSettings(existing, groups, state, look));
}

WindowUpdate LoadSettings(const std::string& bytes, ClockState& state, DisplayLook& look,
                          const SettingsEnv& env) {
    WindowUpdate update;
    const IniDocument doc = IniDocument::parse(bytes);
    if (doc.keys(kSettingsSection).empty()) return update;
    update.applied = true;
    const SectionReader in(doc);

    // Later steps read what earlier ones set, so the order is fixed.
    if (const auto x = in.integer("X")) look.X = FixX(*x, env.desktopWidth);
    if (const auto y = in.integer("Y")) look.Y = FixY(*y, env.desktopHeight);

    state.TimerFontColor = in.colour("TimerFontColor").value_or(state.TimerFontColor);
    look.date.colour = in.colour("DateFontColor").value_or(look.date.colour);
    look.tz.colour = in.colour("TZFontColor").value_or(look.tz.colour);
    look.TimerBgColor = in.colour("BgColor").value_or(look.TimerBgColor);

    if (const auto v = in.integer("TimerFontSize")) look.TimerFontSize = fileFontSize(*v);
    if (const auto v = in.integer("DateFontSize")) look.date.size = fileFontSize(*v);
    if (const auto v = in.integer("TZFontSize")) look.tz.size = fileFontSize(*v);

    look.TimerFontName = in.name("TimerFontName").value_or(look.TimerFontName);
    look.date.name = in.name("DateFontName").value_or(look.date.name);
    look.tz.name = in.name("TZFontName").value_or(look.tz.name);

    if (const auto v = in.integer("Alpha")) look.Alpha = opacity(*v);
    look.ButtonsVisible = in.boolean("ButtonsVisible").value_or(look.ButtonsVisible);
    state.PlayTick = in.boolean("PlayTick").value_or(state.PlayTick);

    if (const auto m = in.integer("Mode")) {
        state.Mode = *m >= 1 && *m <= 4 ? static_cast<std::uint8_t>(*m) : std::uint8_t{kModeTimer};
        update.mode = state.Mode;
    }
    state.ModeVisible = in.boolean("ModeVisible").value_or(state.ModeVisible);
    state.TZVisible = in.boolean("TZVisible").value_or(state.TZVisible);
    state.DateVisible = in.boolean("DateVisible").value_or(state.DateVisible);

    state.TimerFontBold = in.boolean("TimerFontBold").value_or(state.TimerFontBold);
    look.date.bold = in.boolean("DateFontBold").value_or(look.date.bold);
    look.tz.bold = in.boolean("TZFontBold").value_or(look.tz.bold);
    state.TimerFontItalic = in.boolean("TimerFontItalic").value_or(state.TimerFontItalic);
    look.date.italic = in.boolean("DateFontItalic").value_or(look.date.italic);
    look.tz.italic = in.boolean("TZFontItalic").value_or(look.tz.italic);

    const auto timeFormat = [](std::int32_t v) {
        return v == 0 || v == 2 ? static_cast<std::uint8_t>(v) : std::uint8_t{1};
    };
    if (const auto v = in.integer("TimeFormat")) state.TimeFormat = timeFormat(*v);
    if (const auto v = in.integer("ETimeFormat")) state.ETimeFormat = timeFormat(*v);
    if (const auto v = in.integer("DateFormat")) {
        state.DateFormat = *v > 5 ? 5 : *v < 0 ? 2 : static_cast<std::uint8_t>(*v);
    }

    // FullScreen keeps its old value; the window's toggle moves it to the loaded one.
    const bool wanted = in.boolean("FullScreen").value_or(state.FullScreen);
    if (wanted && !state.FullScreen) update.fullScreen = FullScreenChange::Open;
    if (!wanted && state.FullScreen) update.fullScreen = FullScreenChange::Close;

    // Without "UseTZ" 1 a zone in use stays in use.
    if (in.boolean("UseTZ").value_or(false)) {
        ZoneSelection zone;
        zone.name = in.name("TZName").value_or(state.TZName);
        zone.bias = clampZoneOffset(in.integer("xTZBias").value_or(0));
        zone.dstBias = clampZoneOffset(in.integer("xTZDSTBias").value_or(0));
        zone.stdBias = clampZoneOffset(in.integer("xTZStdBias").value_or(0));
        zone.dstStart = in.dateTime("DSTStart", env.monthFirst).value_or(0);
        zone.stdStart = in.dateTime("StdStart", env.monthFirst).value_or(0);
        applyZone(state, env.clock, zone);
        update.zoneChanged = true;
    }

    // A file with lines replaces the list; one without leaves it as it is.
    std::vector<WorldLine> world;
    for (std::size_t i = 0; i < kMaxWorldLines; ++i) {
        const std::string n = std::to_string(i + 1);
        const auto text = in.name(("World" + n).c_str());
        if (!text) continue;
        auto line = parseWorldLine(*text);
        if (!line) continue;
        if (const auto zone = in.name(("WorldZone" + n).c_str())) setWorldLineZone(*line, *zone);
        world.push_back(std::move(*line));
    }
    if (!world.empty()) state.WorldLines = std::move(world);
    state.WorldVisible = in.boolean("WorldVisible").value_or(state.WorldVisible);
    return update;
}

WindowUpdate loadSettingsFile(const Files& files, const std::string& path, ClockState& state,
                              DisplayLook& look, const SettingsEnv& env) {
    const auto bytes = files.readBytes(path);
    if (!bytes) return {};
    return LoadSettings(*bytes, state, look, env);
}

}  // namespace temura
