#include "settings/settings_record.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <variant>
#include <vector>

#include "clock/zone_arithmetic.h"
#include "zones/world_line.h"

namespace temura {

namespace settings_rules {

std::int32_t clampZoneOffset(std::int32_t minutes) {
    return std::clamp(minutes, -kMaxZoneOffset, kMaxZoneOffset);
}

std::int32_t opacity(std::int32_t value) {
    const std::int32_t low = value & 0xFF;
    return low == 0 ? 1 : low;
}

DateTime finiteOrZero(DateTime value) {
    return std::isfinite(value) ? value : 0.0;
}

int keptLeft(const ClockState& state, const DisplayLook& look) {
    return state.FullScreen ? state.SavedLeft : look.X;
}

int keptTop(const ClockState& state, const DisplayLook& look) {
    return state.FullScreen ? state.SavedTop : look.Y;
}

}  // namespace settings_rules

namespace {

using namespace settings_rules;

constexpr RegRoot kRoot = RegRoot::CurrentUser;

enum class FieldType { String, Integer, Flag, DateTime };

// WriteOnly rows are written at every start and never read; Zone rows are read only while a zone
// is stored and have no default to write.
enum class ReadKind { WriteOnly, Normal, Zone };

using Value = std::variant<std::string, std::int32_t, DateTime>;

struct ReadTarget {
    ClockState& state;
    DisplayLook& look;
    const SettingsEnv& env;
    ZoneSelection zone;
    bool zoneStored = false;
    bool zoneNamed = false;
};

struct SaveSource {
    const ClockState& state;
    const DisplayLook& look;
    const std::string& programPath;
};

struct Field {
    const char* name;
    FieldType type;
    ReadKind kind;
    int saveOrder;
    Value (*defaultValue)(const SettingsEnv&);  // nullptr: the row has none
    void (*apply)(const Value&, ReadTarget&);   // repairs the value and sets what the row names
    Value (*current)(const SaveSource&);        // what the close-time save writes
};

std::int32_t num(const Value& v) {
    return std::get<std::int32_t>(v);
}
bool flag(const Value& v) {
    return num(v) != 0;
}
Colour colour(const Value& v) {
    return static_cast<Colour>(num(v));
}
const std::string& text(const Value& v) {
    return std::get<std::string>(v);
}
DateTime when(const Value& v) {
    return std::get<DateTime>(v);
}

Value of(bool b) {
    return std::int32_t{b ? 1 : 0};
}
Value of(Colour c) {
    return static_cast<std::int32_t>(c);
}
Value of(int n) {
    return std::int32_t{n};
}
Value of(std::uint8_t n) {
    return std::int32_t{n};
}

template <std::int32_t N>
Value constant(const SettingsEnv&) {
    return N;
}

// Stored positions are compared with the whole desktop; the replacement is the centre of the
// primary screen. At the desktop's size a window would be wholly off screen.
int repairPosition(std::int32_t stored, int desktopSize, int screenSize) {
    int v = stored;
    if (v >= desktopSize) v = screenSize / 2;
    if (v < 0) v = 10;
    return v;
}

int repairFontSize(std::int32_t size) {
    return std::clamp(size, 4, 160);
}

std::uint8_t repairFormat(std::int32_t v, std::int32_t max, std::int32_t belowZero) {
    if (v > max) return static_cast<std::uint8_t>(max);
    if (v < 0) return static_cast<std::uint8_t>(belowZero);
    return static_cast<std::uint8_t>(v);
}

bool isPolish(std::string lang) {
    for (char& c : lang) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return lang == "PL";
}

// Rows in read order; `saveOrder` gives the order of the close-time save.
const std::array<Field, 39> kFields{{
    {"ExePath", FieldType::String, ReadKind::WriteOnly, 0,
     [](const SettingsEnv& e) -> Value { return e.programPath; }, nullptr,
     [](const SaveSource& s) -> Value { return s.programPath; }},
    {"X", FieldType::Integer, ReadKind::Normal, 1,
     [](const SettingsEnv& e) -> Value { return e.screenWidth / 2; },
     [](const Value& v, ReadTarget& t) {
         t.look.X = repairPosition(num(v), t.env.desktopWidth, t.env.screenWidth);
     },
     [](const SaveSource& s) { return of(keptLeft(s.state, s.look)); }},
    {"Y", FieldType::Integer, ReadKind::Normal, 2,
     [](const SettingsEnv& e) -> Value { return e.screenHeight / 2; },
     [](const Value& v, ReadTarget& t) {
         t.look.Y = repairPosition(num(v), t.env.desktopHeight, t.env.screenHeight);
     },
     [](const SaveSource& s) { return of(keptTop(s.state, s.look)); }},
    {"TimerFontColor", FieldType::Integer, ReadKind::Normal, 3, constant<0xFFFFFF>,
     [](const Value& v, ReadTarget& t) { t.state.TimerFontColor = colour(v); },
     [](const SaveSource& s) { return of(s.state.TimerFontColor); }},
    {"DateFontColor", FieldType::Integer, ReadKind::Normal, 4, constant<0xFFFFFF>,
     [](const Value& v, ReadTarget& t) { t.look.date.colour = colour(v); },
     [](const SaveSource& s) { return of(s.look.date.colour); }},
    {"TZFontColor", FieldType::Integer, ReadKind::Normal, 5, constant<0xFFFFFF>,
     [](const Value& v, ReadTarget& t) { t.look.tz.colour = colour(v); },
     [](const SaveSource& s) { return of(s.look.tz.colour); }},
    {"TimerBgColor", FieldType::Integer, ReadKind::Normal, 18, constant<0>,
     [](const Value& v, ReadTarget& t) { t.look.TimerBgColor = colour(v); },
     [](const SaveSource& s) { return of(s.look.TimerBgColor); }},
    {"TimerFontSize", FieldType::Integer, ReadKind::Normal, 6, constant<14>,
     [](const Value& v, ReadTarget& t) { t.look.TimerFontSize = repairFontSize(num(v)); },
     [](const SaveSource& s) { return of(s.look.TimerFontSize); }},
    {"DateFontSize", FieldType::Integer, ReadKind::Normal, 7, constant<8>,
     [](const Value& v, ReadTarget& t) { t.look.date.size = repairFontSize(num(v)); },
     [](const SaveSource& s) { return of(s.look.date.size); }},
    {"TZFontSize", FieldType::Integer, ReadKind::Normal, 8, constant<8>,
     [](const Value& v, ReadTarget& t) { t.look.tz.size = repairFontSize(num(v)); },
     [](const SaveSource& s) { return of(s.look.tz.size); }},
    {"TimerFontBold", FieldType::Flag, ReadKind::Normal, 12, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.TimerFontBold = flag(v); },
     [](const SaveSource& s) { return of(s.state.TimerFontBold); }},
    {"DateFontBold", FieldType::Flag, ReadKind::Normal, 13, constant<0>,
     [](const Value& v, ReadTarget& t) { t.look.date.bold = flag(v); },
     [](const SaveSource& s) { return of(s.look.date.bold); }},
    {"TZFontBold", FieldType::Flag, ReadKind::Normal, 14, constant<0>,
     [](const Value& v, ReadTarget& t) { t.look.tz.bold = flag(v); },
     [](const SaveSource& s) { return of(s.look.tz.bold); }},
    {"TimerFontItalic", FieldType::Flag, ReadKind::Normal, 15, constant<0>,
     [](const Value& v, ReadTarget& t) { t.state.TimerFontItalic = flag(v); },
     [](const SaveSource& s) { return of(s.state.TimerFontItalic); }},
    {"DateFontItalic", FieldType::Flag, ReadKind::Normal, 16, constant<0>,
     [](const Value& v, ReadTarget& t) { t.look.date.italic = flag(v); },
     [](const SaveSource& s) { return of(s.look.date.italic); }},
    {"TZFontItalic", FieldType::Flag, ReadKind::Normal, 17, constant<0>,
     [](const Value& v, ReadTarget& t) { t.look.tz.italic = flag(v); },
     [](const SaveSource& s) { return of(s.look.tz.italic); }},
    {"TimerFontName", FieldType::String, ReadKind::Normal, 9,
     [](const SettingsEnv&) -> Value { return std::string("MS Sans Serif"); },
     [](const Value& v, ReadTarget& t) { t.look.TimerFontName = text(v); },
     [](const SaveSource& s) -> Value { return s.look.TimerFontName; }},
    {"DateFontName", FieldType::String, ReadKind::Normal, 10,
     [](const SettingsEnv&) -> Value { return std::string("Arial"); },
     [](const Value& v, ReadTarget& t) { t.look.date.name = text(v); },
     [](const SaveSource& s) -> Value { return s.look.date.name; }},
    {"TZFontName", FieldType::String, ReadKind::Normal, 11,
     [](const SettingsEnv&) -> Value { return std::string("Arial"); },
     [](const Value& v, ReadTarget& t) { t.look.tz.name = text(v); },
     [](const SaveSource& s) -> Value { return s.look.tz.name; }},
    {"Lang", FieldType::String, ReadKind::Normal, 19,
     [](const SettingsEnv& e) -> Value { return std::string(e.localePolish ? "pl" : "en"); },
     [](const Value& v, ReadTarget& t) { t.state.English = !isPolish(text(v)); },
     [](const SaveSource& s) -> Value { return std::string(s.state.English ? "en" : "pl"); }},
    {"Alpha", FieldType::Integer, ReadKind::Normal, 20, constant<255>,
     [](const Value& v, ReadTarget& t) { t.look.Alpha = opacity(num(v)); },
     [](const SaveSource& s) { return of(s.look.Alpha); }},
    {"ButtonsVisible", FieldType::Flag, ReadKind::Normal, 21, constant<0>,
     [](const Value& v, ReadTarget& t) { t.look.ButtonsVisible = flag(v); },
     [](const SaveSource& s) { return of(s.look.ButtonsVisible); }},
    {"ModeVisible", FieldType::Flag, ReadKind::Normal, 24, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.ModeVisible = flag(v); },
     [](const SaveSource& s) { return of(s.state.ModeVisible); }},
    {"TZVisible", FieldType::Flag, ReadKind::Normal, 27, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.TZVisible = flag(v); },
     [](const SaveSource& s) { return of(s.state.TZVisible); }},
    {"PlayTick", FieldType::Flag, ReadKind::Normal, 22, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.PlayTick = flag(v); },
     [](const SaveSource& s) { return of(s.state.PlayTick); }},
    {"Mode", FieldType::Integer, ReadKind::Normal, 23, constant<0>,
     [](const Value& v, ReadTarget& t) {
         const std::int32_t m = num(v);
         t.state.Mode = m < 0 || m > 4 ? std::uint8_t{kModeTimer} : static_cast<std::uint8_t>(m);
     },
     [](const SaveSource& s) { return of(s.state.Mode); }},
    {"TimeFormat", FieldType::Integer, ReadKind::Normal, 25, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.TimeFormat = repairFormat(num(v), 2, 1); },
     [](const SaveSource& s) { return of(s.state.TimeFormat); }},
    {"ETimeFormat", FieldType::Integer, ReadKind::Normal, 26, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.ETimeFormat = repairFormat(num(v), 2, 1); },
     [](const SaveSource& s) { return of(s.state.ETimeFormat); }},
    {"DateVisible", FieldType::Flag, ReadKind::Normal, 29, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.DateVisible = flag(v); },
     [](const SaveSource& s) { return of(s.state.DateVisible); }},
    {"DateFormat", FieldType::Integer, ReadKind::Normal, 28, constant<2>,
     [](const Value& v, ReadTarget& t) { t.state.DateFormat = repairFormat(num(v), 5, 2); },
     [](const SaveSource& s) { return of(s.state.DateFormat); }},
    {"UseTZ", FieldType::Flag, ReadKind::Normal, 30, constant<0>,
     [](const Value& v, ReadTarget& t) {
         // The display follows the system zone unless a stored zone is taken up below.
         t.zoneStored = flag(v);
         t.state.TZName = t.state.SysZoneName;
     },
     [](const SaveSource& s) { return of(s.state.UseTZ); }},
    {"TZDSTStart", FieldType::DateTime, ReadKind::Zone, 35, nullptr,
     [](const Value& v, ReadTarget& t) { t.zone.dstStart = finiteOrZero(when(v)); },
     [](const SaveSource& s) -> Value { return s.state.TZDSTStart; }},
    {"TZStdStart", FieldType::DateTime, ReadKind::Zone, 36, nullptr,
     [](const Value& v, ReadTarget& t) { t.zone.stdStart = finiteOrZero(when(v)); },
     [](const SaveSource& s) -> Value { return s.state.TZStdStart; }},
    {"TZBias", FieldType::Integer, ReadKind::Zone, 32, nullptr,
     [](const Value& v, ReadTarget& t) { t.zone.bias = clampZoneOffset(num(v)); },
     [](const SaveSource& s) -> Value { return s.state.TZBias; }},
    {"TZDSTBias", FieldType::Integer, ReadKind::Zone, 33, nullptr,
     [](const Value& v, ReadTarget& t) { t.zone.dstBias = clampZoneOffset(num(v)); },
     [](const SaveSource& s) -> Value { return s.state.TZDSTBias; }},
    {"TZStdBias", FieldType::Integer, ReadKind::Zone, 34, nullptr,
     [](const Value& v, ReadTarget& t) { t.zone.stdBias = clampZoneOffset(num(v)); },
     [](const SaveSource& s) -> Value { return s.state.TZStdBias; }},
    {"TZName", FieldType::String, ReadKind::Zone, 31, nullptr,
     [](const Value& v, ReadTarget& t) {
         // A zone without a name cannot be shown or told apart from the system's.
         t.zone.name = text(v);
         t.zoneNamed = !t.zone.name.empty();
     },
     [](const SaveSource& s) -> Value { return s.state.TZName; }},
    {"SaveOverwritePrompt", FieldType::Flag, ReadKind::Normal, 37, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.SaveOverwritePrompt = flag(v); },
     [](const SaveSource& s) { return of(s.state.SaveOverwritePrompt); }},
    {"WorldVisible", FieldType::Flag, ReadKind::Normal, 38, constant<1>,
     [](const Value& v, ReadTarget& t) { t.state.WorldVisible = flag(v); },
     [](const SaveSource& s) { return of(s.state.WorldVisible); }},
}};

