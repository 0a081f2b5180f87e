#include "cli_args.h"

#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "verb_registry.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace ondrix::cli {

namespace {

constexpr uint32_t kMinRawRate = 4000;
constexpr uint32_t kMaxRawRate = 99999;

bool Contains(std::initializer_list<const char*> names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

/// A whole number from least to most, or nothing.
std::optional<uint64_t> ToNumber(const std::string& text, uint64_t least, uint64_t most) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos) {
            return parts;
        }
        start = at + 1;
    }
}

} // namespace

CArgs::CArgs(const std::vector<std::string>& args, std::initializer_list<const char*> flags,
             std::initializer_list<const char*> valued) {
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (options && arg == "--") {
                options = false;
                continue;
            }
            m_operands.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        if (Contains(flags, name) && equals == std::string::npos) {
            m_options[name];
        } else if (Contains(valued, name)) {
            if (equals != std::string::npos) {
                m_options[name] = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                m_options[name] = args[++i];
            } else {
                throw UsageError(FormatStringText(str::kMsgOptionNeedsValue, "--" + name));
            }
        } else {
            throw UsageError(FormatStringText(str::kMsgUnknownOption, arg));
        }
    }
}

std::optional<std::string> CArgs::Value(const std::string& name) const {
    const auto it = m_options.find(name);
    return it == m_options.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void CArgs::ExpectOperands(std::size_t least, std::size_t most) const {
    if (m_operands.size() < least || m_operands.size() > most) {
        throw UsageError(LoadString(str::kMsgOperandCount));
    }
}

RawFormat ParseRawFormat(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() == 4) {
        const auto rate = ToNumber(parts[0], kMinRawRate, kMaxRawRate);
        const auto tracks = ToNumber(parts[1], 1, 32);
        const auto bits = ToNumber(parts[2], 8, 16);
        const auto offset = ToNumber(parts[3], 0, 0xFFFFFFFFu);
        if (rate && tracks && bits && (*bits == 8 || *bits == 16) && offset) {
            return RawFormat{uint32_t(*rate), uint32_t(*tracks), uint32_t(*bits), uint32_t(*offset)};
        }
    }
    throw UsageError(FormatStringText(str::kMsgBadRawFormat, text));
}

int64_t ParseFrame(const std::string& text) {
    if (text == "end") {
        return -1;
    }
    if (const auto frame = ToNumber(text, 0, 0xFFFFFFFFu)) {
        return int64_t(*frame);
    }
    throw UsageError(FormatStringText(str::kMsgBadFrame, text));
}

TrackMask ParseTrackList(const std::string& text, uint32_t trackCount) {
    TrackMask mask{};
    if (text == "all") {
        std::fill(mask.begin(), mask.begin() + std::min<uint32_t>(trackCount, 32), 1u);
        return mask;
    }
    const uint64_t last = trackCount == 0 ? 0 : trackCount - 1;
    for (const std::string& part : Split(text, ',')) {
        const std::vector<std::string> range = Split(part, '-');
        const auto first = ToNumber(range[0], 0, last);
        const auto end = range.size() == 2 ? ToNumber(range[1], 0, last) : first;
        if (trackCount == 0 || range.size() > 2 || !first || !end || *end < *first) {
            throw UsageError(FormatStringText(str::kMsgBadTrackList, text));
        }
        for (uint64_t t = *first; t <= *end; ++t) {
            mask[std::size_t(t)] = 1;
        }
    }
    return mask;
}

uint64_t ParseNumber(const std::string& text, uint64_t least, uint64_t most) {
    if (const auto value = ToNumber(text, least, most)) {
        return *value;
    }
    throw UsageError(FormatStringText(str::kMsgBadNumber, text));
}

void PrintError(const std::string& text) {
    std::fprintf(stderr, "ondrix-cli: %s\n", text.c_str());
}

int ReportUsage(const UsageError& error, const char* usage) {
    PrintError(error.what());
    std::fprintf(stderr, "usage: ondrix-cli %s\n", usage);
    return kExitUsage;
}

} // namespace ondrix::cli
