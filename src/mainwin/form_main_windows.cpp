// The main window's links to the windows it opens: the time-zone window and the options and
// save-settings windows, handed over once they exist.
#include <QAction>

#include "dialogs/form_options.h"
#include "dialogs/form_save.h"
#include "mainwin/form_main.h"
#include "zones/form_time_zones.h"

namespace temura {

namespace {

void showNonModal(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void TFormMain::setTimeZonesWindow(TFormTimeZones* window) {
    window->setCloseKey(actSelectTimeZone->shortcut());
    connect(actSelectTimeZone, &QAction::triggered, window, [window] {
        showNonModal(window);
        window->InitAll();
    });
    connect(window, &TFormTimeZones::zoneUsed, this, &TFormMain::showZoneChanged);
    connect(this, &TFormMain::languageChanged, window, &TFormTimeZones::SetLang);
    addRaiseBlocker(window);
    addCloseOnMinimize(window);
    actSelectTimeZone->setEnabled(true);
}

void TFormMain::setOptionsWindows(TFormOptions* options, TFormSave* save) {
    connect(actOptions, &QAction::triggered, options, &TFormOptions::open);
    connect(actLoadSettings, &QAction::triggered, options, &TFormOptions::actLoadSettingsExecute);
    connect(actSaveSettings, &QAction::triggered, options, &TFormOptions::actSaveSettingsExecute);
    addRaiseBlocker(options);
    addRaiseBlocker(save);
    addCloseOnMinimize(options);
    for (QAction* a : {actOptions, actLoadSettings, actSaveSettings}) a->setEnabled(true);
}

}  // namespace temura
