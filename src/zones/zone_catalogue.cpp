#include "zones/zone_catalogue.h"

#include <algorithm>

#include "clock/text_format.h"
#include "storage/ini_document.h"

namespace temura {

namespace {

constexpr char kSysComment[] = ";System Time Zones";

// Section numbers count from 1.
std::string pad3(std::int64_t n) {
    return PadLeft(std::to_string(n), 3, '0');
}

std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::int32_t i32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    const std::uint32_t bits = std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) |
                               (std::uint32_t{b[at + 2]} << 16) | (std::uint32_t{b[at + 3]} << 24);
    return static_cast<std::int32_t>(bits);
}

SystemTime systemTimeAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    SystemTime t;
    t.year = u16At(b, at);
    t.month = u16At(b, at + 2);
    t.dayOfWeek = u16At(b, at + 4);
    t.day = u16At(b, at + 6);
    t.hour = u16At(b, at + 8);
    t.minute = u16At(b, at + 10);
    t.second = u16At(b, at + 12);
    t.millisecond = u16At(b, at + 14);
    return t;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trimmed(const std::string& s) {
    std::size_t from = 0;
    std::size_t to = s.size();
    while (from < to && isBlank(s[from])) ++from;
    while (to > from && isBlank(s[to - 1])) --to;
    return s.substr(from, to - from);
}

// Integers in the catalogue files are decimal or "0x" hex; anything else reads as 0.
std::optional<std::int32_t> fileInteger(const std::optional<std::string>& text) {
    if (!text || text->find('$') != std::string::npos) return std::nullopt;
    std::int32_t v = 0;
    if (!TryParseInt(*text, v)) return std::nullopt;
    return v;
}

std::optional<int> fileWeekday(const std::optional<std::string>& text) {
    const std::optional<std::int32_t> v = fileInteger(text);
    if (!v || *v < 0 || *v > 6) return std::nullopt;
    return *v;
}

std::int32_t fileOffset(const std::optional<std::string>& text) {
    return std::clamp(fileInteger(text).value_or(0), -kMaxFileOffset, kMaxFileOffset);
}

ZoneEntry entryOf(const IniDocument& doc, const std::string& section, ZoneKind kind) {
    ZoneEntry e;
    e.DisplayName = doc.valueOr(section, "DisplayName", "");
    e.Bias = fileOffset(doc.value(section, "Bias"));
    e.StdBias = fileOffset(doc.value(section, "StdBias"));
    e.DSTBias = fileOffset(doc.value(section, "DSTBias"));
    e.StdDate = doc.valueOr(section, "StdDate", "");
    e.StdTime = doc.valueOr(section, "StdTime", "");
    e.DSTDate = doc.valueOr(section, "DSTDate", "");
    e.DSTTime = doc.valueOr(section, "DSTTime", "");
    e.StdDOW = fileWeekday(doc.value(section, "StdDOW"));
    e.DSTDOW = fileWeekday(doc.value(section, "DSTDOW"));
    e.kind = kind;
    return e;
}

// The sort key of a system section: 1000 + its number, or 1000 + its position when the name
// holds no integer after the first "_".
std::string provisionalNumber(const std::string& section, std::size_t position) {
    std::int64_t n = static_cast<std::int64_t>(position);
    const std::size_t underscore = section.find('_');
    if (underscore != std::string::npos) {
        if (const auto v = fileInteger(section.substr(underscore + 1))) n = *v;
    }
    return std::to_string(1000 + n);
}

// The file's offset of a row text: minutes east of UTC, negated.
std::string fileOffsetText(const std::string& rowText) {
    return std::to_string(-ParseHourMinTotal(rowText));
}

