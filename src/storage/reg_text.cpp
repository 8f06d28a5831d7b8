#include "storage/reg_text.h"

#include <iterator>
#include <list>
#include <map>
#include <unordered_map>
#include <utility>

#include "storage/text_encoding.h"

namespace temura {

struct RegTree::Node {
    std::string name;
    std::map<std::string, std::unique_ptr<Node>> children;  // folded name -> key, in name order
    // A list, so erasing a value costs nothing in proportion to the key's other values.
    using Values = std::list<std::pair<std::string, RegData>>;
    Values values;                                                 // in the order first written
    std::unordered_map<std::string, Values::iterator> valueIndex;  // folded name -> its value
};

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::array<std::string_view, 3> kRootNames = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                                        "HKEY_CLASSES_ROOT"};
constexpr std::uint32_t kTypeString = 1;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeDWord = 4;
// Long hex lists are wrapped as exports wrap them, so the file stays readable.
constexpr std::size_t kHexLineWidth = 77;

std::size_t rootIndex(RegRoot root) {
    return static_cast<std::size_t>(root);
}

// ASCII only: the program's own names are ASCII, and a locale must not change what matches.
std::string fold(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && fold(a) == fold(b);
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to `maxDigits` hex digits and nothing else.
std::optional<std::uint32_t> parseHex(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

void appendHex(std::string& out, std::uint32_t v, int digits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xF];
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Unpaired surrogates and a cut-off last byte become U+FFFD, so the result is always valid.
std::string utf16LeToUtf8(const std::uint8_t* data, std::size_t size) {
    std::string out;
    out.reserve(size);
    std::size_t i = 0;
    auto unit = [&](std::size_t at) {
        return static_cast<char32_t>(data[at] | (data[at + 1] << 8));
    };
    while (i + 1 < size) {
        const char32_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < size) {
            const char32_t low = unit(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? char32_t{0xFFFD} : u);
    }
    if (i < size) appendUtf8(out, 0xFFFD);
    return out;
}

// Length as the Windows registry counts it, in UTF-16 units. The text is valid UTF-8.
std::size_t utf16Length(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80) n += b >= 0xF0 ? 2 : 1;
    }
    return n;
}

bool hasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool validValueName(std::string_view name) {
    return !hasLineBreakOrNul(name) && isValidUtf8(std::string(name)) &&
           utf16Length(name) <= RegTree::kMaxValueNameChars;
}

bool validKeyName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos && validValueName(name) &&
           utf16Length(name) <= RegTree::kMaxKeyNameChars;
}

bool splitKey(std::string_view key, std::vector<std::string_view>& parts) {
    parts.clear();
    if (key.empty()) return true;
    std::size_t start = 0;
    while (true) {
        const std::size_t sep = key.find('\\', start);
        const std::string_view part = key.substr(start, sep - start);
        if (!validKeyName(part) || parts.size() == RegTree::kMaxDepth) return false;
        parts.push_back(part);
        if (sep == std::string_view::npos) return true;
        start = sep + 1;
    }
}

// Keeps only the member the type uses, so equal values compare equal however they were built.
std::optional<RegData> normalized(RegData data) {
    switch (data.type) {
        case RegType::String:
            if (!isValidUtf8(data.text)) return std::nullopt;
            return RegData::string(std::move(data.text));
        case RegType::DWord:
            return RegData::dword(data.number);
        case RegType::Binary:
            return RegData::binary(std::move(data.bytes));
        case RegType::Other:
            return RegData::other(data.otherType, std::move(data.bytes));
        case RegType::Missing:
            break;
    }
    return std::nullopt;
}

// ---- writing ----

void appendQuoted(std::string& out, std::string_view s) {
    out += '"';
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

// "hex:" or "hex(N):" and the bytes; the list breaks after a comma with "\" and goes on indented.
void appendHexList(std::string& out, std::size_t lineStart, const std::uint8_t* data,
                   std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) {
            out += ',';
            if (out.size() - lineStart + 2 > kHexLineWidth) {
                out += "\\\r\n";
                lineStart = out.size();
                out += "  ";
            }
        }
        appendHex(out, data[i], 2);
    }
}

