#include "zones/zone_list.h"

#include <algorithm>
#include <limits>

#include "storage/text_encoding.h"
#include "zones/world_choice.h"

namespace temura {

namespace {

std::string pad(std::int64_t n, std::size_t width) {
    std::string text = PadLeft(std::to_string(n < 0 ? -n : n), width, '0');
    if (n < 0) text.insert(text.begin(), '-');
    return text;
}

std::string pad3(std::int64_t n) {
    return pad(n, 3);
}
std::string pad2(int n) {
    return pad(n, 2);
}

int iconFor(std::int64_t fileBias, bool user) {
    const int base = user ? kIconUserAhead : kIconSystemAhead;
    if (fileBias < 0) return base;
    if (fileBias > 0) return base + 1;
    return base + 2;
}

std::int32_t toInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

int clampField(int field, int value) {
    const FieldRange r = kZoneFieldRanges[static_cast<std::size_t>(field)];
    return std::clamp(value, r.min, r.max);
}

// The snapshot and the copied zone keep only the start of a long name, so such a name always
// compares as changed.
ZoneFields kept(const ZoneFields& f) {
    ZoneFields out = f;
    out.name = utf8Truncate(f.name, kZoneNameKeep);
    return out;
}

}  // namespace

const std::string& ZoneRow::cell(int column) const {
    switch (column) {
        case kColNumber:
            return number;
        case kColName:
            return name;
        case kColGMTBias:
            return gmtBias;
        case kColStdBias:
            return stdBias;
        case kColDSTBias:
            return dstBias;
        case kColStdDate:
            return stdDate;
        case kColStdTime:
            return stdTime;
        case kColDSTDate:
            return dstDate;
        case kColDSTTime:
            return dstTime;
        case kColSys:
            return kind;
        case kColClock:
            return clock;
        default: {
            static const std::string none;
            return none;
        }
    }
}

ZoneRow rowFromEntry(const ZoneEntry& e, bool english) {
    const bool user = e.kind == ZoneKind::User;
    ZoneRow r;
    r.name = e.DisplayName;
    // Negated in 64 bits: the most negative 32-bit value has no 32-bit negation.
    r.gmtBias = OffsetText(-std::int64_t{e.Bias});
    r.stdBias = OffsetText(-std::int64_t{e.StdBias});
    r.dstBias = OffsetText(-std::int64_t{e.DSTBias});
    r.stdDate = e.StdDate;
    r.stdTime = e.StdTime;
    r.dstDate = e.DSTDate;
    r.dstTime = e.DSTTime;
    r.stdDow = e.StdDOW;
    r.dstDow = e.DSTDOW;
    r.kind = YesNoText(!user, english);
    r.icon = iconFor(e.Bias, user);
    return r;
}

DateTime changeOverInstant(const std::string& date, const std::string& time,
                           std::optional<int> weekday, int year) {
    const auto [day, month] = ParseDayMonth(date);
    const auto [hour, minute] = ParseHourMin(time);
    if (weekday) {
        // Every weekday meets every day-month (29 February too) within 40 years.
        for (int y = year; y > year - 40; --y) {
            const std::optional<DateTime> built =
                tryEncodeDateTime(y, month, day, hour, minute, 0, 0);
            if (built && dayOfWeek(y, month, day) == *weekday) return sameRuleInYear(*built, year);
        }
    }
    return tryEncodeDateTime(year, month, day, hour, minute, 0, 0).value_or(0);
}

ZonePreview previewOf(const ZoneRow& row, const SysZoneInfo& system, const SystemTime& nowLocal) {
    ZonePreview p;
    const std::int64_t g = ParseHourMinTotal(row.gmtBias);
    const std::int64_t d = ParseHourMinTotal(row.dstBias);
    const std::int64_t s = ParseHourMinTotal(row.stdBias);
    const DateTime stdStart =
        changeOverInstant(row.stdDate, row.stdTime, row.stdDow, nowLocal.year);
    const DateTime dstStart =
        changeOverInstant(row.dstDate, row.dstTime, row.dstDow, nowLocal.year);
    if (stdStart != 0 && dstStart != 0) {
        const ZoneWindow w = zoneWindowAt(dstStart, stdStart, nowLocal);
        p.inDST = w.inDST;
        p.inStd = !w.inDST && w.inStd;
    }
    p.shift = (p.inDST ? d : p.inStd ? s : 0) + systemOffsetMinutes(system) + g;
    return p;
}

ZoneSelection selectionOf(const ZoneRow& row, int year) {
    ZoneSelection z;
    z.name = row.name;
    z.bias = toInt32(ParseHourMinTotal(row.gmtBias));
    z.dstBias = toInt32(ParseHourMinTotal(row.dstBias));
    z.stdBias = toInt32(ParseHourMinTotal(row.stdBias));
    z.dstStart = changeOverInstant(row.dstDate, row.dstTime, row.dstDow, year);
    z.stdStart = changeOverInstant(row.stdDate, row.stdTime, row.stdDow, year);
    return z;
}

ZoneList::ZoneList(const SystemClock& clock, bool english) : m_clock(clock), m_english(english) {}

void ZoneList::SetLang(bool english) {
    m_english = english;
    m_captionName.reset();
}

std::string ZoneList::windowCaption() const {
    const std::string& title = texts().DialogTitle;
    return m_captionName ? title + " (" + *m_captionName + ")" : title;
}

void ZoneList::clearRows() {
    const bool hadSelection = hasSelection();
    m_rows.clear();
    if (hadSelection) selectionChanged();
}

void ZoneList::appendRow(ZoneRow row) {
    row.selected = false;
    m_rows.push_back(std::move(row));
}

void ZoneList::markWorldLines(const std::vector<WorldLine>& lines) {
    for (ZoneRow& r : m_rows) r.clock = worldClockCell(lines, r.name);
}

void ZoneList::sortByNumber() {
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const ZoneRow& a, const ZoneRow& b) { return a.number < b.number; });
}