bool saveKind(const ZoneList& list, Files& files, const std::string& path, bool user) {
    if (list.rowCount() == 0) return true;

    IniDocument doc;
    const bool existed = files.exists(path);
    std::optional<std::string> old;
    if (existed) {
        old = files.readBytes(path);
        // Writing blind would drop whatever the file holds besides its zones.
        if (!old) return false;
        doc = IniDocument::parse(*old);
        doc.eraseAllSections();
    }

    std::int64_t n = 0;
    for (int i = 0; i < list.rowCount(); ++i) {
        const ZoneRow& r = list.row(i);
        if (r.isUser() != user) continue;
        const std::string section = "TZ_" + pad3(++n);
        doc.setValue(section, "DisplayName", r.name);
        doc.setValue(section, "Bias", fileOffsetText(r.gmtBias));
        doc.setValue(section, "StdBias", fileOffsetText(r.stdBias));
        doc.setValue(section, "DSTBias", fileOffsetText(r.dstBias));
        doc.setValue(section, "StdDate", r.stdDate);
        doc.setValue(section, "StdTime", r.stdTime);
        doc.setValue(section, "DSTDate", r.dstDate);
        doc.setValue(section, "DSTTime", r.dstTime);
        if (r.stdDow) doc.setValue(section, "StdDOW", std::to_string(*r.stdDow));
        if (r.dstDow) doc.setValue(section, "DSTDOW", std::to_string(*r.dstDow));
        doc.setValue(section, "sys", user ? "0" : "1");
    }
    if (!existed && n == 0) return true;

    const std::string bytes = doc.serialize();
    if (old && *old == bytes) return true;
    return files.writeAtomically(path, bytes);
}

}  // namespace

void SetInis(ClockState& s, Files& files, const std::string& folder) {
    s.SysZonesFile = folder + "/" + kSysZonesFileName;
    s.UserZonesFile = folder + "/" + kUserZonesFileName;
    for (const std::string* path : {&s.SysZonesFile, &s.UserZonesFile}) {
        if (files.exists(*path)) files.clearReadOnly(*path);
    }
}

std::optional<ZoneRule> decodeZoneRule(const std::vector<std::uint8_t>& block) {
    if (block.size() != kZoneRuleSize) return std::nullopt;
    ZoneRule r;
    r.bias = i32At(block, 0);
    r.standardBias = i32At(block, 4);
    r.daylightBias = i32At(block, 8);
    r.standardDate = systemTimeAt(block, 12);
    r.daylightDate = systemTimeAt(block, 28);
    return r;
}

std::string cutDisplayName(const std::string& display) {
    if (display.rfind("(GMT", 0) != 0) return display;
    const std::size_t close = display.find(')');
    if (close == std::string::npos) return display;
    return trimmed(display.substr(close + 1));
}

