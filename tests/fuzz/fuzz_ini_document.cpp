// IniDocument: any bytes parse; what is written reads back the same and is written the same
// again; copies and edits keep the index right.

#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "storage/ini_document.h"
#include "storage/text_encoding.h"

namespace {

using temura::IniDocument;

bool sameContent(const IniDocument& a, const IniDocument& b) {
    if (a.sections() != b.sections()) return false;
    for (const std::string& section : a.sections()) {
        if (!b.hasSection(section) || a.keys(section) != b.keys(section)) return false;
        for (const std::string& key : a.keys(section)) {
            if (a.value(section, key) != b.value(section, key)) return false;
        }
    }
    return true;
}

// What value() gives back for a value the program set.
std::string asRead(std::string_view value) {
    std::string text(value);
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    return temura::utf8Truncate(text, IniDocument::kMaxValueChars);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = temura::fuzz::bytesOf(data, size);
    const IniDocument doc = IniDocument::parse(bytes);
    const std::string once = doc.serialize();
    const IniDocument again = IniDocument::parse(once);
    FUZZ_CHECK(again.serialize() == once);
    FUZZ_CHECK(sameContent(doc, again));
    for (const std::string& section : doc.sections()) {
        for (const std::string& key : doc.keys(section)) {
            const auto v = doc.value(section, key);
            FUZZ_CHECK(v.has_value());
            FUZZ_CHECK(temura::isValidUtf8(*v));
        }
    }

    IniDocument copy = doc;
    FUZZ_CHECK(copy.serialize() == once && sameContent(copy, doc));

    // Edits with names the file already has (so their first copies and case folding count) and
    // with new ones; the value is the input's tail, as valid UTF-8 as the program's values are.
    const std::string value = temura::decodeFileText(bytes.substr(size > 48 ? size - 48 : 0));
    const auto sections = doc.sections();
    const std::string section = sections.empty() ? "Fuzz" : sections.front();
    const auto keys = copy.keys(section);
    const std::string key = keys.empty() ? "FuzzKey" : keys.back();
    copy.setValue(section, key, value);
    copy.setValue("Fuzz New", "Added", value);
    FUZZ_CHECK(copy.value(section, key) == asRead(value));
    FUZZ_CHECK(copy.value("fuzz new", "ADDED") == asRead(value));
    const IniDocument edited = IniDocument::parse(copy.serialize());
    FUZZ_CHECK(sameContent(edited, copy));
    FUZZ_CHECK(edited.serialize() == copy.serialize());

    copy.eraseSection(section);
    FUZZ_CHECK(!copy.hasSection(section));
    FUZZ_CHECK(!IniDocument::parse(copy.serialize()).hasSection(section));
    copy.eraseAllSections();
    FUZZ_CHECK(copy.sections().empty());
    FUZZ_CHECK(IniDocument::parse(copy.serialize()).sections().empty());
    return 0;
}
