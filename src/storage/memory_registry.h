#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "storage/reg_text.h"

namespace temura {

// A registry that lives only in memory, with the same rules for names and keys as the file the
// Linux build keeps: for tests of the code that reads and writes settings, and the base of that
// file store. Writes to a root can be refused on demand, as the machine-wide root refuses a user
// without administrator rights.
class MemoryRegistry : public Registry {
  public:
    MemoryRegistry() = default;
    explicit MemoryRegistry(RegTree tree) : m_tree(std::move(tree)) {}

    bool keyExists(RegRoot root, const std::string& key) const override;
    bool createKey(RegRoot root, const std::string& key) override;
    std::vector<std::string> subKeys(RegRoot root, const std::string& key) const override;
    bool deleteKey(RegRoot root, const std::string& key) override;
    bool deleteValue(RegRoot root, const std::string& key, const std::string& name) override;

    RegType valueType(RegRoot root, const std::string& key, const std::string& name) const override;
    std::optional<std::string> readString(RegRoot root, const std::string& key,
                                          const std::string& name) const override;
    std::optional<std::int32_t> readDWord(RegRoot root, const std::string& key,
                                          const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> readBinary(RegRoot root, const std::string& key,
                                                        const std::string& name) const override;
    bool writeString(RegRoot root, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool writeDWord(RegRoot root, const std::string& key, const std::string& name,
                    std::int32_t value) override;
    bool writeBinary(RegRoot root, const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override;

    // Nothing to save here: both do nothing, and commit reports success.
    void beginBatch() override {}
    bool commitBatch() override { return true; }

    // Every later change under the root is refused (false) and leaves the tree as it was.
    void setWritable(RegRoot root, bool writable);

    const RegTree& tree() const { return m_tree; }

  protected:
    // Called after each edit that changed the tree; its result is the edit's result. A store
    // that keeps the tree somewhere saves it here.
    virtual bool changed() { return true; }
    void replaceTree(RegTree tree) { m_tree = std::move(tree); }

  private:
    bool finish(RegChange change);
    bool write(RegRoot root, const std::string& key, const std::string& name, RegData data);

    RegTree m_tree;
    std::array<bool, 3> m_readOnly{};
};

}  // namespace temura
