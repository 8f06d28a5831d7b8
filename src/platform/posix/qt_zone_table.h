#pragma once

#include <optional>
#include <vector>

#include "platform/zone_table_source.h"

class QTimeZone;

namespace temura {

// The zone table of a system that keeps none in the Windows form: every IANA zone Qt knows,
// described by its change-overs in one calendar year (the year of the local date, passed in so
// the table is reproducible and tests can pin it).
class QtZoneTable : public ZoneTableSource {
  public:
    explicit QtZoneTable(int year) : year_(year) {}

    bool available() const override;
    // Sorted by id, without Qt's fixed-offset ids ("UTC+05:30"); plain "UTC" stays.
    std::vector<ZoneTableEntry> zones() const override;

  private:
    int year_;
};

// The table's entry for one zone in `year`: no index, display "(GMT±hh:mm) id" from the standard
// offset, the names of the two parts of the year and a 44-byte rule block. Daylight time is the
// part of the year with the larger offset; the year needs exactly two change-overs, there and
// back, to have one. Otherwise the rule dates are zero and the offset in force for most of the
// year is the bias. Nothing for a zone Qt cannot load.
std::optional<ZoneTableEntry> zoneTableEntry(const QTimeZone& zone, int year);

}  // namespace temura
