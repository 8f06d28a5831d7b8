#pragma once

#include <functional>
#include <string>
#include <utility>

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
    // is written through, so the link itself survives. A file without its owner's write bit is
    // refused and left as it is (clearReadOnly first where replacing it is wanted).
    bool writeAtomically(const std::string& path, const std::string& bytes) override;

    // The steps of writeAtomically, in order.
    enum class SaveStep { Write, Flush, Rename, FlushFolder };
    // For tests: asked before each step; true makes that step fail as if the system call had
    // (EIO), so the clean-up paths can be checked without a full or failing disk.
    void setStepFailure(std::function<bool(SaveStep)> fails) { m_stepFails = std::move(fails); }

  private:
    bool stepFails(SaveStep step) const;

    std::string m_programFolder;
    std::function<bool(SaveStep)> m_stepFails;
};

}  // namespace temura
