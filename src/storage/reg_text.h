#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace temura {

// One registry value's type and contents.
struct RegData {
    RegType type = RegType::String;   // String, DWord, Binary or Other; never Missing
    std::string text;                 // String: UTF-8
    std::int32_t number = 0;          // DWord
    std::vector<std::uint8_t> bytes;  // Binary, and Other exactly as stored
    std::uint32_t otherType = 0;      // Other: the registry's type number, kept for rewriting

    static RegData string(std::string value);
    static RegData dword(std::int32_t value);
    static RegData binary(std::vector<std::uint8_t> value);
    static RegData other(std::uint32_t registryType, std::vector<std::uint8_t> value);

    bool operator==(const RegData&) const = default;
};

// What an edit of the tree did.
enum class RegChange { Refused, Unchanged, Changed };

// A registry held in memory: the three roots, their keys and values, and the text layout of
// exported registry files to read and write it as.
//
// Keys and value names match without regard to ASCII case and keep the spelling they were
// created with. Subkeys are kept in name order, as the registry lists them; values in the order
// they were first written. Key paths use "\" between parts; "" is the root itself. What the
// Windows registry refuses is refused here as well, so a setting behaves the same on both: empty
// key names, a key name over 255 characters or a value name over 16383, a tree deeper than 512
// levels. So that the file stays one valid UTF-8 text, names and strings must be valid UTF-8,
// and names must not hold line breaks or NUL characters (strings may: they are written in hex).
class RegTree {
  public:
    static constexpr std::size_t kMaxKeyNameChars = 255;
    static constexpr std::size_t kMaxValueNameChars = 16383;
    static constexpr std::size_t kMaxDepth = 512;

    RegTree();
    ~RegTree();
    RegTree(RegTree&&) noexcept;
    RegTree& operator=(RegTree&&) noexcept;
    RegTree(const RegTree&) = delete;
    RegTree& operator=(const RegTree&) = delete;

    // Reads the text of a .reg file: UTF-8 (Windows-1250 when it is not valid UTF-8, UTF-16LE
    // when it starts with that byte-order mark), CR LF or LF line ends. The first line must be
    // "REGEDIT4" or "Windows Registry Editor Version 5.00"; every later line must be blank, a
    // ";" comment, a key header ("[HKEY_CURRENT_USER\...]", or "[-...]" to delete the key) or a
    // value line of the key above it ("Name"= or @= followed by "text", dword:1f, hex:00,01,
    // hex(N):... or - to delete the value; hex lists go on over lines that end in "\"). Anything
    // else, a name the tree would refuse or a root other than the three makes the whole file
    // not parse: nullopt.
    static std::optional<RegTree> parse(const std::string& bytes);

    // "REGEDIT4", a blank line, then every key that holds values or has no subkeys (the others
    // come back by themselves as the parents of those) with its values, each key followed by a
    // blank line. UTF-8, every line ending in CR LF. The same tree always gives the same bytes.
    std::string serialize() const;

    bool keyExists(RegRoot root, std::string_view key) const;
    // Creates the key and any missing parents.
    RegChange createKey(RegRoot root, std::string_view key);
    // The key with everything under it; Unchanged when it was not there. A root is refused.
    RegChange deleteKey(RegRoot root, std::string_view key);
    // Names as spelled at creation, in name order; empty when the key is missing.
    std::vector<std::string> subKeys(RegRoot root, std::string_view key) const;
    // Names as spelled at creation, in the order first written; "" is the default value.
    std::vector<std::string> valueNames(RegRoot root, std::string_view key) const;

    // Null when the key or the value is missing.
    const RegData* value(RegRoot root, std::string_view key, std::string_view name) const;
    // Creates the key when missing. Unchanged when the value already held exactly this.
    RegChange setValue(RegRoot root, std::string_view key, std::string_view name, RegData data);
    RegChange deleteValue(RegRoot root, std::string_view key, std::string_view name);

  private:
    struct Node;

    static RegChange putValue(Node& node, std::string_view name, RegData data);
    static RegChange removeValue(Node& node, std::string_view name);
    static void appendKey(std::string& out, const Node& node, std::string& path, bool isRoot);

    const Node* find(RegRoot root, std::string_view key) const;
    Node* find(RegRoot root, std::string_view key);
    // Null when the path is refused.
    Node* make(RegRoot root, std::string_view key, bool& created);

    std::array<std::unique_ptr<Node>, 3> m_roots;
};

}  // namespace temura
