// The registry file: what parses is written in one canonical form that reads back as the same
// tree and is written byte for byte the same again; values the program sets survive the trip.

#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "storage/reg_text.h"
#include "storage/text_encoding.h"

namespace {

using temura::RegData;
using temura::RegRoot;
using temura::RegTree;

constexpr RegRoot kRoots[] = {RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::ClassesRoot};

// Walks both trees through the accessors, by the names the first one reports.
bool sameKey(const RegTree& a, const RegTree& b, RegRoot root, const std::string& key) {
    if (!b.keyExists(root, key)) return false;
    const auto names = a.valueNames(root, key);
    if (names != b.valueNames(root, key)) return false;
    for (const std::string& name : names) {
        const RegData* va = a.value(root, key, name);
        const RegData* vb = b.value(root, key, name);
        if (va == nullptr || vb == nullptr || !(*va == *vb)) return false;
    }
    const auto subKeys = a.subKeys(root, key);
    if (subKeys != b.subKeys(root, key)) return false;
    for (const std::string& sub : subKeys) {
        if (!sameKey(a, b, root, key.empty() ? sub : key + "\\" + sub)) return false;
    }
    return true;
}

bool sameTree(const RegTree& a, const RegTree& b) {
    for (const RegRoot root : kRoots) {
        if (!sameKey(a, b, root, "")) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = temura::fuzz::bytesOf(data, size);
    std::optional<RegTree> tree = RegTree::parse(bytes);
    if (!tree) return 0;

    const std::string once = tree->serialize();
    FUZZ_CHECK(temura::isValidUtf8(once));
    const std::optional<RegTree> again = RegTree::parse(once);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->serialize() == once);
    FUZZ_CHECK(sameTree(*tree, *again));

    // Values as the program writes them, from the input's tail: a string (line breaks and NULs
    // included, which take the hex form), the same bytes as binary, and a number.
    const std::string tail = bytes.substr(size > 64 ? size - 64 : 0);
    const std::string text = temura::decodeFileText(tail);
    const std::vector<std::uint8_t> raw(tail.begin(), tail.end());
    std::uint32_t hash = 0;
    for (const char c : tail) hash = hash * 31 + static_cast<unsigned char>(c);
    const auto number = static_cast<std::int32_t>(hash);
    const std::string key = "Software\\Fuzz\\Values";
    FUZZ_CHECK(tree->setValue(RegRoot::CurrentUser, key, "Text", RegData::string(text)) !=
               temura::RegChange::Refused);
    FUZZ_CHECK(tree->setValue(RegRoot::CurrentUser, key, "Raw", RegData::binary(raw)) !=
               temura::RegChange::Refused);
    FUZZ_CHECK(tree->setValue(RegRoot::CurrentUser, key, "", RegData::dword(number)) !=
               temura::RegChange::Refused);
    const std::optional<RegTree> edited = RegTree::parse(tree->serialize());
    FUZZ_CHECK(edited.has_value());
    FUZZ_CHECK(sameTree(*tree, *edited));
    const RegData* back = edited->value(RegRoot::CurrentUser, key, "text");
    FUZZ_CHECK(back != nullptr && *back == RegData::string(text));

    FUZZ_CHECK(tree->deleteKey(RegRoot::CurrentUser, "Software\\Fuzz") ==
               temura::RegChange::Changed);
    FUZZ_CHECK(!tree->keyExists(RegRoot::CurrentUser, key));
    return 0;
}
