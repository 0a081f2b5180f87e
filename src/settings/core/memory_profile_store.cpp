#include "settings/core/memory_profile_store.h"

namespace ondrix {

int32_t CMemoryProfileStore::GetInt(const std::string& section, const std::string& key,
                                    int32_t defaultValue) const {
    const auto it = m_values.find({section, key});
    if (it == m_values.end()) {
        return defaultValue;
    }
    if (const auto* number = std::get_if<int32_t>(&it->second)) {
        return *number;
    }
    // A text that holds a number reads as that number, as in the INI file.
    return ParseProfileInt(std::get<std::string>(it->second)).value_or(defaultValue);
}

std::string CMemoryProfileStore::GetString(const std::string& section, const std::string& key,
                                           const std::string& defaultValue) const {
    const auto it = m_values.find({section, key});
    if (it == m_values.end()) {
        return defaultValue;
    }
    if (const auto* number = std::get_if<int32_t>(&it->second)) {
        return std::to_string(*number);
    }
    return std::get<std::string>(it->second);
}

void CMemoryProfileStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    m_values[{section, key}] = value;
}

void CMemoryProfileStore::WriteString(const std::string& section, const std::string& key,
                                      const std::string& value) {
    m_values[{section, key}] = value;
}

void CMemoryProfileStore::RemoveValue(const std::string& section, const std::string& key) {
    m_values.erase({section, key});
}

bool CMemoryProfileStore::Flush() {
    ++m_flushes;
    return !m_flushFails;
}

bool CMemoryProfileStore::Has(const std::string& section, const std::string& key) const {
    return m_values.count({section, key}) != 0;
}

} // namespace ondrix
