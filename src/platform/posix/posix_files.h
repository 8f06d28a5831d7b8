#pragma once

#include <string>

#include "platform/files.h"

namespace temura {

// Files on a POSIX system. The program folder is given, not looked up, so tests can pick one.
class PosixFiles : public Files {
  public:
    explicit PosixFiles(std::string programFolder);

    std::string programFolder() const override;
    std::string tempFolder() const override;
    bool folderWritable(const std::string& folder) const override;
    bool exists(const std::string& path) const override;
    std::optional<std::string> readBytes(const std::string& path) const override;

    bool makeFolders(const std::string& folder) override;
    bool remove(const std::string& path) override;
    bool clearReadOnly(const std::string& path) override;
    // Temporary file beside the target, fsync, rename over it, fsync the folder. A symbolic link
    // is written through, so the link itself survives.
    bool writeAtomically(const std::string& path, const std::string& bytes) override;

  private:
    std::string m_programFolder;
};

}  // namespace temura
