#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace temura::test {

// An in-memory file system: files are a map from path to bytes, folders a set of paths.
// Writing into a folder that is not there, or that the test marked read-only, fails, as does
// writing over a read-only file (the Windows rule).
class FakeFiles : public Files {
  public:
    std::string program = "/opt/temura";
    std::string temp = "/tmp";
    std::map<std::string, std::string> files;
    std::set<std::string> folders{"/opt/temura", "/tmp"};
    std::set<std::string> readOnlyFolders;
    std::set<std::string> readOnlyFiles;
    bool failWrites = false;  // the disk is full
    int writeCount = 0;

    std::string programFolder() const override { return program; }
    std::string tempFolder() const override { return temp; }
    bool folderWritable(const std::string& folder) const override {
        return folders.contains(folder) && !readOnlyFolders.contains(folder);
    }
    bool exists(const std::string& path) const override {
        return files.contains(path) || folders.contains(path);
    }
    std::optional<std::string> readBytes(const std::string& path) const override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }

    bool makeFolders(const std::string& folder) override {
        if (files.contains(folder)) return false;
        for (std::filesystem::path p(folder); !p.empty() && p != p.root_path();
             p = p.parent_path()) {
            folders.insert(p.string());
        }
        return true;
    }
    bool remove(const std::string& path) override {
        if (readOnlyFolders.contains(parentOf(path))) return false;
        readOnlyFiles.erase(path);
        return files.erase(path) > 0;
    }
    bool clearReadOnly(const std::string& path) override {
        if (!files.contains(path)) return false;
        readOnlyFiles.erase(path);
        return true;
    }
    bool writeAtomically(const std::string& path, const std::string& bytes) override {
        const std::string parent = parentOf(path);
        if (failWrites || !folderWritable(parent) || readOnlyFiles.contains(path) ||
            folders.contains(path)) {
            return false;
        }
        files[path] = bytes;
        ++writeCount;
        return true;
    }

  private:
    static std::string parentOf(const std::string& path) {
        return std::filesystem::path(path).parent_path().string();
    }
};

}  // namespace temura::test
