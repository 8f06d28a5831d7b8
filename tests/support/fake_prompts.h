#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "dialogs/prompts.h"

namespace temura::test {

// Answers from a queue the test fills; records what was asked.
class FakePrompts : public Prompts {
public:
    std::deque<bool> yesNoAnswers;     // empty queue: "No"
    std::deque<QString> fileAnswers;   // empty queue: cancelled
    struct Asked {
        QString title;
        QString text;
    };
    std::vector<Asked> questions;
    std::vector<Asked> messages;
    std::vector<PromptIcon> messageIcons;
    int fileDialogs = 0;

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
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFile();
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFile();
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
