#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix::cli {

/// Writes one JSON value (objects, arrays, numbers, booleans, strings) into a string, placing the commas.
/// Strings are written as UTF-8; bytes that are not UTF-8 are taken as Latin-1 characters.
class CJsonWriter {
public:
    /// Starts an object (as a value, or after Key).
    CJsonWriter& BeginObject();
    /// Ends the innermost object.
    CJsonWriter& EndObject();
    /// Starts an array.
    CJsonWriter& BeginArray();
    /// Ends the innermost array.
    CJsonWriter& EndArray();
    /// Writes the key of the next member of an object.
    CJsonWriter& Key(const std::string& key);
    /// Writes a number.
    CJsonWriter& Number(int64_t value);
    /// Writes true or false.
    CJsonWriter& Bool(bool value);
    /// Writes a string.
    CJsonWriter& String(const std::string& value);
    /// The text written so far.
    const std::string& Text() const noexcept { return m_text; }

    /// A string as a quoted JSON string.
    static std::string Quote(const std::string& text);

private:
    void BeforeValue();

    std::string m_text;
    std::vector<bool> m_hasMember; ///< per open object or array: whether a member was written
    bool m_afterKey = false;
};

} // namespace ondrix::cli
