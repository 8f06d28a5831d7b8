// The clock window's links to the windows it opens and to those that follow its settings.

#include "settings/settings_record.h"
#include "wingui/form_main.h"

namespace temura::wingui {

void TFormMain::setWindowOpeners(WindowOpeners openers) {
    m_openers = std::move(openers);
}

bool TFormMain::hasOpener(Command c) const {
    switch (c) {
        case Command::SelectTimeZone:
            return static_cast<bool>(m_openers.timeZones);
        case Command::Options:
            return static_cast<bool>(m_openers.options);
        case Command::LoadSettings:
            return static_cast<bool>(m_openers.loadSettings);
        case Command::SaveSettings:
            return static_cast<bool>(m_openers.saveSettings);
        case Command::About:
            return static_cast<bool>(m_openers.about);
        default:
            return true;
    }
}

void TFormMain::notify(const std::vector<std::function<void()>>& listeners) {
    for (const auto& f : listeners) f();
}

void TFormMain::showZoneChanged() {
    TimerTimer();
    SetModeStr();
    SetSize();
    notify(m_zoneListeners);
}

void TFormMain::clearRegistryAndQuit() {
    if (m_services.registry && m_services.shell) {
        ClearRegAndExit(*m_services.registry, *m_services.shell);
    }
    m_saveOnClose = false;
    if (m_hwnd) PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

}  // namespace temura::wingui
