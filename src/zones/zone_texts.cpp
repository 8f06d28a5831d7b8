#include "zones/zone_texts.h"

namespace temura {

namespace {

ZoneTexts englishTexts() {
    ZoneTexts t;
    t.DialogTitle = "Time Zones";
    t.lblName = "Name :";
    t.gbGMTBias = "GMT bias : ";
    t.gbDSTBias = "Daylight saving time bias : ";
    t.gbStdBias = "Standard bias : ";
    t.lblBiasHour = "Hour :";
    t.lblBiasMin = "Minute :";
    t.gbDST = "Daylight saving time starts at: ";
    t.gbStd = "Standard time starts at: ";
    t.lblStartDay = "Day :";
    t.lblStartMonth = "Month :";
    t.lblStartHour = "Hour :";
    t.lblStartMin = "Minute :";
    t.lblSelZoneTime = "Time in selected zone :";
    t.columns = {"No",       "Time zone", "GMT bias", "Std bias", "DST bias", "Std date",
                 "Std time", "DST date",  "DST time", "Sys",      "Clock"};
    t.actAdd = "&Add";
    t.actRemoveSelected = "De&lete";
    t.actMoveUp = "&Up";
    t.actMoveDown = "&Down";
    t.actUpdateTZ = "U&pdate...";
    t.actMarkAsUser = "Mark as user";
    t.actMarkAsSystem = "Mark as system";
    t.actCopyInfo = "Cop&y";
    t.actPasteInfo = "Pas&te";
    t.actClear = "Clear";
    t.actOK = "&OK";
    t.actUse = "Use &selected Time Zone";
    t.actCancel = "&Close";
    t.actEsc = "Exit";
    t.actClose = "Close";
    t.actWorld = "On the clock";
    t.actWorldEarlier = "Earlier on the clock";
    t.actWorldLater = "Later on the clock";
    t.actWorldName = "Name on the clock…";
    t.worldNameLabel = "Name on the clock :";
    t.updateTitle = "Updating time zones";
    t.updateQuestion =
        "All changes in system time zones (column Sys = Yes) will be lost.\r\n"
        "\r\n"
        "Time zones added by user remain unchanged.\r\n"
        "\r\n"
        "Do you wish to continue ?";
    t.updateDone = "Done.";
    t.updateFailed = "Update failed.";
    t.worldFull = "At most 8 world lines.";
    t.suffixDaylight = "  (daylight saving time)";
    t.suffixStandard = "  (standard time)";
    return t;
}

ZoneTexts polishTexts() {
    ZoneTexts t;
    t.DialogTitle = "Strefy czasowe";
    t.lblName = "Nazwa :";
    t.gbGMTBias = "Poprawka czasu GMT : ";
    t.gbDSTBias = "Poprawka czasu letniego (DST) : ";
    t.gbStdBias = "Poprawka czasu standardowego : ";
    t.lblBiasHour = "Godz. :";
    t.lblBiasMin = "Min. :";
    t.gbDST = "Czas letni (DST) rozpoczyna się : ";
    t.gbStd = "Czas standardowy (\"zimowy\") rozp. się : ";
    t.lblStartDay = "Dzień :";
    t.lblStartMonth = "Miesiąc :";
    t.lblStartHour = "Godzina :";
    t.lblStartMin = "Minuta :";
    t.lblSelZoneTime = "Czas w zaznaczonej strefie :";
    t.columns = {"Nr",        "Strefa czasowa", "Popr. GMT", "Popr. st.", "Popr. DST", "Data st.",
                 "Godz. st.", "Data DST",       "Godz. DST", "Sys",       "Zegar"};
    t.actAdd = "&Dodaj";
    t.actRemoveSelected = "U&suń";
    t.actMoveUp = "Do &góry";
    t.actMoveDown = "&W dół";
    t.actUpdateTZ = "&Aktualizuj...";
    t.actMarkAsUser = "Oznacz jako użytkownika";
    t.actMarkAsSystem = "Oznacz jako systemową";
    t.actCopyInfo = "&Kopiuj";
    t.actPasteInfo = "Wk&lej";
    t.actClear = "Czyść";
    t.actOK = "&OK";
    t.actUse = "&Użyj zaznaczonej strefy czasowej";
    t.actCancel = "&Zamknij";
    t.actEsc = "Exit";
    t.actClose = "Close";
    t.actWorld = "Na zegarze";
    t.actWorldEarlier = "Wyżej na zegarze";
    t.actWorldLater = "Niżej na zegarze";
    t.actWorldName = "Nazwa na zegarze…";
    t.worldNameLabel = "Nazwa na zegarze :";
    t.updateTitle = "Aktualizacja stref czasowych";
    t.updateQuestion =
        "Aktualizacja polega na odczycie z rejestru systemowego informacji dotyczących wszystkich "
        "stref czasowych zdefiniowanych w systemie Windows.\r\n"
        "Jeżeli dokonałeś jakichś zmian w systemowych strefach czasowych (kolumna Sys = Tak), "
        "zostaną one utracone.\r\n"
        "\r\n"
        "Strefy czasowe dodane przez użytkownika pozostaną niezmienione.\r\n"
        "\r\n"
        "Czy kontynuować ?";
    t.updateDone = "Aktualizacja zakończona.";
    t.updateFailed = "Aktualizacja nie powiodła się.";
    t.worldFull = "Najwyżej 8 stref świata.";
    t.suffixDaylight = "  (czas letni)";
    t.suffixStandard = "  (Czas standardowy)";
    return t;
}

}  // namespace

const ZoneTexts& zoneTexts(bool english) {
    static const ZoneTexts en = englishTexts();
    static const ZoneTexts pl = polishTexts();
    return english ? en : pl;
}

}  // namespace temura
