#include "cli_json.h"

#include <cstdio>

namespace ondrix::cli {

namespace {

/// The length of the UTF-8 sequence at text[i], or 0 when the bytes there are not valid UTF-8.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return uint8_t(text[k]); };
    const uint8_t lead = byte(i);
    std::size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool invalid = code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
    return overlong || invalid ? 0 : length;
}

} // namespace

std::string CJsonWriter::Quote(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const uint8_t c = uint8_t(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c < 0x80) {
            out += char(c);
        } else if (const std::size_t length = Utf8Length(text, i); length != 0) {
            out.append(text, i, length);
            i += length;
            continue;
        } else {
            out += char(0xC0 | (c >> 6)); // a Latin-1 byte as its UTF-8 character
            out += char(0x80 | (c & 0x3F));
        }
        ++i;
    }
    out += '"';
    return out;
}

void CJsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasMember.empty()) {
        if (m_hasMember.back()) {
            m_text += ',';
        }
        m_hasMember.back() = true;
    }
}

CJsonWriter& CJsonWriter::BeginObject() {
    BeforeValue();
    m_text += '{';
    m_hasMember.push_back(false);
    return *this;
}

CJsonWriter& CJsonWriter::EndObject() {
    m_text += '}';
    m_hasMember.pop_back();
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray() {
    BeforeValue();
    m_text += '[';
    m_hasMember.push_back(false);
    return *this;
}

CJsonWriter& CJsonWriter::EndArray() {
    m_text += ']';
    m_hasMember.pop_back();
    return *this;
}

CJsonWriter& CJsonWriter::Key(const std::string& key) {
    BeforeValue();
    m_text += Quote(key);
    m_text += ':';
    m_afterKey = true;
    return *this;
}

CJsonWriter& CJsonWriter::Number(int64_t value) {
    BeforeValue();
    m_text += std::to_string(value);
    return *this;
}

CJsonWriter& CJsonWriter::Bool(bool value) {
    BeforeValue();
    m_text += value ? "true" : "false";
    return *this;
}

CJsonWriter& CJsonWriter::String(const std::string& value) {
    BeforeValue();
    m_text += Quote(value);
    return *this;
}

} // namespace ondrix::cli