int CreateTZIni(Files& files, const ZoneTableSource& table, const std::string& path,
                int currentYear) {
    if (!table.available()) return 0;

    IniDocument doc = IniDocument::parse(kSysComment);
    std::int64_t position = 0;
    for (const ZoneTableEntry& z : table.zones()) {
        position += 1 + z.skippedBefore;
        const std::string section = "TZ_" + (z.index ? std::to_string(*z.index) : pad3(position));
        const auto put = [&doc, &section](const char* key, const std::string& value) {
            doc.setValue(section, key, value);
        };
        const std::optional<ZoneRule> rule = z.rule ? decodeZoneRule(*z.rule) : std::nullopt;

        put("DisplayName", cutDisplayName(z.display.value_or("")));
        put("StdName", z.standardName.value_or(""));
        put("DSTName", z.daylightName.value_or(""));
        if (rule) {
            put("Bias", std::to_string(rule->bias));
            put("StdBias", std::to_string(rule->standardBias));
            put("DSTBias", std::to_string(rule->daylightBias));
            put("StdDate", TransitionDateText(rule->standardDate, currentYear));
            put("StdTime", TransitionTimeText(rule->standardDate));
            put("DSTDate", TransitionDateText(rule->daylightDate, currentYear));
            put("DSTTime", TransitionTimeText(rule->daylightDate));
            put("StdDOW", std::to_string(rule->standardDate.dayOfWeek));
            put("DSTDOW", std::to_string(rule->daylightDate.dayOfWeek));
        } else {
            for (const char* key : {"Bias", "StdBias", "DSTBias"}) put(key, "-1");
            for (const char* key : {"StdDate", "StdTime", "DSTDate", "DSTTime"}) put(key, "");
            for (const char* key : {"StdDOW", "DSTDOW"}) put(key, "0");
        }
        put("sys", "1");
    }

    const std::size_t count = doc.sections().size();
    if (count == 0) return 0;
    // A file that stays read-only is left as it is.
    if (files.exists(path) && !files.clearReadOnly(path)) return 0;
    if (!files.writeAtomically(path, doc.serialize())) return 0;
    return static_cast<int>(std::min<std::size_t>(count, 0x7FFF'FFFF));
}

bool buildCatalogueIfMissing(Files& files, const ZoneTableSource& table, const ClockState& s,
                             int currentYear) {
    if (files.exists(s.SysZonesFile)) return false;
    return CreateTZIni(files, table, s.SysZonesFile, currentYear) > 0;
}

std::vector<ZoneEntry> readCatalogueFile(const Files& files, const std::string& path,
                                         ZoneKind kind) {
    std::vector<ZoneEntry> out;
    const std::optional<std::string> bytes = files.readBytes(path);
    if (!bytes) return out;
    const IniDocument doc = IniDocument::parse(*bytes);
    const std::vector<std::string> sections = doc.sections();
    out.reserve(sections.size());
    for (const std::string& section : sections) out.push_back(entryOf(doc, section, kind));
    return out;
}

void LoadIniUserTZ(ZoneList& list, const Files& files, const std::string& userFile) {
    list.clearRows();
    for (const ZoneEntry& e : readCatalogueFile(files, userFile, ZoneKind::User)) {
        list.appendRow(rowFromEntry(e, list.english()));
    }
    list.Renum();
}

void LoadIniTZ(ZoneList& list, const Files& files, const std::string& sysFile) {
    const std::optional<std::string> bytes = files.readBytes(sysFile);
    if (!bytes) return;
    const IniDocument doc = IniDocument::parse(*bytes);
    const std::vector<std::string> sections = doc.sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        ZoneRow r = rowFromEntry(entryOf(doc, sections[i], ZoneKind::System), list.english());
        r.number = provisionalNumber(sections[i], i + 1);
        list.appendRow(std::move(r));
    }
    // One stable sort places every row as inserting them one by one would.
    list.sortByNumber();
    list.Renum();
}

bool SaveIniUserTZ(const ZoneList& list, Files& files, const std::string& userFile) {
    return saveKind(list, files, userFile, true);
}

bool SaveIniTZ(const ZoneList& list, Files& files, const std::string& sysFile) {
    return saveKind(list, files, sysFile, false);
}

bool saveCatalogueOnClose(ZoneList& list, Files& files, const ClockState& s) {
    if (!list.CatalogueModified()) return true;
    const bool userSaved = SaveIniUserTZ(list, files, s.UserZonesFile);
    const bool sysSaved = SaveIniTZ(list, files, s.SysZonesFile);
    if (userSaved && sysSaved) list.setCatalogueModified(false);
    return userSaved && sysSaved;
}

bool UpdateTZ(ZoneList& list, Files& files, const ZoneTableSource& table, const ClockState& s,
              int currentYear) {
    // Reloading after a failed save would throw away the user's unsaved zones.
    if (!SaveIniUserTZ(list, files, s.UserZonesFile)) return false;
    if (CreateTZIni(files, table, s.SysZonesFile, currentYear) == 0) return false;
    LoadIniUserTZ(list, files, s.UserZonesFile);
    LoadIniTZ(list, files, s.SysZonesFile);
    return true;
}

}  // namespace temura
