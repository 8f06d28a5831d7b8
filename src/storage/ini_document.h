#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace temura {

// An ini file held line by line, so that saving it changes only what the program changed.
//
// Reading rules: section and key names match without regard to ASCII case; where a section or a
// key appears twice, the first copy is the one read (a later copy of a section is dead text until
// the section is erased); values are trimmed of blanks and read up to their first 2047
// characters; quotes are kept. Lines that are neither a section header nor a key line (comments,
// blank lines, junk) are kept exactly, as are lines before the first section.
//
// Section and key names passed in are the program's own: no line breaks, no "]" in a section
// name and no "=" in a key.
class IniDocument {
  public:
    static constexpr std::size_t kMaxValueChars = 2047;

    // Never fails: anything that is not valid UTF-8 is read as Windows-1250, and any line that
    // does not parse is kept as it is.
    static IniDocument parse(const std::string& bytes);

    IniDocument() = default;
    IniDocument(const IniDocument& other);
    IniDocument& operator=(const IniDocument& other);
    IniDocument(IniDocument&&) noexcept = default;
    IniDocument& operator=(IniDocument&&) noexcept = default;
    ~IniDocument() = default;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string valueOr(std::string_view section, std::string_view key,
                        const std::string& fallback) const;
    bool hasSection(std::string_view section) const;
    // Names as first spelled in the file, in file order, each once.
    std::vector<std::string> sections() const;
    // The keys of the section's first copy, as first spelled, in file order, each once.
    std::vector<std::string> keys(std::string_view section) const;

    // An existing key keeps its line, spelling and spacing and takes the new value in place of
    // the old one; a new key goes after the last key line of the section's first copy; a missing
    // section is appended at the end of the file, with no blank line before it (one would pile up
    // with every erase-and-rewrite). Line breaks in the value become blanks.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Every copy of the section, header and all the lines up to the next section.
    void eraseSection(std::string_view section);
    // Every section; lines before the first one stay.
    void eraseAllSections();

    // UTF-8, every line ending in CR LF, the last one too.
    std::string serialize() const;

  private:
    struct Section {
        std::string header;                                     // the header line as it stands
        std::string name;                                       // between the brackets, trimmed
        std::vector<std::string> lines;                         // up to the next header
        std::unordered_map<std::string, std::size_t> firstKey;  // folded key -> index in lines
        std::size_t keyEnd = 0;                                 // one past the last key line
    };
    using SectionList = std::list<Section>;

    const Section* find(std::string_view section) const;
    Section& sectionFor(std::string_view section);
    void reindex();

    std::vector<std::string> m_preamble;
    SectionList m_sections;
    // Folded name -> every copy in file order. A list keeps these valid across erasures, so
    // erasing one section costs nothing in proportion to the file.
    std::unordered_map<std::string, std::vector<SectionList::iterator>> m_index;
};

}  // namespace temura