void ZoneList::setNumber(int rowIndex, std::string number) {
    ZoneRow& r = m_rows.at(static_cast<std::size_t>(rowIndex));
    if (r.number == number) return;
    r.number = std::move(number);
    sortByNumber();
}

void ZoneList::Renum() {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].number = pad3(static_cast<std::int64_t>(i) + 1);
    }
}

void ZoneList::setSelection(const std::vector<int>& rows) {
    std::vector<bool> wanted(m_rows.size(), false);
    for (const int i : rows) {
        if (i >= 0 && i < rowCount()) wanted[static_cast<std::size_t>(i)] = true;
    }
    bool changed = false;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].selected != wanted[i]) {
            m_rows[i].selected = wanted[i];
            changed = true;
        }
    }
    if (changed) selectionChanged();
}

std::vector<int> ZoneList::selection() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].selected) out.push_back(static_cast<int>(i));
    }
    return out;
}

std::optional<int> ZoneList::firstSelected() const {
    const auto it =
        std::find_if(m_rows.begin(), m_rows.end(), [](const ZoneRow& r) { return r.selected; });
    if (it == m_rows.end()) return std::nullopt;
    return static_cast<int>(it - m_rows.begin());
}

ZoneRow* ZoneList::firstSelectedRow() {
    const auto first = firstSelected();
    return first ? &m_rows[static_cast<std::size_t>(*first)] : nullptr;
}

void ZoneList::setField(ZoneField field, int value) {
    if (field < 0 || field >= kZoneFieldCount) return;
    m_fields.values[static_cast<std::size_t>(field)] = clampField(field, value);
}

void ZoneList::setFields(const ZoneFields& fields) {
    m_fields.name = fields.name;
    for (int i = 0; i < kZoneFieldCount; ++i) {
        setField(static_cast<ZoneField>(i), fields.values[static_cast<std::size_t>(i)]);
    }
}

void ZoneList::selectionChanged() {
    m_fields.name.clear();
    m_captionName.reset();
    const ZoneRow* r = firstSelectedRow();
    if (r == nullptr) return;

    m_fields.name = r->name;
    m_captionName = r->name;
    const auto setPair = [this](ZoneField first, std::pair<int, int> v) {
        setField(first, v.first);
        setField(static_cast<ZoneField>(first + 1), v.second);
    };
    setPair(kGMTBiasHour, ParseHourMin(r->gmtBias));
    setPair(kDSTBiasHour, ParseHourMin(r->dstBias));
    setPair(kStdBiasHour, ParseHourMin(r->stdBias));
    setPair(kDSTDay, ParseDayMonth(r->dstDate));
    setPair(kDSTHour, ParseHourMin(r->dstTime));
    setPair(kStdDay, ParseDayMonth(r->stdDate));
    setPair(kStdHour, ParseHourMin(r->stdTime));
    m_snapshot = kept(m_fields);
    DispSelectedTime();
}

bool ZoneList::ZoneModified() const {
    if (!hasSelection()) return false;
    return m_fields.name != m_snapshot.name || m_fields.values != m_snapshot.values;
}

ZoneActionState ZoneList::enabledActions() const {
    const bool sel = hasSelection();
    ZoneActionState a;
    a.actRemoveSelected = sel;
    a.actMoveUp = sel;
    a.actMoveDown = sel;
    a.actMarkAsUser = sel;
    a.actMarkAsSystem = sel;
    a.actOK = sel;
    a.actUse = sel;
    a.edName = sel;
    a.biasGroups = sel;
    a.actPasteInfo = m_copied.has_value();
    return a;
}

