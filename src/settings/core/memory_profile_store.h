#pragma once

#include "settings/core/profile_store.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace ondrix {

/// A profile store in memory, for tests and for runs that must not touch the user's settings.
class CMemoryProfileStore final : public IProfileStore {
public:
    /// A stored value: an integer or a text.
    using Value = std::variant<int32_t, std::string>;
    /// The values by (section, key).
    using Values = std::map<std::pair<std::string, std::string>, Value>;

    int32_t GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    void RemoveValue(const std::string& section, const std::string& key) override;
    bool Flush() override;
    std::string Location() const override { return "memory"; }

    /// Every stored value.
    const Values& GetValues() const noexcept { return m_values; }
    /// Whether section/key holds a value.
    bool Has(const std::string& section, const std::string& key) const;
    /// Makes Flush fail (as a full disk would) while on; writes still land in memory.
    void SetFlushFails(bool fails) noexcept { m_flushFails = fails; }
    /// Number of Flush calls so far.
    int GetFlushCount() const noexcept { return m_flushes; }

private:
    Values m_values;
    bool m_flushFails = false;
    int m_flushes = 0;
};

} // namespace ondrix