std::string worldValueName(std::size_t index) {
    return "World" + std::to_string(index + 1);
}

// Beside a line the user named: the zone it belongs to.
std::string worldZoneValueName(std::size_t index) {
    return "WorldZone" + std::to_string(index + 1);
}

std::optional<std::string> readText(const Registry& registry, const std::string& name) {
    if (registry.valueType(kRoot, kSettingsKey, name) != RegType::String) return std::nullopt;
    return registry.readString(kRoot, kSettingsKey, name);
}

// A value that is not a line is skipped, so the lines after it move up a place.
std::vector<WorldLine> readWorldLines(const Registry& registry) {
    std::vector<WorldLine> lines;
    for (std::size_t i = 0; i < kMaxWorldLines; ++i) {
        const std::string name = worldValueName(i);
        try {
            const auto text = readText(registry, name);
            if (!text) continue;
            auto line = parseWorldLine(*text);
            if (!line) continue;
            if (const auto zone = readText(registry, worldZoneValueName(i)))
                setWorldLineZone(*line, *zone);
            lines.push_back(std::move(*line));
        } catch (...) {
        }
    }
    return lines;
}

// Numbers the lines from 1 and removes the values past the last.
bool writeWorldLines(Registry& registry, const std::vector<WorldLine>& lines) {
    bool ok = true;
    for (std::size_t i = 0; i < kMaxWorldLines; ++i) {
        const std::string name = worldValueName(i);
        const std::string zone = worldZoneValueName(i);
        ok = (i < lines.size()
                  ? registry.writeString(kRoot, kSettingsKey, name, worldLineValue(lines[i]))
                  : registry.deleteValue(kRoot, kSettingsKey, name)) &&
             ok;
        ok = (i < lines.size() && !lines[i].Zone.empty()
                  ? registry.writeString(kRoot, kSettingsKey, zone, lines[i].Zone)
                  : registry.deleteValue(kRoot, kSettingsKey, zone)) &&
             ok;
    }
    return ok;
}

