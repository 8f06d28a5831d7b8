#include "storage/ini_document.h"

#include <iterator>

#include "storage/text_encoding.h"

namespace temura {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// ASCII only: names are the program's own, and a locale must not change what matches.
std::string fold(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

enum class LineKind { Other, Section, Key };

struct LineInfo {
    LineKind kind = LineKind::Other;
    std::string_view name;       // section or key name, trimmed
    std::size_t valueStart = 0;  // key lines: the byte after "="
};

LineInfo classify(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    if (start == line.size() || line[start] == ';') return {};
    if (line[start] == '[') {
        const std::size_t close = line.find(']', start + 1);
        if (close == std::string_view::npos) return {};
        return {LineKind::Section, trim(line.substr(start + 1, close - start - 1)), 0};
    }
    const std::size_t eq = line.find('=', start);
    if (eq == std::string_view::npos) return {};
    const std::string_view key = trim(line.substr(start, eq - start));
    if (key.empty()) return {};
    return {LineKind::Key, key, eq + 1};
}

std::string_view rawValue(std::string_view line, const LineInfo& info) {
    return trim(line.substr(info.valueStart));
}

std::string oneLine(std::string_view value) {
    std::string out(value);
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

}  // namespace

IniDocument::IniDocument(const IniDocument& other)
    : m_preamble(other.m_preamble), m_sections(other.m_sections) {
    reindex();
}

IniDocument& IniDocument::operator=(const IniDocument& other) {
    if (this != &other) {
        m_preamble = other.m_preamble;
        m_sections = other.m_sections;
        reindex();
    }
    return *this;
}

void IniDocument::reindex() {
    m_index.clear();
    for (auto it = m_sections.begin(); it != m_sections.end(); ++it) {
        m_index[fold(it->name)].push_back(it);
    }
}

IniDocument IniDocument::parse(const std::string& bytes) {
    IniDocument doc;
    const std::string text = decodeFileText(bytes);
    const std::string_view all(text);
    Section* current = nullptr;

    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view line = all.substr(pos, end - pos);
        // LF, CR LF and a lone CR all end a line.
        pos = end;
        if (pos < all.size()) pos += all.compare(pos, 2, "\r\n") == 0 ? 2u : 1u;

        const LineInfo info = classify(line);
        if (info.kind == LineKind::Section) {
            doc.m_sections.push_back(Section{std::string(line), std::string(info.name), {}, {}, 0});
            const auto it = std::prev(doc.m_sections.end());
            doc.m_index[fold(info.name)].push_back(it);
            current = &*it;
        } else if (current == nullptr) {
            doc.m_preamble.emplace_back(line);
        } else {
            const std::size_t index = current->lines.size();
            current->lines.emplace_back(line);
            if (info.kind == LineKind::Key) {
                current->firstKey.try_emplace(fold(info.name), index);
                current->keyEnd = index + 1;
            }
        }
    }
    return doc;
}

const IniDocument::Section* IniDocument::find(std::string_view section) const {
    const auto it = m_index.find(fold(section));
    if (it == m_index.end() || it->second.empty()) return nullptr;
    return &*it->second.front();
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Section* s = find(section);
    if (s == nullptr) return std::nullopt;
    const auto k = s->firstKey.find(fold(key));
    if (k == s->firstKey.end()) return std::nullopt;
    const std::string& line = s->lines[k->second];
    return utf8Truncate(std::string(rawValue(line, classify(line))), kMaxValueChars);
}

std::string IniDocument::valueOr(std::string_view section, std::string_view key,
                                 const std::string& fallback) const {
    return value(section, key).value_or(fallback);
}

bool IniDocument::hasSection(std::string_view section) const {
    return find(section) != nullptr;
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> names;
    for (const Section& s : m_sections) {
        if (find(s.name) == &s) names.push_back(s.name);
    }
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> names;
    const Section* s = find(section);
    if (s == nullptr) return names;
    for (std::size_t i = 0; i < s->keyEnd; ++i) {
        const LineInfo info = classify(s->lines[i]);
        if (info.kind != LineKind::Key) continue;
        const auto k = s->firstKey.find(fold(info.name));
        if (k != s->firstKey.end() && k->second == i) names.emplace_back(info.name);
    }
    return names;
}

IniDocument::Section& IniDocument::sectionFor(std::string_view section) {
    auto& copies = m_index[fold(section)];
    if (copies.empty()) {
        const std::string name(section);
        m_sections.push_back(Section{"[" + name + "]", name, {}, {}, 0});
        copies.push_back(std::prev(m_sections.end()));
    }
    return *copies.front();
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = sectionFor(section);
    const std::string text = oneLine(value);
    const std::string folded = fold(key);
    const auto k = s.firstKey.find(folded);
    if (k != s.firstKey.end()) {
        std::string& line = s.lines[k->second];
        const LineInfo info = classify(line);
        // Writing what is already there leaves the line byte for byte as it was; otherwise the
        // line keeps its layout up to the old value.
        if (rawValue(line, info) == text) return;
        std::size_t start = info.valueStart;
        while (start < line.size() && isBlank(line[start])) ++start;
        line = line.substr(0, start) + text;
        return;
    }
    // Only lines after the last key shift, and none of them is a key, so the index stays valid.
    const std::size_t at = s.keyEnd;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at),
                   std::string(key) + "=" + text);
    s.firstKey.emplace(folded, at);
    s.keyEnd = at + 1;
}

void IniDocument::eraseSection(std::string_view section) {
    const auto it = m_index.find(fold(section));
    if (it == m_index.end()) return;
    for (const auto& copy : it->second) m_sections.erase(copy);
    m_index.erase(it);
}

void IniDocument::eraseAllSections() {
    m_index.clear();
    m_sections.clear();
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (const auto& line : m_preamble) size += line.size() + 2;
    for (const Section& s : m_sections) {
        size += s.header.size() + 2;
        for (const auto& line : s.lines) size += line.size() + 2;
    }
    std::string out;
    out.reserve(size);
    const auto put = [&out](const std::string& line) {
        out += line;
        out += "\r\n";
    };
    for (const auto& line : m_preamble) put(line);
    for (const Section& s : m_sections) {
        put(s.header);
        for (const auto& line : s.lines) put(line);
    }
    return out;
}

}  // namespace temura
