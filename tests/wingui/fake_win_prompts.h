#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "wingui/win_prompts.h"

namespace temura::test {

// Answers from a queue the test fills; records what was asked and in which language.
class FakeWinPrompts : public wingui::WinPrompts {
  public:
    std::deque<bool> yesNoAnswers;        // empty queue: "No"
    std::deque<std::string> fileAnswers;  // empty queue: cancelled
    struct Asked {
        std::string title;
        std::string text;
        bool english;
    };
    std::vector<Asked> questions;
    std::vector<Asked> messages;
    std::deque<std::optional<std::string>> textAnswers;  // empty queue: cancelled
    std::vector<Asked> textQuestions;                    // `text` is the label
    std::vector<std::string> textInitials;
    std::vector<wingui::PromptIcon> messageIcons;
    std::vector<std::string> fileStarts;              // where each file dialog started
    std::deque<std::optional<Colour>> colourAnswers;  // empty queue: cancelled
    std::vector<Colour> colourInitials;
    std::array<Colour, 5> colourCustom{};

    bool askYesNo(HWND, const std::string& title, const std::string& text, bool english) override {
        questions.push_back({title, text, english});
        if (yesNoAnswers.empty()) return false;
        const bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    void tell(HWND, const std::string& title, const std::string& text, wingui::PromptIcon icon,
              bool english) override {
        messages.push_back({title, text, english});
        messageIcons.push_back(icon);
    }
    std::optional<std::string> askText(HWND, const std::string& title, const std::string& label,
                                       const std::string& initial, bool english) override {
        textQuestions.push_back({title, label, english});
        textInitials.push_back(initial);
        if (textAnswers.empty()) return std::nullopt;
        auto a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }
    std::string openFileName(HWND, const std::string& start, const std::string&,
                             const std::string&) override {
        return nextFile(start);
    }
    std::string saveFileName(HWND, const std::string& start, const std::string&,
                             const std::string&) override {
        return nextFile(start);
    }
    std::optional<Colour> chooseColour(HWND, Colour initial,
                                       const std::array<Colour, 5>& custom) override {
        colourInitials.push_back(initial);
        colourCustom = custom;
        if (colourAnswers.empty()) return std::nullopt;
        const auto a = colourAnswers.front();
        colourAnswers.pop_front();
        return a;
    }

  private:
    std::string nextFile(const std::string& start) {
        fileStarts.push_back(start);
        if (fileAnswers.empty()) return {};
        std::string a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
};

}  // namespace temura::test