std::vector<std::uint8_t> dateTimeBytes(DateTime value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> bytes(8);
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return bytes;
}

DateTime dateTimeFromBytes(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{bytes[i]} << (8 * i);
    return std::bit_cast<DateTime>(bits);
}

RegType storedType(FieldType type) {
    switch (type) {
        case FieldType::String:
            return RegType::String;
        case FieldType::Integer:
        case FieldType::Flag:
            return RegType::DWord;
        case FieldType::DateTime:
            return RegType::Binary;
    }
    return RegType::Other;
}

// The value as stored, or nothing when it is missing, of another type or malformed.
std::optional<Value> readValue(const Registry& registry, const Field& f) {
    if (registry.valueType(kRoot, kSettingsKey, f.name) != storedType(f.type)) return std::nullopt;
    switch (f.type) {
        case FieldType::String:
            if (auto s = registry.readString(kRoot, kSettingsKey, f.name)) return Value{*s};
            return std::nullopt;
        case FieldType::Integer:
        case FieldType::Flag:
            if (auto n = registry.readDWord(kRoot, kSettingsKey, f.name)) return Value{*n};
            return std::nullopt;
        case FieldType::DateTime: {
            const auto b = registry.readBinary(kRoot, kSettingsKey, f.name);
            if (!b || b->size() != 8) return std::nullopt;
            return Value{dateTimeFromBytes(*b)};
        }
    }
    return std::nullopt;
}

