#pragma once

// The time-zone window's zone list and edit fields, without widgets: the window renders this
// model and forwards the user's actions to it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clock/date_time.h"
#include "clock/text_format.h"
#include "clock/zone_arithmetic.h"
#include "platform/system_clock.h"
#include "zones/world_line.h"
#include "zones/zone_entry.h"
#include "zones/zone_texts.h"

namespace temura {

enum ZoneColumn : int {
    kColNumber,
    kColName,
    kColGMTBias,
    kColStdBias,
    kColDSTBias,
    kColStdDate,
    kColStdTime,
    kColDSTDate,
    kColDSTTime,
    kColSys,
    kColClock,  // the zone's place among the world lines
};

enum class ColumnAlign { Left, Right, Centre };
struct ZoneColumnLayout {
    int width;
    ColumnAlign align;
};
inline constexpr std::array<ZoneColumnLayout, kZoneColumnCount> kZoneColumns{{
    {48, ColumnAlign::Left},
    {200, ColumnAlign::Left},
    {70, ColumnAlign::Right},
    {70, ColumnAlign::Right},
    {70, ColumnAlign::Right},
    {70, ColumnAlign::Centre},
    {70, ColumnAlign::Centre},
    {70, ColumnAlign::Centre},
    {70, ColumnAlign::Centre},
    {50, ColumnAlign::Centre},
    {50, ColumnAlign::Centre},
}};
inline constexpr int kZoneColumnMinWidth = 20;

// Row icons, in the order of the window's image list.
enum ZoneIcon : int {
    kIconSystemAhead,  // Bias < 0
    kIconSystemBehind,
    kIconSystemZero,
    kIconUserAhead,
    kIconUserBehind,
    kIconUserZero,
    kIconChanged,  // added, changed by OK or re-marked since the last load
};

// One row as the list shows it: the zone's fields as display texts, offsets east-positive.
struct ZoneRow {
    std::string number;  // "001" ...
    std::string name;
    std::string gmtBias;
    std::string stdBias;
    std::string dstBias;
    std::string stdDate;
    std::string stdTime;
    std::string dstDate;
    std::string dstTime;
    // The rules' weekdays (0 Sunday): with one, the date is that rule's day in the year the
    // catalogue was built in; without, it is this year's day.
    std::optional<int> stdDow;
    std::optional<int> dstDow;
    std::string kind;  // "Yes"/"Tak" system, "No"/"Nie" user, in the language of its making
    int icon = kIconChanged;
    bool selected = false;
    std::string clock;  // the "Clock" cell, set by ZoneList::markWorldLines

    bool isUser() const { return !TextToBool(kind); }
    const std::string& cell(int column) const;
};

// A loaded zone as a row; the kind text in the given language. Number left empty.
ZoneRow rowFromEntry(const ZoneEntry& entry, bool english);

// The edit fields: the name and the 14 spin positions, in this order.
enum ZoneField : int {
    kGMTBiasHour,
    kGMTBiasMin,
    kDSTBiasHour,
    kDSTBiasMin,
    kStdBiasHour,
    kStdBiasMin,
    kDSTDay,
    kDSTMonth,
    kDSTHour,
    kDSTMin,
    kStdDay,
    kStdMonth,
    kStdHour,
    kStdMin,
    kZoneFieldCount,
};
struct FieldRange {
    int min;
    int max;
};
inline constexpr std::array<FieldRange, kZoneFieldCount> kZoneFieldRanges{{
    {-24, 24},
    {-59, 59},
    {-24, 24},
    {-59, 59},
    {-24, 24},
    {-59, 59},
    {0, 31},
    {0, 12},
    {0, 23},
    {0, 59},
    {0, 31},
    {0, 12},
    {0, 23},
    {0, 59},
}};
// The snapshot and the copied zone keep this many characters of the name.
constexpr std::size_t kZoneNameKeep = 255;

struct ZoneFields {
    std::string name;
    std::array<int, kZoneFieldCount> values{};
    bool operator==(const ZoneFields&) const = default;
};

// Which actions and edit groups are enabled.
struct ZoneActionState {
    bool actAdd = true;
    bool actRemoveSelected = false;
    bool actMoveUp = false;
    bool actMoveDown = false;
    bool actUpdateTZ = true;
    bool actMarkAsUser = false;
    bool actMarkAsSystem = false;
    bool actCopyInfo = true;
    bool actPasteInfo = false;
    bool actClear = true;
    bool actOK = false;
    bool actUse = false;
    bool edName = false;
    bool biasGroups = false;  // gbGMTBias, gbDSTBias, gbStdBias with their edits and spins
    bool startGroups = true;  // gbDST, gbStd
};

// The highlighted zone's time against the local clock.
struct ZonePreview {
    std::int64_t shift = 0;  // minutes to add to local time
    bool inDST = false;
    bool inStd = false;
};

// The instant in `year` of a "dd-mm" date and "hh:mm" time text; 0 when they do not form a valid
// date-time. With the rule's weekday the date is the rule's day in the latest year up to `year`
// in which it falls on that weekday, and the instant that rule's day in `year`.
DateTime changeOverInstant(const std::string& date, const std::string& time,
                           std::optional<int> weekday, int year);
ZonePreview previewOf(const ZoneRow& row, const SysZoneInfo& system, const SystemTime& nowLocal);
// The row taken into use: its texts, change-overs in `year`.
ZoneSelection selectionOf(const ZoneRow& row, int year);

class ZoneList {
  public:
    explicit ZoneList(const SystemClock& clock, bool english = true);

