// The zone catalogue: a user file and a system file (the input cut at its first NUL) load into
// the zone list; saving that list and loading it again gives the same rows.

#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "support/fake_files.h"
#include "support/fake_system_clock.h"
#include "zones/zone_catalogue.h"

namespace {

using namespace temura;

const std::string kUser = "/opt/temura/UserTimeZones.dat";
const std::string kSys = "/opt/temura/TimeZones.dat";

bool sameRow(const ZoneList& a, int i, const ZoneList& b, int j) {
    for (int column = 0; column < kZoneColumnCount; ++column) {
        // The numbers are positions in the whole list.
        if (column != kColNumber && a.cellText(i, column) != b.cellText(j, column)) return false;
    }
    return a.iconIndex(i) == b.iconIndex(j);
}

// The rows of one kind, in list order. The list orders all rows by the text of their numbers,
// so a system section numbered far below zero, or user rows from 101 up, can sit between rows
// of the other kind; within each kind the order is the files' and survives a save.
std::vector<int> rowsOfKind(const ZoneList& list, bool user) {
    std::vector<int> rows;
    for (int i = 0; i < list.rowCount(); ++i) {
        if (list.row(i).isUser() == user) rows.push_back(i);
    }
    return rows;
}

bool sameRows(const ZoneList& a, const ZoneList& b) {
    for (const bool user : {true, false}) {
        const auto ra = rowsOfKind(a, user);
        const auto rb = rowsOfKind(b, user);
        if (ra.size() != rb.size()) return false;
        for (std::size_t k = 0; k < ra.size(); ++k) {
            if (!sameRow(a, ra[k], b, rb[k])) return false;
        }
    }
    return true;
}

void load(ZoneList& list, const Files& files) {
    LoadIniUserTZ(list, files, kUser);
    LoadIniTZ(list, files, kSys);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = temura::fuzz::bytesOf(data, size);
    const std::size_t cut = bytes.find('\0');
    test::FakeFiles files;
    files.files[kUser] = bytes.substr(0, cut);
    if (cut != std::string::npos) files.files[kSys] = bytes.substr(cut + 1);

    const auto users = readCatalogueFile(files, kUser, ZoneKind::User);
    const auto systems = readCatalogueFile(files, kSys, ZoneKind::System);
    for (const auto* entries : {&users, &systems}) {
        for (const ZoneEntry& e : *entries) {
            FUZZ_CHECK(e.Bias >= -kMaxFileOffset && e.Bias <= kMaxFileOffset);
            FUZZ_CHECK(e.StdBias >= -kMaxFileOffset && e.StdBias <= kMaxFileOffset);
            FUZZ_CHECK(e.DSTBias >= -kMaxFileOffset && e.DSTBias <= kMaxFileOffset);
        }
    }

    test::FakeSystemClock clock;
    clock.setLocal(2024, 7, 1, 12, 0);
    ZoneList list(clock, (size & 1) != 0);
    load(list, files);
    FUZZ_CHECK(static_cast<std::size_t>(list.rowCount()) == users.size() + systems.size());
    FUZZ_CHECK(rowsOfKind(list, true).size() == users.size());
    for (int i = 0; i < list.rowCount(); ++i) {
        // The numbers are the rows' positions after loading.
        FUZZ_CHECK(std::stoi(list.row(i).number) == i + 1);
    }
    // The user rows come in their file's order.
    const auto userRows = rowsOfKind(list, true);
    for (std::size_t k = 0; k < userRows.size(); ++k) {
        FUZZ_CHECK(list.row(userRows[k]).name == users[k].DisplayName);
    }

    test::FakeFiles saved;
    FUZZ_CHECK(SaveIniUserTZ(list, saved, kUser));
    FUZZ_CHECK(SaveIniTZ(list, saved, kSys));
    ZoneList reloaded(clock, list.english());
    load(reloaded, saved);
    FUZZ_CHECK(sameRows(list, reloaded));

    // Saving over the files just written finds nothing to change.
    const int writes = saved.writeCount;
    FUZZ_CHECK(SaveIniUserTZ(reloaded, saved, kUser) && SaveIniTZ(reloaded, saved, kSys));
    FUZZ_CHECK(saved.writeCount == writes);
    return 0;
}
