#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/zone_table_source.h"
#include "wingui/dialog_window.h"
#include "wingui/form_main.h"
#include "wingui/gdi_font.h"
#include "wingui/win_prompts.h"
#include "zones/world_line.h"
#include "zones/zone_list.h"

namespace temura::wingui {

// The zone table the update command rebuilds the system zones from, for the given year.
using ZoneTableFactory = std::function<std::unique_ptr<ZoneTableSource>(int year)>;

// The time-zone window: browses and edits the zone catalogue, previews the highlighted zone's
// time, takes a zone into use on the clock and chooses the world lines. Every rule lives in
// ZoneList and the world-choice rules; this window renders them and forwards the user's actions.
class TFormTimeZones : public DialogWindow {
  public:
    // Command ids: buttons, popup items and keys share them. None is IDOK or IDCANCEL, which
    // the dialog keys send on their own.
    enum Id : int {
        kIdAdd = 100,
        kIdDelete,
        kIdUp,
        kIdDown,
        kIdUpdate,
        kIdMarkUser,
        kIdMarkSystem,
        kIdCopy,
        kIdPaste,
        kIdClear,
        kIdOK,
        kIdUse,
        kIdWorld,  // checked in the popup while the selected zone has a line
        kIdWorldEarlier,
        kIdWorldLater,
        kIdWorldName,
        kIdCancel,
        kIdCloseKey,
        kIdList,
        kIdName,
        kIdSpinEdit = 200,  // + ZoneField
        kIdSpin = 300,      // + ZoneField
    };
    static constexpr UINT_PTR kTimerPreview = 1;  // Timer1
    static constexpr UINT_PTR kTimerLoad = 2;     // TimerTZ

    TFormTimeZones(TFormMain& main, Files& files, WinPrompts& prompts, ZoneTableFactory zoneTable);
    ~TFormTimeZones() override;

    // The clock's opener: shows the window and brings its enabling up to date.
    void open();
    void InitAll();
    // Every caption in the clock's language; kind texts in the rows stay.
    void SetLang();
    // The first load of the list; TimerTZ runs it once, half a second after creation.
    void TimerTZTimer();
    // The preview labels; Timer1 runs it while the window is visible.
    void Timer1Timer();
    // Writes the catalogue files when the list holds unsaved changes (program end).
    void saveIfModified();

    ZoneList& list() { return m_list; }
    const ZoneList& list() const { return m_list; }
    HMENU popLv() const { return m_popLv; }

    HWND lv = nullptr;
    HWND btnAdd = nullptr, btnDelete = nullptr, btnUp = nullptr, btnDown = nullptr;
    HWND Button3 = nullptr;  // update
    HWND lblName = nullptr, edName = nullptr;
    HWND Button1 = nullptr, Button2 = nullptr, Button4 = nullptr, Button7 = nullptr;  // copy..OK
    HWND gbGMTBias = nullptr, gbDSTBias = nullptr, gbStdBias = nullptr;
    HWND gbDST = nullptr, gbStd = nullptr;
    // The edit-and-up-down pairs and their captions, in ZoneField order.
    std::array<HWND, kZoneFieldCount> spinEdit{};
    std::array<HWND, kZoneFieldCount> spin{};
    std::array<HWND, kZoneFieldCount> spinLabel{};
    HWND lblSelZoneTime = nullptr, lblTZTime = nullptr, lblTZDate = nullptr;
    HWND btnWorld = nullptr, btnUse = nullptr, btnCancel = nullptr;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(int id, int code, HWND control) override;
    bool onClose() override;

  private:
    // Holds a flag for the length of a scope.
    class FlagGuard {
      public:
        explicit FlagGuard(bool& flag) : m_flag(flag), m_old(flag) { flag = true; }
        ~FlagGuard() { m_flag = m_old; }
        FlagGuard(const FlagGuard&) = delete;
        FlagGuard& operator=(const FlagGuard&) = delete;

      private:
        bool& m_flag;
        bool m_old;
    };

    void createControls();
    void createList();
    void createPopup();
    void layout();
    void runAction(int id);
    LRESULT onNotify(const NMHDR& n);
    LRESULT customDraw(NMLVCUSTOMDRAW& cd);
    void fillDispInfo(NMLVDISPINFOW& info);
    void showPopup(LPARAM at);

    void render();
    void renderRows();
    void renderSelection();
    void renderFields();
    void lvSelectItem();
    void afterAction(void (ZoneList::*action)());
    void actAddExecute();
    void actOKExecute();
    void actUseExecute();
    // The Clock column and the world commands, after the lines changed here or elsewhere.
    void renderWorld();
    void worldEdited();
    void actWorldExecute();
    void actWorldMoveExecute(int step);
    void actWorldNameExecute();
    void actUpdateTZExecute();
    int defaultButton() const;

    TFormMain& m_main;
    ClockState& m_state;
    Files& m_files;
    WinPrompts& m_prompts;
    ZoneTableFactory m_zoneTable;
    ZoneList m_list;
    HMENU m_popLv = nullptr;
    HIMAGELIST m_icons = nullptr;
    GdiFont m_boldFont;
    std::wstring m_cellText;  // the text handed to the list for one cell
    SIZE m_minSize{};
    std::vector<WorldLine> m_shownLines;  // the lines the Clock column shows
    // Set while the controls are brought in line with the model, so their change notifications
    // do not travel back into it.
    bool m_rendering = false;
};

}  // namespace temura::wingui
