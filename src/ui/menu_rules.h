#pragma once

// The clock's two menus and its keyboard shortcuts as data: which items, in which order, with
// which shortcut, and when each is checked or enabled. A front end builds its menus and its
// shortcut table from these and forwards the command of the item chosen.

#include <string>
#include <vector>

#include "clock/clock_state.h"
#include "ui/lang_rules.h"

namespace temura {

// Every command of the clock window. The values are the front ends' item and command ids.
enum class Command : int {
    None = 0,
    SetModeT = 100,
    SetModeE,
    SetModeW,
    SetModeU,
    SetModeS,
    Start,
    Pause,
    Stop,
    ShowButtons,
    StoperIncSec,
    StoperDecSec,
    StoperIncMin,
    StoperDecMin,
    ShowMode,
    ShowDate,
    ShowTZName,
    PlayTick,
    FullScreen,
    WorldLines,
    FontSizePlus,
    FontSizeMinus,
    FontBold,
    FontItalic,
    DefaultTimeZone,
    SelectTimeZone,
    LoadSettings,
    SaveSettings,
    Options,
    Help,
    About,
    Minimize,
    Close,
    // Shortcuts without a menu item.
    SysClock,
    ChangeLanguage,
    ChangeTimeFormat,
    ChangeETimeFormat,
    ChangeDateFormat,
    ChangeMode,
    Default,
    // The tray menu's own.
    Restore,
    // Submenus and the section headers, which run nothing.
    SubMode,
    SubStopwatchSteps,
    SubFont,
    SubTimeZone,
    Sep1,
    Sep2,
    Sep3,
};

enum class ItemKind { Command, Submenu, Separator, Header, Exit };

struct MenuItem {
    ItemKind kind = ItemKind::Command;
    Command command = Command::None;
    std::string MainTexts::*caption = nullptr;  // none for a separator
    const char* shortcut = "";                  // as shown beside the caption ("Ctrl+Shift+D")
    std::vector<MenuItem> children;             // a submenu's items
};

// The popup menu, top to bottom.
const std::vector<MenuItem>& popMainItems();
// The tray icon's menu.
const std::vector<MenuItem>& popCtiItems();

// A key that runs a command while the clock has the keyboard, written as the menus show it:
// modifiers "Ctrl+", "Shift+" in that order, then a key name ("1", "B", "F12", "Esc", "Left",
// "Right", "-", "=", "+").
struct Shortcut {
    Command command;
    const char* keys;
};
// Every shortcut of the clock window, the ones without a menu item too.
const std::vector<Shortcut>& mainShortcuts();

struct ItemState {
    bool enabled = true;
    bool checked = false;
};

// What a menu item's state depends on beyond ClockState.
struct MenuContext {
    bool buttonsShown = false;
    bool windowsAvailable = false;  // the options, save, time-zone and About windows exist
};

// The state of an item (or submenu) of either menu as the menu opens.
ItemState menuItemState(Command command, const ClockState& s, const MenuContext& context);

}  // namespace temura