bool writeValue(Registry& registry, const char* name, const Value& v) {
    if (const auto* s = std::get_if<std::string>(&v)) {
        return registry.writeString(kRoot, kSettingsKey, name, *s);
    }
    if (const auto* n = std::get_if<std::int32_t>(&v)) {
        return registry.writeDWord(kRoot, kSettingsKey, name, *n);
    }
    return registry.writeBinary(kRoot, kSettingsKey, name, dateTimeBytes(std::get<DateTime>(v)));
}

void readRow(Registry& registry, const Field& f, ReadTarget& t) {
    switch (f.kind) {
        case ReadKind::WriteOnly:
            writeValue(registry, f.name, f.defaultValue(t.env));
            return;
        case ReadKind::Zone:
            if (!t.zoneStored) return;
            // A missing or malformed zone value stays 0 (an unnamed zone).
            if (const auto v = readValue(registry, f)) f.apply(*v, t);
            return;
        case ReadKind::Normal: {
            std::optional<Value> v = readValue(registry, f);
            if (!v) {
                v = f.defaultValue(t.env);
                writeValue(registry, f.name, *v);
            }
            f.apply(*v, t);
            return;
        }
    }
}

// Takes the stored zone into use unless it is the system's own zone.
bool finishZone(ReadTarget& t) {
    ClockState& s = t.state;
    if (t.zoneStored && t.zoneNamed && t.zone.name != s.SysZoneName) {
        applyZone(s, t.env.clock, t.zone);
        return true;
    }
    s.UseTZ = false;
    s.ZoneShift = 0;
    s.TZName = s.SysZoneName;
    return false;
}

}  // namespace

