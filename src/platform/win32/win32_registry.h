#pragma once

#include "platform/registry.h"

namespace temura {

// The Windows registry through the wide Reg* functions. Every call opens and closes its key, so
// the object holds nothing and writes reach the registry at once; batches have nothing to group.
class Win32Registry : public Registry {
  public:
    bool keyExists(RegRoot root, const std::string& key) const override;
    bool createKey(RegRoot root, const std::string& key) override;
    std::vector<std::string> subKeys(RegRoot root, const std::string& key) const override;
    // Refuses the empty path: that would be the whole hive.
    bool deleteKey(RegRoot root, const std::string& key) override;
    bool deleteValue(RegRoot root, const std::string& key, const std::string& name) override;

    // REG_SZ is String (REG_EXPAND_SZ, REG_MULTI_SZ and the like are Other), REG_DWORD is
    // DWord, REG_BINARY is Binary. An empty name is the key's default value.
    RegType valueType(RegRoot root, const std::string& key, const std::string& name) const override;
    // Each read answers only for a value of its own type; a string ends at its first NUL.
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

    void beginBatch() override {}
    bool commitBatch() override { return true; }
};

}  // namespace temura