void appendValue(std::string& out, const std::string& name, const RegData& data) {
    const std::size_t lineStart = out.size();
    if (name.empty()) {
        out += '@';
    } else {
        appendQuoted(out, name);
    }
    out += '=';
    switch (data.type) {
        case RegType::String:
            if (hasLineBreakOrNul(data.text)) {
                // A quoted string cannot span lines: the text's bytes with their terminating NUL,
                // as the narrow-text layout of the first line has it.
                out += "hex(1):";
                std::vector<std::uint8_t> bytes(data.text.begin(), data.text.end());
                bytes.push_back(0);
                appendHexList(out, lineStart, bytes.data(), bytes.size());
            } else {
                appendQuoted(out, data.text);
            }
            break;
        case RegType::DWord:
            out += "dword:";
            appendHex(out, static_cast<std::uint32_t>(data.number), 8);
            break;
        case RegType::Binary:
            out += "hex:";
            appendHexList(out, lineStart, data.bytes.data(), data.bytes.size());
            break;
        case RegType::Other:
        case RegType::Missing: {
            int digits = 1;
            while (digits < 8 && (data.otherType >> (digits * 4)) != 0) ++digits;
            out += "hex(";
            appendHex(out, data.otherType, digits);
            out += "):";
            appendHexList(out, lineStart, data.bytes.data(), data.bytes.size());
            break;
        }
    }
    out += "\r\n";
}

// ---- reading ----

class LineReader {
  public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    bool next(std::string_view& line) {
        if (m_done) return false;
        const std::size_t nl = m_text.find('\n', m_pos);
        if (nl == std::string_view::npos) {
            line = m_text.substr(m_pos);
            m_done = true;
        } else {
            line = m_text.substr(m_pos, nl - m_pos);
            m_pos = nl + 1;
        }
        return true;
    }

  private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_done = false;
};

// At the opening quote; leaves `pos` after the closing one. Only \\ and \" are escapes; any other
// backslash stands for itself, as in a hand-written "C:\Temp".
bool readQuoted(std::string_view line, std::size_t& pos, std::string& out) {
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"')) {
            out += line[++pos];
        } else if (c == '"') {
            ++pos;
            return true;
        } else {
            out += c;
        }
    }
    return false;
}

std::optional<std::vector<std::uint8_t>> parseHexList(std::string_view list) {
    std::vector<std::uint8_t> bytes;
    list = trim(list);
    if (list.empty()) return bytes;
    bytes.reserve(list.size() / 3 + 1);
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view token = trim(list.substr(start, comma - start));
        if (token.empty()) {
            // One comma may end the list (a continuation that led nowhere).
            if (comma != std::string_view::npos || bytes.empty()) return std::nullopt;
            return bytes;
        }
        const auto b = parseHex(token, 2);
        if (!b) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*b));
        if (comma == std::string_view::npos) return bytes;
        start = comma + 1;
    }
}

// The data of a hex(N) value as the tree holds it. hex(1) is a string, in the layout's encoding:
// the file's own narrow text under REGEDIT4, UTF-16LE under version 5. Types the program does not
// use keep their bytes as they stand.
RegData fromHex(std::uint32_t type, std::vector<std::uint8_t> bytes, bool wideText) {
    if (type == kTypeBinary) return RegData::binary(std::move(bytes));
    if (type == kTypeDWord && bytes.size() == 4) {
        const std::uint32_t v = bytes[0] | (std::uint32_t{bytes[1]} << 8) |
                                (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
        return RegData::dword(static_cast<std::int32_t>(v));
    }
    if (type != kTypeString) return RegData::other(type, std::move(bytes));
    if (wideText) {
        std::size_t size = bytes.size();
        if (size >= 2 && bytes[size - 1] == 0 && bytes[size - 2] == 0) size -= 2;
        return RegData::string(utf16LeToUtf8(bytes.data(), size));
    }
    if (!bytes.empty() && bytes.back() == 0) bytes.pop_back();
    std::string text(bytes.begin(), bytes.end());
    return RegData::string(isValidUtf8(text) ? std::move(text) : cp1250ToUtf8(text));
}

}  // namespace

// ---- RegData ----

RegData RegData::string(std::string value) {
    RegData d;
    d.type = RegType::String;
    d.text = std::move(value);
    return d;
}

RegData RegData::dword(std::int32_t value) {
    RegData d;
    d.type = RegType::DWord;
    d.number = value;
    return d;
}

RegData RegData::binary(std::vector<std::uint8_t> value) {
    RegData d;
    d.type = RegType::Binary;
    d.bytes = std::move(value);
    return d;
}

RegData RegData::other(std::uint32_t registryType, std::vector<std::uint8_t> value) {
    RegData d;
    d.type = RegType::Other;
    d.otherType = registryType;
    d.bytes = std::move(value);
    return d;
}

// ---- RegTree ----

RegTree::RegTree() {
    for (std::size_t i = 0; i < m_roots.size(); ++i) {
        m_roots[i] = std::make_unique<Node>();
        m_roots[i]->name = kRootNames[i];
    }
}

RegTree::~RegTree() = default;
RegTree::RegTree(RegTree&&) noexcept = default;
RegTree& RegTree::operator=(RegTree&&) noexcept = default;

