#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace temura::test {

// Remembers what was registered; touches nothing on disk.
class FakeShell : public Shell {
public:
    bool associated = false;
    int assocCalls = 0;
    std::string assocPath;
    std::set<std::string> shortcuts;  // locations holding a shortcut
    std::vector<std::string> log;
    bool programPathRegistered = false;
    bool refuseProgramPath = false;

    bool SetAssoc(const std::string& programPath) override {
        ++assocCalls;
        assocPath = programPath;
        const bool isNew = !associated;
        associated = true;
        return isNew;
    }
    void UnAssoc() override { associated = false; }
    bool CreateShortcut(const std::string& linkName, const std::string& target,
                        const std::string& location) override {
        log.push_back("create " + linkName + " " + target + " " + location);
        shortcuts.insert(location);
        return true;
    }
    bool ShortcutExists(const std::string& location) const override {
        return shortcuts.count(location) != 0;
    }
    void DeleteShortcut(const std::string& location) override { shortcuts.erase(location); }
    bool registerProgramPath(const std::string&) override {
        if (refuseProgramPath) return false;
        programPathRegistered = true;
        return true;
    }
    void unregisterProgramPath() override { programPathRegistered = false; }
};

}  // namespace temura::test
