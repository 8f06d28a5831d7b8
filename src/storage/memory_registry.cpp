#include "storage/memory_registry.h"

#include <utility>

namespace temura {

namespace {

std::size_t rootIndex(RegRoot root) {
    return static_cast<std::size_t>(root);
}

}  // namespace

bool MemoryRegistry::finish(RegChange change) {
    switch (change) {
        case RegChange::Refused:
            return false;
        case RegChange::Unchanged:
            return true;  // nothing new to save
        case RegChange::Changed:
            break;
    }
    return changed();
}

bool MemoryRegistry::write(RegRoot root, const std::string& key, const std::string& name,
                           RegData data) {
    if (m_readOnly[rootIndex(root)]) return false;
    return finish(m_tree.setValue(root, key, name, std::move(data)));
}

void MemoryRegistry::setWritable(RegRoot root, bool writable) {
    m_readOnly[rootIndex(root)] = !writable;
}

bool MemoryRegistry::keyExists(RegRoot root, const std::string& key) const {
    return m_tree.keyExists(root, key);
}

bool MemoryRegistry::createKey(RegRoot root, const std::string& key) {
    // Opening a key that is there already is no write, so a read-only root still allows it.
    if (m_readOnly[rootIndex(root)]) return m_tree.keyExists(root, key);
    return finish(m_tree.createKey(root, key));
}

std::vector<std::string> MemoryRegistry::subKeys(RegRoot root, const std::string& key) const {
    return m_tree.subKeys(root, key);
}

bool MemoryRegistry::deleteKey(RegRoot root, const std::string& key) {
    if (m_readOnly[rootIndex(root)]) return !m_tree.keyExists(root, key);
    return finish(m_tree.deleteKey(root, key));
}

bool MemoryRegistry::deleteValue(RegRoot root, const std::string& key, const std::string& name) {
    if (m_readOnly[rootIndex(root)]) return m_tree.value(root, key, name) == nullptr;
    return finish(m_tree.deleteValue(root, key, name));
}

RegType MemoryRegistry::valueType(RegRoot root, const std::string& key,
                                  const std::string& name) const {
    const RegData* data = m_tree.value(root, key, name);
    return data == nullptr ? RegType::Missing : data->type;
}

std::optional<std::string> MemoryRegistry::readString(RegRoot root, const std::string& key,
                                                      const std::string& name) const {
    const RegData* data = m_tree.value(root, key, name);
    if (data == nullptr || data->type != RegType::String) return std::nullopt;
    return data->text;
}

std::optional<std::int32_t> MemoryRegistry::readDWord(RegRoot root, const std::string& key,
                                                      const std::string& name) const {
    const RegData* data = m_tree.value(root, key, name);
    if (data == nullptr || data->type != RegType::DWord) return std::nullopt;
    return data->number;
}

std::optional<std::vector<std::uint8_t>> MemoryRegistry::readBinary(RegRoot root,
                                                                    const std::string& key,
                                                                    const std::string& name) const {
    const RegData* data = m_tree.value(root, key, name);
    if (data == nullptr || data->type != RegType::Binary) return std::nullopt;
    return data->bytes;
}

bool MemoryRegistry::writeString(RegRoot root, const std::string& key, const std::string& name,
                                 const std::string& value) {
    return write(root, key, name, RegData::string(value));
}

bool MemoryRegistry::writeDWord(RegRoot root, const std::string& key, const std::string& name,
                                std::int32_t value) {
    return write(root, key, name, RegData::dword(value));
}

bool MemoryRegistry::writeBinary(RegRoot root, const std::string& key, const std::string& name,
                                 const std::vector<std::uint8_t>& value) {
    return write(root, key, name, RegData::binary(value));
}

}  // namespace temura