RegistryReadResult GetInfoFromReg(Registry& registry, Shell& shell, ClockState& state,
                                  DisplayLook& look, const SettingsEnv& env) {
    RegistryReadResult result;
    // The machine-wide registration may be refused; the user's settings are read regardless.
    try {
        shell.registerProgramPath(env.programPath);
    } catch (...) {
    }
    try {
        result.firstRun = !registry.keyExists(kRoot, kSettingsKey);
        if (result.firstRun) shell.CreateShortcut("Temura", env.programPath, "Desktop");
    } catch (...) {
    }

    ReadTarget target{state, look, env, {}, false, false};
    {
        // One save for all the defaults a first run writes.
        RegistryBatch batch(registry);
        try {
            registry.createKey(kRoot, kSettingsKey);
        } catch (...) {
        }
        for (const Field& f : kFields) {
            try {
                readRow(registry, f, target);
            } catch (...) {
                // A store that throws costs this row its stored value, not the rest.
                try {
                    if (f.kind == ReadKind::Normal) f.apply(f.defaultValue(env), target);
                } catch (...) {
                }
            }
        }
    }
    state.WorldLines = readWorldLines(registry);
    result.update.zoneChanged = finishZone(target);
    result.update.applied = true;
    result.update.mode = state.Mode;
    return result;
}

