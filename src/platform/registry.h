#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace temura {

enum class RegRoot { CurrentUser, LocalMachine, ClassesRoot };
enum class RegType { Missing, String, DWord, Binary, Other };

// A hierarchical store of string, 32-bit and binary values: the Windows registry, or on Linux
// one text file in the layout of exported registry files. Key paths use "\" between parts,
// as registry paths always do, and match without regard to case.
class Registry {
  public:
    virtual ~Registry() = default;

    virtual bool keyExists(RegRoot root, const std::string& key) const = 0;
    // Opens the key, creating it and its parents when missing; false when that is refused.
    virtual bool createKey(RegRoot root, const std::string& key) = 0;
    virtual std::vector<std::string> subKeys(RegRoot root, const std::string& key) const = 0;
    // Deletes the key with everything under it; true when it is gone afterwards.
    virtual bool deleteKey(RegRoot root, const std::string& key) = 0;

    virtual RegType valueType(RegRoot root, const std::string& key,
                              const std::string& name) const = 0;
    virtual std::optional<std::string> readString(RegRoot root, const std::string& key,
                                                  const std::string& name) const = 0;
    virtual std::optional<std::int32_t> readDWord(RegRoot root, const std::string& key,
                                                  const std::string& name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> readBinary(RegRoot root,
                                                                const std::string& key,
                                                                const std::string& name) const = 0;
    // Writes create the key when missing; false when the store refused.
    virtual bool writeString(RegRoot root, const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual bool writeDWord(RegRoot root, const std::string& key, const std::string& name,
                            std::int32_t value) = 0;
    virtual bool writeBinary(RegRoot root, const std::string& key, const std::string& name,
                             const std::vector<std::uint8_t>& value) = 0;
    // True when the value is gone afterwards (also when it was never there).
    virtual bool deleteValue(RegRoot root, const std::string& key, const std::string& name) = 0;

    // Changes between begin and commit reach the backing store once, at commit (a store that
    // writes through may treat both as no-ops). Returns false when saving failed.
    virtual void beginBatch() = 0;
    virtual bool commitBatch() = 0;
};

// Groups the writes of a scope into one save.
class RegistryBatch {
  public:
    explicit RegistryBatch(Registry& r) : m_registry(r) { m_registry.beginBatch(); }
    ~RegistryBatch() { m_registry.commitBatch(); }
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

  private:
    Registry& m_registry;
};

}  // namespace temura