int ZoneList::actAdd() {
    m_modified = true;
    setSelection({});
    ZoneRow r;
    r.number = pad3(rowCount() + 1);
    r.gmtBias = r.stdBias = r.dstBias = "00:00";
    r.stdDate = r.dstDate = "00-00";
    r.stdTime = r.dstTime = "00:00";
    r.kind = YesNoText(false, m_english);
    r.icon = kIconChanged;
    // Marked so that it can be found again after the ordering rule has placed it.
    r.selected = true;
    m_rows.push_back(std::move(r));
    sortByNumber();
    const int index = *firstSelected();
    selectionChanged();
    return index;
}

void ZoneList::actRemoveSelected() {
    if (!hasSelection()) return;
    std::erase_if(m_rows, [](const ZoneRow& r) { return r.selected; });
    m_modified = true;
    Renum();
    selectionChanged();
}

void ZoneList::moveFirstSelected(std::int64_t delta) {
    const auto first = firstSelected();
    if (!first) return;
    std::int32_t value = 0;
    if (!TryParseInt(row(*first).number, value)) value = 0;
    // The row lands next to the one that holds the new number: behind it going up, before it
    // going down, since equal numbers keep their order.
    setNumber(*first, pad3(std::int64_t{value} + delta));
    Renum();
    m_modified = true;
}

void ZoneList::actMoveUp() {
    const auto first = firstSelected();
    if (!first || row(*first).number == "001") return;
    moveFirstSelected(-2);
}

void ZoneList::actMoveDown() {
    moveFirstSelected(2);
}

void ZoneList::markSelected(bool system) {
    if (!hasSelection()) return;
    for (ZoneRow& r : m_rows) {
        if (!r.selected) continue;
        r.kind = YesNoText(system, m_english);
        r.icon = kIconChanged;
    }
    m_modified = true;
}

void ZoneList::actOK() {
    ZoneRow* r = firstSelectedRow();
    if (r == nullptr) return;
    const auto& v = m_fields.values;
    const auto minutes = [&v](ZoneField hour) {
        return std::int64_t{v[static_cast<std::size_t>(hour)]} * 60 +
               v[static_cast<std::size_t>(hour + 1)];
    };
    const auto two = [&v](ZoneField f, const char* sep) {
        return pad2(v[static_cast<std::size_t>(f)]) + sep +
               pad2(v[static_cast<std::size_t>(f + 1)]);
    };
    // A date the user typed is this year's day, so its rule's weekday is the one it falls on
    // now; an untouched date keeps the weekday it had (or none).
    const int year = m_clock.localTime().year;
    const auto weekdayOf = [&v, year](const std::string& date, ZoneField dayField,
                                      std::optional<int> old) -> std::optional<int> {
        const int day = v[static_cast<std::size_t>(dayField)];
        const int month = v[static_cast<std::size_t>(dayField + 1)];
        const auto [oldDay, oldMonth] = ParseDayMonth(date);
        if (oldDay == day && oldMonth == month) return old;
        if (!tryEncodeDateTime(year, month, day, 0, 0, 0, 0)) return std::nullopt;
        return dayOfWeek(year, month, day);
    };
    r->dstDow = weekdayOf(r->dstDate, kDSTDay, r->dstDow);
    r->stdDow = weekdayOf(r->stdDate, kStdDay, r->stdDow);
    r->name = m_fields.name;
    r->gmtBias = OffsetText(minutes(kGMTBiasHour));
    r->dstBias = OffsetText(minutes(kDSTBiasHour));
    r->stdBias = OffsetText(minutes(kStdBiasHour));
    r->dstDate = two(kDSTDay, "-");
    r->dstTime = two(kDSTHour, ":");
    r->stdDate = two(kStdDay, "-");
    r->stdTime = two(kStdHour, ":");
    DispSelectedTime();
    if (ZoneModified()) {
        m_modified = true;
        r->icon = kIconChanged;
    }
}

void ZoneList::actCopyInfo() {
    m_copied = kept(m_fields);
}

void ZoneList::actPasteInfo() {
    if (m_copied) setFields(*m_copied);
}

void ZoneList::actClear() {
    m_fields = ZoneFields{};
}

std::optional<ZoneSelection> ZoneList::zoneToUse() const {
    const auto first = firstSelected();
    if (!first) return std::nullopt;
    return selectionOf(row(*first), m_clock.localTime().year);
}

void ZoneList::DispSelectedTime() {
    const auto first = firstSelected();
    if (!first) return;
    m_preview = previewOf(row(*first), m_clock.timeZoneInformation(), m_clock.localTime());
}

std::string ZoneList::previewTimeText() const {
    if (!hasSelection()) return {};
    std::string text = PreviewTimeText(m_clock.localTime(), m_preview.shift);
    if (m_preview.inDST) {
        text += texts().suffixDaylight;
    } else if (m_preview.inStd) {
        text += texts().suffixStandard;
    }
    return text;
}

std::string ZoneList::previewDateText(int dateFormat, const LocaleNames& names) const {
    if (!hasSelection()) return {};
    return DateText(m_clock.localTime(), m_preview.shift, dateFormat, names);
}

}  // namespace temura
