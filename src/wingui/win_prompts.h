#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "clock/clock_state.h"

namespace temura::wingui {

enum class PromptIcon { Information, Warning, Question };

// Message boxes and the common file and colour dialogs behind one door, so tests can give the
// next answer. Texts are UTF-8; `english` is the program's language, which the boxes' buttons
// speak.
class WinPrompts {
  public:
    virtual ~WinPrompts() = default;
    // A Yes/No question with the question icon; true only for Yes.
    virtual bool askYesNo(HWND owner, const std::string& title, const std::string& text,
                          bool english) = 0;
    // A message with an OK button.
    virtual void tell(HWND owner, const std::string& title, const std::string& text,
                      PromptIcon icon, bool english) = 0;
    // One line of text under `label`, the box opened on `initial`, with OK and Cancel. None
    // when cancelled.
    virtual std::optional<std::string> askText(HWND owner, const std::string& title,
                                               const std::string& label, const std::string& initial,
                                               bool english) = 0;
    // The common open and save dialogs, started in `start` (a folder, or a file to propose);
    // `filter` is "Label|*.ext" as the settings use it. Empty when the user cancelled.
    virtual std::string openFileName(HWND owner, const std::string& start,
                                     const std::string& filter, const std::string& extension) = 0;
    virtual std::string saveFileName(HWND owner, const std::string& start,
                                     const std::string& filter, const std::string& extension) = 0;
    // The colour dialog on `initial`; `custom` fills its first five custom colours at the first
    // opening only, later openings keep what the user put there. None when cancelled.
    virtual std::optional<Colour> chooseColour(HWND owner, Colour initial,
                                               const std::array<Colour, 5>& custom) = 0;
};

// The real boxes: MessageBoxW with its buttons renamed into the program's language ("Tak",
// "Nie") by a hook on the box's creation; a small dialog of its own for text;
// GetOpenFileNameW, GetSaveFileNameW, ChooseColorW.
class SystemPrompts : public WinPrompts {
  public:
    bool askYesNo(HWND owner, const std::string& title, const std::string& text,
                  bool english) override;
    void tell(HWND owner, const std::string& title, const std::string& text, PromptIcon icon,
              bool english) override;
    std::optional<std::string> askText(HWND owner, const std::string& title,
                                       const std::string& label, const std::string& initial,
                                       bool english) override;
    std::string openFileName(HWND owner, const std::string& start, const std::string& filter,
                             const std::string& extension) override;
    std::string saveFileName(HWND owner, const std::string& start, const std::string& filter,
                             const std::string& extension) override;
    std::optional<Colour> chooseColour(HWND owner, Colour initial,
                                       const std::array<Colour, 5>& custom) override;

  private:
    std::array<COLORREF, 16> m_custom{};
    bool m_customSet = false;
};

// "Temura files (*.TEMURA)|*.temura" as the common dialogs take it: pairs ended by NULs, and a
// last NUL.
std::wstring commonDialogFilter(const std::string& filter);

// The button captions a message box gets in the program's language.
struct BoxButtonTexts {
    const wchar_t* yes;
    const wchar_t* no;
    const wchar_t* ok;
    const wchar_t* cancel;
};
BoxButtonTexts boxButtonTexts(bool english);

}  // namespace temura::wingui