bool SaveInfoToReg(Registry& registry, const ClockState& state, const DisplayLook& look,
                   const std::string& programPath) {
    std::array<const Field*, kFields.size()> order{};
    for (std::size_t i = 0; i < kFields.size(); ++i) order[i] = &kFields[i];
    std::sort(order.begin(), order.end(),
              [](const Field* a, const Field* b) { return a->saveOrder < b->saveOrder; });

    const SaveSource source{state, look, programPath};
    bool ok = true;
    // Not RegistryBatch: the commit's result is part of the answer.
    registry.beginBatch();
    try {
        ok = registry.createKey(kRoot, kSettingsKey);
        for (const Field* f : order) ok = writeValue(registry, f->name, f->current(source)) && ok;
        ok = writeWorldLines(registry, state.WorldLines) && ok;
    } catch (...) {
        ok = false;
    }
    return registry.commitBatch() && ok;
}

bool ClearRegAndExit(Registry& registry, Shell& shell) {
    // Each step on its own: one refusal must not leave the rest behind.
    const auto guarded = [](auto&& step) {
        try {
            step();
        } catch (...) {
        }
    };
    guarded([&] { shell.UnAssoc(); });
    guarded([&] { shell.unregisterProgramPath(); });
    guarded([&] {
        if (registry.keyExists(kRoot, kSettingsKey)) registry.deleteKey(kRoot, kSettingsKey);
    });
    for (const char* location : {"Desktop", "Start Menu"}) {
        guarded([&] {
            if (shell.ShortcutExists(location)) shell.DeleteShortcut(location);
        });
    }
    try {
        return !registry.keyExists(kRoot, kSettingsKey);
    } catch (...) {
        return false;
    }
}

WindowUpdate applyBuiltInDefaults(ClockState& state, DisplayLook& look) {
    WindowUpdate update;
    update.applied = true;
    look.Alpha = 255;
    look.ButtonsVisible = false;
    state.TimerFontColor = 0xFFFFFF;
    look.TimerBgColor = 0;
    look.TimerFontName = "MS Sans Serif";
    look.TimerFontSize = 14;
    state.TimerFontBold = true;
    state.TimerFontItalic = false;
    look.date = LineFont{};
    look.tz = LineFont{};
    look.date.name = look.tz.name = "Arial";
    look.date.size = look.tz.size = 8;
    look.date.colour = look.tz.colour = 0xFFFFFF;
    state.DateVisible = true;
    state.TZVisible = true;
    state.ModeVisible = true;
    state.PlayTick = true;
    // The zone line goes back to the system zone's name.
    update.zoneChanged = true;
    actDefaultTimeZoneExecute(state);
    state.TimeFormat = 1;
    state.ETimeFormat = 1;
    state.DateFormat = 2;
    state.Mode = kModeTimer;
    update.mode = kModeTimer;
    // FullScreen keeps its value so that the window's toggle closes the view.
    if (state.FullScreen) update.fullScreen = FullScreenChange::Close;
    return update;
}

}  // namespace temura
