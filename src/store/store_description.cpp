#include "store/store_description.h"

#include "store/sample_store.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace ondrix {

static_assert(kInfoTextCount == 16, "the description holds the sixteen info texts");

namespace {

constexpr std::string_view kMagic = "ondrix-recovery 1";
constexpr std::size_t kMaxDescriptionBytes = 1 << 20;

/// FNV-1a over the text: a truncated or altered description does not match its end line.
uint32_t Checksum(std::string_view text) noexcept {
    uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash = (hash ^ uint8_t(c)) * 16777619u;
    }
    return hash;
}

/// A value on one line: backslash, line feed and carriage return are escaped.
std::string Escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) {
            return std::nullopt;
        }
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::string Hex(const uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
    return out;
}

bool Unhex(std::string_view text, uint8_t* bytes, std::size_t count) {
    if (text.size() != count * 2) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, value, 16);
        if (error != std::errc() || end != text.data() + 2 * i + 2) {
            return false;
        }
        bytes[i] = uint8_t(value);
    }
    return true;
}

/// A whole decimal number within [low, high].
template <typename T> bool ReadNumber(std::string_view text, T low, T high, T& value) {
    T parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

/// "index value" of an indexed line: the index below count and the unescaped value.
bool ReadIndexed(std::string_view text, std::size_t count, std::size_t& index, std::string& value) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos ||
        !ReadNumber<std::size_t>(text.substr(0, space), 0, count - 1, index)) {
        return false;
    }
    auto unescaped = Unescape(text.substr(space + 1));
    if (!unescaped) {
        return false;
    }
    value = std::move(*unescaped);
    return true;
}

bool MixerInRange(const MixerBlock& mixer) noexcept {
    if (mixer.stereo > 1 || mixer.mainLeft > 200 || mixer.mainRight > 200) {
        return false;
    }
    for (int t = 0; t < kMaxTracks; ++t) {
        if (mixer.volume[t] > 200 || mixer.balance[t] < -100 || mixer.balance[t] > 100) {
            return false;
        }
    }
    return true;
}

/// Reads one "key value" line into the description; false for an unknown key or a bad value.
bool ReadLine(std::string_view key, std::string_view value, StoreDescription& d, uint32_t& seen) {
    enum : uint32_t { kKind = 1, kPid = 2, kTime = 4, kBits = 8, kTracks = 16, kRate = 32, kMixer = 64 };
    std::size_t index = 0;
    std::string text;
    if (key == "kind") {
        seen |= kKind;
        if (value == "take") {
            d.identity.kind = RecoveryKind::Take;
        } else if (value == "changes") {
            d.identity.kind = RecoveryKind::Changes;
        } else {
            return false;
        }
        return true;
    }
    if (key == "pid") {
        seen |= kPid;
        return ReadNumber<int64_t>(value, 0, INT64_MAX, d.pid);
    }
    if (key == "time") {
        seen |= kTime;
        return ReadNumber<int64_t>(value, 0, INT64_MAX, d.identity.time);
    }
    if (key == "bits") {
        seen |= kBits;
        return ReadNumber<uint32_t>(value, 8, 16, d.bits) && (d.bits == 8 || d.bits == 16);
    }
    if (key == "tracks") {
        seen |= kTracks;
        return ReadNumber<uint32_t>(value, 1, kMaxTracks, d.tracks);
    }
    if (key == "rate") {
        seen |= kRate;
        return ReadNumber<uint32_t>(value, 1, 4000000, d.rate);
    }
    if (key == "mixer") {
        seen |= kMixer;
        return Unhex(value, reinterpret_cast<uint8_t*>(&d.mixer), sizeof(MixerBlock));
    }
    if (key == "playoff") {
        return Unhex(value, d.playOff.data(), d.playOff.size());
    }
    if (key == "flags") {
        std::array<uint8_t, kMaxTracks * 4> bytes{};
        if (!Unhex(value, bytes.data(), bytes.size())) {
            return false;
        }
        for (int t = 0; t < kMaxTracks; ++t) {
            d.trackFlags[t] = uint32_t(bytes[4 * t]) << 24 | uint32_t(bytes[4 * t + 1]) << 16 |
                              uint32_t(bytes[4 * t + 2]) << 8 | bytes[4 * t + 3];
        }
        return true;
    }
    if (key == "name") {
        if (!ReadIndexed(value, kMaxTracks, index, text)) {
            return false;
        }
        d.trackNames[index] = std::move(text);
        return true;
    }
    if (key == "info") {
        if (!ReadIndexed(value, kInfoTextCount, index, text)) {
            return false;
        }
        d.infoTexts[index] = std::move(text);
        return true;
    }
    if (key == "path" || key == "title") {
        auto unescaped = Unescape(value);
        if (!unescaped) {
            return false;
        }
        (key == "path" ? d.identity.documentPath : d.identity.title) = std::move(*unescaped);
        return true;
    }
    return false;
}

