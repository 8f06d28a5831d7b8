#pragma once

#include <optional>
#include <string>

namespace temura {

// The file system as the program uses it. Paths are UTF-8 and folders come without a trailing
// separator. Every call reports failure by its result and never throws.
class Files {
  public:
    virtual ~Files() = default;

    // The folder of the running program.
    virtual std::string programFolder() const = 0;
    // The platform's temporary folder; the program folder when the platform names none.
    virtual std::string tempFolder() const = 0;
    // Tries for real (creates and deletes a probe file), since permission bits, read-only mounts
    // and access lists all have a say.
    virtual bool folderWritable(const std::string& folder) const = 0;
    virtual bool exists(const std::string& path) const = 0;
    virtual std::optional<std::string> readBytes(const std::string& path) const = 0;

    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool makeFolders(const std::string& folder) = 0;
    // Deletes a file; false when it is not there or stays.
    virtual bool remove(const std::string& path) = 0;
    // Makes the file writable again (on Windows: leaves only the archive attribute).
    virtual bool clearReadOnly(const std::string& path) = 0;
    // The old file stays whole until the new one is complete on disk; on false nothing changed.
    virtual bool writeAtomically(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace temura