const RegTree::Node* RegTree::find(RegRoot root, std::string_view key) const {
    std::vector<std::string_view> parts;
    if (!splitKey(key, parts)) return nullptr;
    const Node* node = m_roots[rootIndex(root)].get();
    for (const std::string_view part : parts) {
        const auto it = node->children.find(fold(part));
        if (it == node->children.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

RegTree::Node* RegTree::find(RegRoot root, std::string_view key) {
    return const_cast<Node*>(std::as_const(*this).find(root, key));
}

RegTree::Node* RegTree::make(RegRoot root, std::string_view key, bool& created) {
    created = false;
    std::vector<std::string_view> parts;
    if (!splitKey(key, parts)) return nullptr;
    Node* node = m_roots[rootIndex(root)].get();
    for (const std::string_view part : parts) {
        auto [it, inserted] = node->children.try_emplace(fold(part));
        if (inserted) {
            it->second = std::make_unique<Node>();
            it->second->name = part;
            created = true;
        }
        node = it->second.get();
    }
    return node;
}

bool RegTree::keyExists(RegRoot root, std::string_view key) const {
    return find(root, key) != nullptr;
}

RegChange RegTree::createKey(RegRoot root, std::string_view key) {
    bool created = false;
    if (make(root, key, created) == nullptr) return RegChange::Refused;
    return created ? RegChange::Changed : RegChange::Unchanged;
}

RegChange RegTree::deleteKey(RegRoot root, std::string_view key) {
    std::vector<std::string_view> parts;
    if (!splitKey(key, parts) || parts.empty()) return RegChange::Refused;
    const std::size_t lastSep = key.rfind('\\');
    Node* parent = lastSep == std::string_view::npos ? m_roots[rootIndex(root)].get()
                                                     : find(root, key.substr(0, lastSep));
    if (parent == nullptr) return RegChange::Unchanged;
    return parent->children.erase(fold(parts.back())) > 0 ? RegChange::Changed
                                                          : RegChange::Unchanged;
}

std::vector<std::string> RegTree::subKeys(RegRoot root, std::string_view key) const {
    std::vector<std::string> names;
    if (const Node* node = find(root, key)) {
        names.reserve(node->children.size());
        for (const auto& [folded, child] : node->children) names.push_back(child->name);
    }
    return names;
}

std::vector<std::string> RegTree::valueNames(RegRoot root, std::string_view key) const {
    std::vector<std::string> names;
    if (const Node* node = find(root, key)) {
        names.reserve(node->values.size());
        for (const auto& [name, data] : node->values) names.push_back(name);
    }
    return names;
}

const RegData* RegTree::value(RegRoot root, std::string_view key, std::string_view name) const {
    const Node* node = find(root, key);
    if (node == nullptr) return nullptr;
    const auto it = node->valueIndex.find(fold(name));
    return it == node->valueIndex.end() ? nullptr : &it->second->second;
}

RegChange RegTree::putValue(Node& node, std::string_view name, RegData data) {
    std::optional<RegData> clean = normalized(std::move(data));
    if (!clean || !validValueName(name)) return RegChange::Refused;
    std::string folded = fold(name);
    const auto found = node.valueIndex.find(folded);
    if (found == node.valueIndex.end()) {
        node.values.emplace_back(std::string(name), std::move(*clean));
        node.valueIndex.emplace(std::move(folded), std::prev(node.values.end()));
        return RegChange::Changed;
    }
    RegData& current = found->second->second;
    if (current == *clean) return RegChange::Unchanged;
    current = std::move(*clean);
    return RegChange::Changed;
}

RegChange RegTree::removeValue(Node& node, std::string_view name) {
    const auto it = node.valueIndex.find(fold(name));
    if (it == node.valueIndex.end()) return RegChange::Unchanged;
    node.values.erase(it->second);
    node.valueIndex.erase(it);
    return RegChange::Changed;
}

RegChange RegTree::setValue(RegRoot root, std::string_view key, std::string_view name,
                            RegData data) {
    // Checked before the key is made, so a refused value leaves no new key behind.
    if (!validValueName(name) || data.type == RegType::Missing ||
        (data.type == RegType::String && !isValidUtf8(data.text))) {
        return RegChange::Refused;
    }
    bool created = false;
    Node* node = make(root, key, created);
    if (node == nullptr) return RegChange::Refused;
    const RegChange change = putValue(*node, name, std::move(data));
    return created && change != RegChange::Refused ? RegChange::Changed : change;
}

RegChange RegTree::deleteValue(RegRoot root, std::string_view key, std::string_view name) {
    Node* node = find(root, key);
    return node == nullptr ? RegChange::Unchanged : removeValue(*node, name);
}

// ---- text ----

void RegTree::appendKey(std::string& out, const Node& node, std::string& path, bool isRoot) {
    if (!node.values.empty() || (node.children.empty() && !isRoot)) {
        out += '[';
        out += path;
        out += "]\r\n";
        for (const auto& [name, data] : node.values) appendValue(out, name, data);
        out += "\r\n";
    }
    for (const auto& [folded, child] : node.children) {
        const std::size_t length = path.size();
        path += '\\';
        path += child->name;
        appendKey(out, *child, path, false);
        path.resize(length);
    }
}

std::string RegTree::serialize() const {
    std::string out(kHeader4);
    out += "\r\n\r\n";
    for (const auto& root : m_roots) {
        std::string path = root->name;
        appendKey(out, *root, path, true);
    }
    return out;
}

namespace {

// The data after "=", or nullopt when it is none of the forms. Hex lists take in the lines
// their continuation marks pull in.
std::optional<RegData> parseData(std::string_view data, LineReader& lines, bool wideText) {
    if (!data.empty() && data.front() == '"') {
        std::string text;
        std::size_t pos = 0;
        if (!readQuoted(data, pos, text) || pos != data.size()) return std::nullopt;
        return RegData::string(std::move(text));
    }
    if (startsWithNoCase(data, "dword:")) {
        const auto v = parseHex(data.substr(6), 8);
        if (!v) return std::nullopt;
        return RegData::dword(static_cast<std::int32_t>(*v));
    }
    if (!startsWithNoCase(data, "hex")) return std::nullopt;
    data.remove_prefix(3);
    std::uint32_t type = kTypeBinary;
    if (!data.empty() && data.front() == '(') {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos) return std::nullopt;
        const auto t = parseHex(data.substr(1, close - 1), 8);
        if (!t) return std::nullopt;
        type = *t;
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':') return std::nullopt;
    data.remove_prefix(1);

    std::string joined(data);
    std::string_view next;
    while (!joined.empty() && joined.back() == '\\') {
        joined.pop_back();
        if (!lines.next(next)) return std::nullopt;
        joined += trim(next);
    }
    auto bytes = parseHexList(joined);
    if (!bytes) return std::nullopt;
    return fromHex(type, std::move(*bytes), wideText);
}

}  // namespace

std::optional<RegTree> RegTree::parse(const std::string& bytes) {
    const bool utf16 = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                       static_cast<unsigned char>(bytes[1]) == 0xFE;
    const std::string text =
        utf16 ? utf16LeToUtf8(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2,
                              bytes.size() - 2)
              : decodeFileText(bytes);
    LineReader lines(text);
    std::string_view line;
    lines.next(line);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    if (line != kHeader4 && line != kHeader5) return std::nullopt;
    const bool wideText = line == kHeader5;

    RegTree tree;
    Node* current = nullptr;  // the key value lines go to; none before the first header
    while (lines.next(line)) {
        line = trim(line);
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == '[') {
            if (line.size() < 2 || line.back() != ']') return std::nullopt;
            std::string_view path = line.substr(1, line.size() - 2);
            const bool deletion = !path.empty() && path.front() == '-';
            if (deletion) path.remove_prefix(1);
            const std::size_t sep = path.find('\\');
            const std::string_view rootName = path.substr(0, sep);
            const std::string_view key =
                sep == std::string_view::npos ? std::string_view() : path.substr(sep + 1);
            if (sep != std::string_view::npos && key.empty()) return std::nullopt;
            std::size_t root = 0;
            while (root < kRootNames.size() && !equalsNoCase(rootName, kRootNames[root])) ++root;
            if (root == kRootNames.size()) return std::nullopt;
            const auto regRoot = static_cast<RegRoot>(root);
            if (deletion) {
                if (tree.deleteKey(regRoot, key) == RegChange::Refused) return std::nullopt;
                current = nullptr;  // values under a deleted key have nowhere to go
            } else {
                bool created = false;
                current = tree.make(regRoot, key, created);
                if (current == nullptr) return std::nullopt;
            }
            continue;
        }

        if (current == nullptr || (line.front() != '@' && line.front() != '"')) return std::nullopt;
        std::string name;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (!readQuoted(line, pos, name)) {
            return std::nullopt;
        }
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        if (pos == line.size() || line[pos] != '=') return std::nullopt;
        const std::string_view data = trim(line.substr(pos + 1));
        if (data == "-") {
            if (!validValueName(name)) return std::nullopt;
            removeValue(*current, name);
            continue;
        }
        std::optional<RegData> value = parseData(data, lines, wideText);
        if (!value || putValue(*current, name, std::move(*value)) == RegChange::Refused) {
            return std::nullopt;
        }
    }
    return tree;
}

}  // namespace temura
