#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <optional>
#include <vector>

#include "qtgui/prompts.h"

namespace temura::test {

// Answers from a queue the test fills; records what was asked.
class FakePrompts : public Prompts {
  public:
    std::deque<bool> yesNoAnswers;    // empty queue: "No"
    std::deque<QString> fileAnswers;  // empty queue: cancelled
    struct Asked {
        QString title;
        QString text;
    };
    std::vector<Asked> questions;
    std::vector<Asked> messages;
    std::vector<PromptIcon> messageIcons;
    std::deque<std::optional<QString>> textAnswers;  // empty queue: cancelled
    std::vector<Asked> textQuestions;                // title and label
    QStringList textInitials;
    int fileDialogs = 0;
    std::deque<std::optional<QColor>> colourAnswers;  // empty queue: cancelled
    std::vector<QColor> colourInitials;               // the colour each dialog opened on
    std::array<QColor, 5> colourCustom;               // the custom colours last offered

    bool askYesNo(QWidget*, const QString& title, const QString& text) override {
        questions.push_back({title, text});
        if (yesNoAnswers.empty()) return false;
        const bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    void tell(QWidget*, const QString& title, const QString& text, PromptIcon icon) override {
        messages.push_back({title, text});
        messageIcons.push_back(icon);
    }
    std::optional<QString> askText(QWidget*, const QString& title, const QString& label,
                                   const QString& initial) override {
        textQuestions.push_back({title, label});
        textInitials.push_back(initial);
        if (textAnswers.empty()) return std::nullopt;
        auto a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFile();
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFile();
    }

    std::optional<QColor> chooseColour(QWidget*, const QColor& initial,
                                       const std::array<QColor, 5>& custom) override {
        colourInitials.push_back(initial);
        colourCustom = custom;
        if (colourAnswers.empty()) return std::nullopt;
        const auto a = colourAnswers.front();
        colourAnswers.pop_front();
        return a;
    }

  private:
    QString nextFile() {
        ++fileDialogs;
        if (fileAnswers.empty()) return {};
        QString f = fileAnswers.front();
        fileAnswers.pop_front();
        return f;
    }
};

}  // namespace temura::test
