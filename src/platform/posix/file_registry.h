#pragma once

#include <functional>
#include <string>

#include "platform/files.h"
#include "platform/system_clock.h"
#include "storage/memory_registry.h"

namespace temura {

// The registry of the Linux build: one text file in the layout of exported registry files,
// read once when made and saved whole, atomically, after every change; inside a batch, once at
// its commit. Writes that change nothing do not touch the file.
//
// A file that does not parse (or cannot be read) is never written over: it is renamed to
// "<file>.bad-YYYYMMDD-HHMMSS" and the store starts empty. If it cannot be moved aside either,
// the store works in memory and every save reports failure, so the file stays as it was.
//
// A failed save keeps the change in memory, reports false, and is tried again with the next
// change or commit: the running program goes on with what the user set, and a disk that comes
// back (space freed) gets all of it.
class FileRegistry : public MemoryRegistry {
  public:
    // `now` gives the local time for the name of a file set aside; it is called only then.
    FileRegistry(std::string path, Files& files, const std::function<SystemTime()>& now);

    void beginBatch() override;
    bool commitBatch() override;

    const std::string& path() const { return m_path; }
    // Where a file that did not parse went; empty when none was set aside.
    const std::string& setAsidePath() const { return m_setAside; }

  protected:
    bool changed() override;

  private:
    void load(const std::function<SystemTime()>& now);
    bool save();

    std::string m_path;
    Files& m_files;
    std::string m_setAside;
    int m_batchDepth = 0;
    bool m_unsaved = false;
    bool m_saveBlocked = false;  // a file we could neither read nor move aside is in the way
};

// $XDG_CONFIG_HOME/temura/registry.reg when that is an absolute path (the XDG rules ignore
// relative ones), else <home>/.config/temura/registry.reg, else <tempFolder>/temura/registry.reg.
std::string defaultRegistryPath(const std::string& xdgConfigHome, const std::string& home,
                                const std::string& tempFolder);

}  // namespace temura
