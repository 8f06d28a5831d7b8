#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace temura::test {

// Keys and values in maps, matched without regard to case. Tests can make it refuse writes,
// throw on reading a value, or fail the batch's save; it logs the names written, in order.
class FakeRegistry : public Registry {
  public:
    struct Value {
        RegType type = RegType::Missing;
        std::string text;
        std::int32_t dword = 0;
        std::vector<std::uint8_t> bytes;
        std::string name = {};  // as first written
    };

    std::vector<std::string> writes;    // value names, in the order written
    std::vector<std::string> deletes;   // value names, in the order deleted
    std::set<std::string> throwOnRead;  // value names whose reading throws
    bool refuseWrites = false;
    bool failCommit = false;
    int openBatches = 0;
    int commits = 0;

    bool keyExists(RegRoot root, const std::string& key) const override {
        return m_keys.contains({root, fold(key)});
    }
    bool createKey(RegRoot root, const std::string& key) override {
        if (refuseWrites) return false;
        m_keys[{root, fold(key)}];
        return true;
    }
    std::vector<std::string> subKeys(RegRoot, const std::string&) const override { return {}; }
    bool deleteKey(RegRoot root, const std::string& key) override {
        m_keys.erase({root, fold(key)});
        return true;
    }

    RegType valueType(RegRoot root, const std::string& key,
                      const std::string& name) const override {
        const Value* v = find(root, key, name);
        return v ? v->type : RegType::Missing;
    }
    std::optional<std::string> readString(RegRoot root, const std::string& key,
                                          const std::string& name) const override {
        const Value* v = find(root, key, name);
        if (!v || v->type != RegType::String) return std::nullopt;
        return v->text;
    }
    std::optional<std::int32_t> readDWord(RegRoot root, const std::string& key,
                                          const std::string& name) const override {
        const Value* v = find(root, key, name);
        if (!v || v->type != RegType::DWord) return std::nullopt;
        return v->dword;
    }
    std::optional<std::vector<std::uint8_t>> readBinary(RegRoot root, const std::string& key,
                                                        const std::string& name) const override {
        const Value* v = find(root, key, name);
        if (!v || v->type != RegType::Binary) return std::nullopt;
        return v->bytes;
    }
    bool writeString(RegRoot root, const std::string& key, const std::string& name,
                     const std::string& value) override {
        Value v{RegType::String, value, 0, {}};
        return put(root, key, name, std::move(v));
    }
    bool writeDWord(RegRoot root, const std::string& key, const std::string& name,
                    std::int32_t value) override {
        return put(root, key, name, Value{RegType::DWord, {}, value, {}});
    }
    bool writeBinary(RegRoot root, const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override {
        return put(root, key, name, Value{RegType::Binary, {}, 0, value});
    }
    bool deleteValue(RegRoot root, const std::string& key, const std::string& name) override {
        if (refuseWrites) return false;
        const auto k = m_keys.find({root, fold(key)});
        if (k != m_keys.end()) k->second.erase(fold(name));
        deletes.push_back(name);
        return true;
    }
    void beginBatch() override { ++openBatches; }
    bool commitBatch() override {
        --openBatches;
        ++commits;
        return !failCommit;
    }

    // Test helpers, on HKEY_CURRENT_USER.
    void setOther(const std::string& key, const std::string& name) {
        m_keys[{RegRoot::CurrentUser, fold(key)}][fold(name)] =
            Value{RegType::Other, {}, 0, {}, name};
    }
    // "name=value" for every value of the key, by name, one a line: strings quoted, binary in
    // hex bytes.
    std::string dump(const std::string& key) const {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string out;
        const auto it = m_keys.find({RegRoot::CurrentUser, fold(key)});
        if (it == m_keys.end()) return out;
        for (const auto& [folded, v] : it->second) {
            out += v.name + "=";
            if (v.type == RegType::String) out += '"' + v.text + '"';
            if (v.type == RegType::DWord) out += std::to_string(v.dword);
            for (std::uint8_t b : v.bytes) {
                out += kHex[b >> 4];
                out += kHex[b & 15];
            }
            out += "\n";
        }
        return out;
    }

  private:
    using KeyId = std::pair<RegRoot, std::string>;

    static std::string fold(std::string s) {
        for (char& c : s) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return s;
    }
    const Value* find(RegRoot root, const std::string& key, const std::string& name) const {
        if (throwOnRead.contains(name)) throw std::runtime_error("unreadable " + name);
        const auto k = m_keys.find({root, fold(key)});
        if (k == m_keys.end()) return nullptr;
        const auto v = k->second.find(fold(name));
        return v == k->second.end() ? nullptr : &v->second;
    }
    bool put(RegRoot root, const std::string& key, const std::string& name, Value v) {
        if (refuseWrites) return false;
        Value& slot = m_keys[{root, fold(key)}][fold(name)];
        v.name = slot.name.empty() ? name : slot.name;
        slot = std::move(v);
        writes.push_back(name);
        return true;
    }

    std::map<KeyId, std::map<std::string, Value>> m_keys;
};

}  // namespace temura::test