constexpr uint32_t kRequiredKeys = 127;

} // namespace

std::string DescriptionPathFor(const std::string& dataPath) {
    return dataPath + kDescriptionSuffix;
}

StoreDescription DescribeStore(const CSampleStore& store, const RecoveryIdentity& identity) {
    StoreDescription d;
    d.identity = identity;
    if (d.identity.time == 0) {
        d.identity.time = int64_t(std::time(nullptr));
    }
    d.pid = int64_t(::getpid());
    d.bits = store.GetBitsPerSample();
    d.tracks = store.GetTrackCount();
    d.rate = store.GetSampleRate();
    store.GetMixer(d.mixer);
    d.playOff = store.m_playOff;
    d.trackFlags = store.m_trackFlags;
    d.trackNames = store.m_trackNames;
    for (int i = 0; i < kInfoTextCount; ++i) {
        d.infoTexts[i] = store.m_infoTexts[i];
    }
    return d;
}

std::string FormatDescription(const StoreDescription& d) {
    std::string text(kMagic);
    text += '\n';
    auto line = [&text](std::string_view key, const std::string& value) {
        text.append(key).append(" ").append(value).append("\n");
    };
    line("kind", d.identity.kind == RecoveryKind::Take ? "take" : "changes");
    line("pid", std::to_string(d.pid));
    line("time", std::to_string(d.identity.time));
    line("bits", std::to_string(d.bits));
    line("tracks", std::to_string(d.tracks));
    line("rate", std::to_string(d.rate));
    line("mixer", Hex(reinterpret_cast<const uint8_t*>(&d.mixer), sizeof(MixerBlock)));
    line("playoff", Hex(d.playOff.data(), d.playOff.size()));
    std::array<uint8_t, kMaxTracks * 4> flags{};
    for (int t = 0; t < kMaxTracks; ++t) {
        for (int b = 0; b < 4; ++b) {
            flags[4 * t + b] = uint8_t(d.trackFlags[t] >> (24 - 8 * b));
        }
    }
    line("flags", Hex(flags.data(), flags.size()));
    for (int t = 0; t < kMaxTracks; ++t) {
        if (!d.trackNames[t].empty()) {
            line("name", std::to_string(t) + " " + Escape(d.trackNames[t]));
        }
    }
    for (int i = 0; i < kInfoTextCount; ++i) {
        if (!d.infoTexts[i].empty()) {
            line("info", std::to_string(i) + " " + Escape(d.infoTexts[i]));
        }
    }
    line("path", Escape(d.identity.documentPath));
    line("title", Escape(d.identity.title));
    return SealDescription(std::move(text));
}

std::string SealDescription(std::string body) {
    char sum[16];
    std::snprintf(sum, sizeof sum, "%08x", Checksum(body));
    return body.append("end ").append(sum).append("\n");
}

std::optional<StoreDescription> ParseDescription(std::string_view text) {
    if (text.size() > kMaxDescriptionBytes || text.substr(0, kMagic.size()) != kMagic ||
        text.size() <= kMagic.size() || text[kMagic.size()] != '\n') {
        return std::nullopt;
    }
    // the end line closes the text and carries the checksum of everything before it
    if (text.back() != '\n') {
        return std::nullopt;
    }
    const std::size_t endLine = text.rfind("\nend ", text.size() - 1);
    if (endLine == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view body = text.substr(0, endLine + 1);
    const std::string_view sumText = text.substr(endLine + 5, text.size() - endLine - 6);
    uint32_t sum = 0;
    const auto [end, error] = std::from_chars(sumText.data(), sumText.data() + sumText.size(), sum, 16);
    if (sumText.size() != 8 || error != std::errc() || end != sumText.data() + sumText.size() ||
        sum != Checksum(body)) {
        return std::nullopt;
    }
    StoreDescription d;
    uint32_t seen = 0;
    std::size_t at = kMagic.size() + 1;
    while (at < body.size()) {
        const std::size_t newline = body.find('\n', at);
        const std::string_view line = body.substr(at, newline - at);
        at = newline + 1;
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos ||
            !ReadLine(line.substr(0, space), line.substr(space + 1), d, seen)) {
            return std::nullopt;
        }
    }
    if (seen != kRequiredKeys || !MixerInRange(d.mixer)) {
        return std::nullopt;
    }
    return d;
}

} // namespace ondrix
