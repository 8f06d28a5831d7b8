#include "crash/crash_saves.h"

#include "settings/settings_file.h"
#include "settings/settings_record.h"
#include "zones/zone_catalogue.h"

namespace temura::crash {

Saver::Saver(Files& files, const std::string& folder)
    : m_files(files), m_folder(folder), m_zones(m_clock) {
    m_clock.setLocal(2024, 10, 27, 2, 30);
    m_registry =
        std::make_unique<FileRegistry>(registryPath(), m_files, [this] { return m_clock.local; });
}

void fillVersion(int version, ClockState& state, DisplayLook& look, ZoneList& zones) {
    const bool b = version != 0;
    state.Mode = b ? kModeUtc : kModeTimer;
    state.ModeVisible = b;
    state.DateVisible = !b;
    state.TimerFontColor = b ? 0x00FF00 : 0x0000FF;
    state.UseTZ = true;
    state.TZName = b ? "Version B zone" : "Version A zone";
    state.TZBias = b ? -60 : 330;
    look.X = b ? 640 : 12;
    look.Y = b ? 480 : 34;
    look.TimerFontName = b ? "DejaVu Sans" : "Liberation Sans";
    look.TimerFontSize = b ? 40 : 14;
    look.Alpha = b ? 200 : 255;

    zones.clearRows();
    for (int i = 0; i < kZoneRows; ++i) {
        ZoneRow row;
        row.name = (b ? "Zone B " : "Zone A ") + std::to_string(i) + " with a longer name";
        row.gmtBias = b ? "+01:00" : "-05:30";
        row.stdBias = "+00:00";
        row.dstBias = b ? "+01:00" : "+00:30";
        row.stdDate = b ? "27-10" : "05-11";
        row.stdTime = "03:00";
        row.dstDate = b ? "31-03" : "12-03";
        row.dstTime = "02:00";
        row.kind = "No";
        zones.appendRow(std::move(row));
    }
}

bool Saver::save(int version) {
    ClockState state;
    DisplayLook look;
    fillVersion(version, state, look, m_zones);
    bool ok = SaveInfoToReg(*m_registry, state, look, "/opt/temura/temura");
    ok = SaveIniUserTZ(m_zones, m_files, cataloguePath()) && ok;
    ok = saveSettingsFile(m_files, settingsPath(), SettingsGroups{}, state, look) && ok;
    return ok;
}

}  // namespace temura::crash
