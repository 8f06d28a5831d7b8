#pragma once

#include <string>

#include "platform/files.h"

namespace temura {

// Files through the wide Win32 functions. Paths may use "\" or "/". The program folder is given,
// not looked up, so tests can pick one.
class Win32Files : public Files {
  public:
    explicit Win32Files(std::string programFolder);

    std::string programFolder() const override;
    // GetTempPath without its trailing "\"; the program folder when the system names none.
    std::string tempFolder() const override;
    // A folder on a CD-ROM drive is never writable for the program, whatever a probe would say;
    // the caller then falls back to the temporary folder.
    bool folderWritable(const std::string& folder) const override;
    bool exists(const std::string& path) const override;
    std::optional<std::string> readBytes(const std::string& path) const override;

    bool makeFolders(const std::string& folder) override;
    bool remove(const std::string& path) override;
    // Leaves the archive attribute alone, which also clears hidden and system.
    bool clearReadOnly(const std::string& path) override;
    // A temporary file beside the target, FlushFileBuffers, then
    // MoveFileExW(REPLACE_EXISTING | WRITE_THROUGH) over it.
    bool writeAtomically(const std::string& path, const std::string& bytes) override;

  private:
    std::string m_programFolder;
};

// Whether the path lies on a CD-ROM drive (GetDriveType of its volume).
bool onCdRomDrive(const std::string& path);

}  // namespace temura