    // SetLang: the language of kind texts written from now on and of the window's captions. Rows
    // keep the kind texts they have.
    void SetLang(bool english);
    bool english() const { return m_english; }
    const ZoneTexts& texts() const { return zoneTexts(m_english); }
    // DialogTitle, with " (name)" of the row that was selected last.
    std::string windowCaption() const;

    // Rows, for an 11-column view.
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const ZoneRow& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    const std::string& cellText(int rowIndex, int column) const {
        return row(rowIndex).cell(column);
    }
    int iconIndex(int rowIndex) const { return row(rowIndex).icon; }
    // User rows show their name in bold.
    bool nameBold(int rowIndex) const { return row(rowIndex).isUser(); }

    // Building the list (the catalogue's load). None of these marks the catalogue modified.
    void clearRows();
    void appendRow(ZoneRow row);
    // Every row's "Clock" cell from the world lines.
    void markWorldLines(const std::vector<WorldLine>& lines);
    // Ascending by number text, character by character, a prefix first; equal texts keep their
    // order.
    void sortByNumber();
    // A changed number re-sorts the list.
    void setNumber(int rowIndex, std::string number);
    // Every number becomes the row's position, three digits; the order stays.
    void Renum();

    // Selection. A change of the selected set refills the edit fields from the first selected
    // row and takes a new snapshot; indices out of range are ignored.
    void setSelection(const std::vector<int>& rows);
    void select(int rowIndex) { setSelection({rowIndex}); }
    std::vector<int> selection() const;
    std::optional<int> firstSelected() const;
    bool hasSelection() const { return firstSelected().has_value(); }

    // Edit fields. Spin positions are held within their ranges.
    const ZoneFields& fields() const { return m_fields; }
    void setName(std::string name) { m_fields.name = std::move(name); }
    void setField(ZoneField field, int value);
    void setFields(const ZoneFields& fields);
    const ZoneFields& SelectionSnapshot() const { return m_snapshot; }
    bool ZoneModified() const;

    ZoneActionState enabledActions() const;
    bool CatalogueModified() const { return m_modified; }
    void setCatalogueModified(bool modified) { m_modified = modified; }

    // Actions. Each does nothing when its condition (a selected row, a copied zone) is missing.
    int actAdd();  // the new row's index
    void actRemoveSelected();
    void actMoveUp();
    void actMoveDown();
    void actMarkAsUser() { markSelected(false); }
    void actMarkAsSystem() { markSelected(true); }
    void actOK();
    void actCopyInfo();
    void actPasteInfo();
    void actClear();
    const std::optional<ZoneFields>& CopiedZone() const { return m_copied; }
    // The first selected row as the caller hands it to applyZone; change-overs in the clock's
    // current year. The edit fields are not looked at.
    std::optional<ZoneSelection> zoneToUse() const;

    // Recomputes the preview of the first selected row from the clock; nothing without one.
    void DispSelectedTime();
    const ZonePreview& preview() const { return m_preview; }
    // lblTZTime and lblTZDate at the clock's current time; both empty without a selected row.
    std::string previewTimeText() const;
    std::string previewDateText(int dateFormat, const LocaleNames& names) const;

  private:
    void selectionChanged();
    void markSelected(bool system);
    void moveFirstSelected(std::int64_t delta);
    ZoneRow* firstSelectedRow();

    const SystemClock& m_clock;
    bool m_english;
    std::vector<ZoneRow> m_rows;
    std::optional<std::string> m_captionName;
    ZoneFields m_fields;
    ZoneFields m_snapshot;
    std::optional<ZoneFields> m_copied;
    ZonePreview m_preview;
    bool m_modified = false;
};

}  // namespace temura
