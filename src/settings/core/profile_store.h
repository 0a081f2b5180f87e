#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ondrix {

/// Where the settings persist: integers and texts by section and key. An empty section is the root of the
/// program's settings (where `First` lives). Writes may be buffered until Flush.
class IProfileStore {
public:
    virtual ~IProfileStore() = default;
    /// The integer under section/key; defaultValue when it is missing or not a number. Numbers beyond
    /// 32 bits keep their low 32 bits (so 4294967295 reads as -1).
    virtual int32_t GetInt(const std::string& section, const std::string& key,
                           int32_t defaultValue) const = 0;
    /// The text under section/key; defaultValue when it is missing.
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    /// Stores an integer.
    virtual void WriteInt(const std::string& section, const std::string& key, int32_t value) = 0;
    /// Stores a text.
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    /// Removes one value (nothing happens when it is missing).
    virtual void RemoveValue(const std::string& section, const std::string& key) = 0;
    /// Writes every pending change to the medium; false when it could not be written.
    virtual bool Flush() = 0;
    /// Where the settings are kept, for messages (a file name).
    virtual std::string Location() const = 0;
};

/// An integer value stored as text: optional blanks, an optional sign and decimal digits; numbers beyond
/// 32 bits keep their low 32 bits. Nothing for anything else.
std::optional<int32_t> ParseProfileInt(std::string_view text) noexcept;

} // namespace ondrix
