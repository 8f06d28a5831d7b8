// The main window's links to the windows it opens: the time-zone window and the options and
// save-settings windows, handed over once they exist or made on first use.
#include <QAction>

#include "qtgui/form_main.h"
#include "qtgui/form_options.h"
#include "qtgui/form_save.h"
#include "qtgui/form_time_zones.h"

namespace temura {

void TFormMain::setTimeZonesWindow(TFormTimeZones* window) {
    m_timeZones = window;
    window->setCloseKey(actSelectTimeZone->shortcut());
    connect(window, &TFormTimeZones::zoneUsed, this, &TFormMain::showZoneChanged);
    connect(window, &TFormTimeZones::worldLinesChanged, this, &TFormMain::worldLinesChanged);
    connect(this, &TFormMain::languageChanged, window, &TFormTimeZones::SetLang);
    addRaiseBlocker(window);
    keepAboveTheClock(window);
    addCloseOnMinimize(window);
    actSelectTimeZone->setEnabled(true);
}

void TFormMain::setOptionsWindows(TFormOptions* options, TFormSave* save) {
    m_options = options;
    if (!m_loadedFile.isEmpty()) save->setDefaultFileName(m_loadedFile);
    for (QWidget* w : std::initializer_list<QWidget*>{options, save}) {
        addRaiseBlocker(w);
        keepAboveTheClock(w);
    }
    addCloseOnMinimize(options);
    for (QAction* a : {actOptions, actLoadSettings, actSaveSettings}) a->setEnabled(true);
}

void TFormMain::setWindowMaker(std::function<void()> make) {
    m_windowMaker = std::move(make);
    for (QAction* a : {actOptions, actLoadSettings, actSaveSettings, actSelectTimeZone}) {
        a->setEnabled(true);
    }
}

void TFormMain::makeWindows() {
    if (!m_windowMaker) return;
    const std::function<void()> make = std::move(m_windowMaker);
    m_windowMaker = nullptr;
    make();
}

void TFormMain::actSelectTimeZoneExecute() {
    makeWindows();
    if (!m_timeZones) return;
    m_timeZones->show();
    m_timeZones->raise();
    m_timeZones->activateWindow();
    m_timeZones->InitAll();
}

void TFormMain::actOptionsExecute() {
    makeWindows();
    if (m_options) m_options->open();
}

void TFormMain::actLoadSettingsExecute() {
    makeWindows();
    if (m_options) m_options->actLoadSettingsExecute();
}

void TFormMain::actSaveSettingsExecute() {
    makeWindows();
    if (m_options) m_options->actSaveSettingsExecute();
}

}  // namespace temura
