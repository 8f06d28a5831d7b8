// Times the zone catalogue on a large synthetic zone table: the build of the system file, and
// loading that file into the zone list with its ordering. Files live in memory, so the figures
// are the catalogue's own cost, without the disk.
//
//   bench_catalogue [zones] [runs]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "support/fake_files.h"
#include "support/fake_system_clock.h"
#include "support/fake_zone_table.h"
#include "zones/zone_catalogue.h"
#include "zones/zone_list.h"
#ifdef TEMURA_BENCH_SYSTEM_TABLE
#include "platform/platform_factory.h"
#endif

namespace {

using namespace temura;
using Clock = std::chrono::steady_clock;

constexpr int kYear = 2026;
const std::string kSys = "/opt/temura/TimeZones.dat";
const std::string kUser = "/opt/temura/UserTimeZones.dat";

std::string offsetLabel(std::int32_t bias) {
    const std::int32_t east = -bias;
    const std::int32_t magnitude = east < 0 ? -east : east;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%02d:%02d", east < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return buf;
}

// A table shaped like a real one: most zones carry an index, in no particular order, so the
// load has real sorting to do; a tenth have none and number by position. Rules are a mix of
// northern and southern change-overs and zones without daylight time.
test::FakeZoneTable syntheticTable(int count) {
    std::mt19937 rng(20260329);
    std::vector<std::int32_t> indices(static_cast<std::size_t>(count));
    std::iota(indices.begin(), indices.end(), 1);
    std::shuffle(indices.begin(), indices.end(), rng);

    const test::RuleDate none{};
    const test::RuleDate north[] = {{10, 0, 5, 3, 0}, {3, 0, 5, 2, 0}};
    const test::RuleDate south[] = {{4, 0, 1, 3, 0}, {10, 0, 1, 2, 0}};
    test::FakeZoneTable table;
    table.entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto bias = static_cast<std::int32_t>(rng() % 105) * 15 - 720;
        std::vector<std::uint8_t> rule;
        switch (rng() % 3) {
            case 0:
                rule = test::ruleBlock(bias, 0, -60, north[0], north[1]);
                break;
            case 1:
                rule = test::ruleBlock(bias, 0, -60, south[0], south[1]);
                break;
            default:
                rule = test::ruleBlock(bias, 0, 0, none, none);
                break;
        }
        std::optional<std::int32_t> index;
        if (i % 10 != 0) index = 100'000 + indices[static_cast<std::size_t>(i)];
        table.entries.push_back(test::tableZone(
            index, "(GMT" + offsetLabel(bias) + ") Area/City_" + std::to_string(i), std::move(rule),
            "Standard " + std::to_string(i), "Daylight " + std::to_string(i)));
    }
    return table;
}

struct Figures {
    double best = 0;
    double median = 0;
};

Figures timeRuns(int runs, const std::function<void()>& body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        body();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

void report(const char* what, const Figures& f) {
    std::printf("  %-34s best %8.2f ms   median %8.2f ms\n", what, f.best, f.median);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const test::FakeZoneTable table = syntheticTable(count);
    test::FakeFiles files;
    test::FakeSystemClock clock;
    clock.setLocal(kYear, 7, 1, 12, 0);

    int written = 0;
    const Figures build = timeRuns(runs, [&] { written = CreateTZIni(files, table, kSys, kYear); });

    ZoneList list(clock);
    const Figures load = timeRuns(runs, [&] {
        LoadIniUserTZ(list, files, kUser);
        LoadIniTZ(list, files, kSys);
    });

    // One user row makes the save write both files.
    list.select(0);
    list.actMarkAsUser();
    const Figures save = timeRuns(runs, [&] {
        files.files.erase(kSys);
        files.files.erase(kUser);
        SaveIniUserTZ(list, files, kUser);
        SaveIniTZ(list, files, kSys);
    });

    const Figures select = timeRuns(runs, [&] {
        for (int i = 0; i < list.rowCount(); i += std::max(1, list.rowCount() / 1000)) {
            list.select(i);
        }
    });

#ifdef TEMURA_BENCH_SYSTEM_TABLE
    // The system's own table (the IANA database on Linux), read as the build goes; the first
    // run reads the zone files from disk, the later ones find them in Qt's cache.
    test::FakeFiles systemFiles;
    int systemZones = 0;
    const Figures systemBuild = timeRuns(
        runs, [&] { systemZones = CreateTZIni(systemFiles, *makeZoneTable(kYear), kSys, kYear); });
    std::printf("The system's zone table, %d runs (in-memory files)\n", runs);
    std::printf("  system file: %d zones, %zu bytes\n", systemZones,
                systemFiles.files[kSys].size());
    report("read + build (CreateTZIni)", systemBuild);
#endif

    std::printf("Zone catalogue, %d synthetic zones, %d runs (in-memory files)\n", count, runs);
    std::printf("  system file: %d zones, %zu bytes\n", written, files.files[kSys].size());
    report("build (CreateTZIni)", build);
    report("load + sort (LoadIniUserTZ/TZ)", load);
    report("save both files", save);
    report("1000 selections (fields+preview)", select);
    std::printf("  rows in list: %d, first %s \"%s\", last %s \"%s\"\n", list.rowCount(),
                list.cellText(0, kColNumber).c_str(), list.cellText(0, kColName).c_str(),
                list.cellText(list.rowCount() - 1, kColNumber).c_str(),
                list.cellText(list.rowCount() - 1, kColName).c_str());
    return written > 0 ? 0 : 1;
}
