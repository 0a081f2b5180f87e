#include "effects/effect_arguments.h"

#include "controls/format_args.h"
#include "controls/time_format.h"
#include "effects/effect_presets.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "store/sample_store.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace ondrix {

namespace {

std::string Message(uint32_t id, std::initializer_list<std::string_view> texts) {
    return FillStrings(LoadString(id), texts);
}

/// A whole decimal number filling the text.
template <class T> bool ParseInteger(std::string_view text, T& value) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    const auto result = std::from_chars(begin, end, value);
    return begin != end && result.ec == std::errc() && result.ptr == end;
}

/// Splits a text at a separator.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) {
            return parts;
        }
        from = at + 1;
    }
}

bool ParsePoints(std::string_view text, std::vector<EnvelopePoint>& points) {
    points.clear();
    if (text.empty()) {
        return true;
    }
    for (std::string_view pair : Split(text, ',')) {
        const auto fields = Split(pair, ':');
        EnvelopePoint p{};
        if (fields.size() != 2 || !ParseInteger(fields[0], p.position) ||
            !ParseInteger(fields[1], p.volume) || p.position < 0 ||
            p.position > EnvelopeParams::kFullPosition || p.volume < 0 ||
            p.volume > EnvelopeParams::kMaxVolume) {
            return false;
        }
        points.push_back(p);
    }
    return true;
}

/// Sets KEY=VALUE on the parsed command; returns the message when it is not a parameter of the function.
std::string SetParameter(EffectKind kind, EffectParameters& out, std::string_view key,
                         std::string_view value) {
    const std::string_view name = GetEffectInfo(kind).name;
    if (kind == EffectKind::Envelope && key == kEnvPointsKey) {
        return ParsePoints(value, out.settings.envelope.points) ? std::string()
                                                                : Message(str::kBadPointsText, {value});
    }
    for (const ParamRef& ref : EffectParamRefs(kind, out.settings)) {
        if (key == ref.param->key) {
            if (!ParseInteger(value, *ref.value)) {
                return Message(str::kNotANumberText, {key, value});
            }
            out.given.push_back(ref.param);
            return {};
        }
    }
    return Message(str::kUnknownParamText, {name, key});
}

/// The range check of one given parameter against the block; the message when it is outside.
std::string CheckRange(const ParamSpec& param, int64_t value, const CSampleStore& store, int64_t first,
                       int64_t last) {
    const FrameRange range = TimeParamRange(param, first, last);
    switch (param.unit) {
    case ParamUnit::Milliseconds: {
        // The delay edit's range in frames, shown here in milliseconds.
        const int64_t maxMs = store.FramesToMs(range.maximum);
        if (value < 0 || value > maxMs) {
            const TimeFormat ms{TIMEFMT_MS};
            return TimeRangeMessage(0, uint32_t(maxMs), ms);
        }
        return {};
    }
    case ParamUnit::Frames: {
        // 0 stands for the block itself in a period.
        const bool period = std::strcmp(param.key, StretchParams::kLength.key) != 0;
        if ((period && value == 0) || (value >= range.minimum && value <= range.maximum)) {
            return {};
        }
        return TimeRangeMessage(uint32_t(range.minimum), uint32_t(range.maximum),
                                TimeFormat{TIMEFMT_SAMPLES});
    }
    case ParamUnit::Number:
        break;
    }
    return param.Contains(value) ? std::string() : IntegerRangeMessage(param.minimum, param.maximum);
}

} // namespace

FrameRange TimeParamRange(const ParamSpec& param, int64_t first, int64_t last) noexcept {
    const int64_t span = std::max<int64_t>(0, last - first);
    switch (param.unit) {
    case ParamUnit::Milliseconds:
        return {0, std::max<int64_t>(0, span - 1)};
    case ParamUnit::Frames:
        if (std::strcmp(param.key, StretchParams::kLength.key) == 0) {
            return {1, param.maximum};
        }
        return {1, std::max<int64_t>(1, span)};
    case ParamUnit::Number:
        break;
    }
    return {param.minimum, param.maximum};
}

std::string ApplyEffectAssignments(EffectKind kind, int preset, const std::vector<std::string>& assignments,
                                   EffectParameters& out) {
    out = EffectParameters{};
    // The preset first, as the beginner menu writes it; the given values then override it.
    if (preset >= 0) {
        ApplyPreset(kind, preset, out.settings);
    }
    for (const std::string& assignment : assignments) {
        const std::size_t at = assignment.find('=');
        if (at == std::string::npos) {
            return Message(str::kNotAnAssignmentText, {assignment});
        }
        std::string message = SetParameter(kind, out, std::string_view(assignment).substr(0, at),
                                           std::string_view(assignment).substr(at + 1));
        if (!message.empty()) {
            return message;
        }
    }
    if (kind == EffectKind::Stretch && out.settings.stretch.length == 0) {
        return LoadString(str::kNoLengthText);
    }
    return {};
}

std::string CheckEffectRanges(EffectKind kind, const EffectParameters& params, const CSampleStore& store,
                              int64_t first, int64_t last) {
    std::string message;
    VisitEffectParams(kind, params.settings, [&](const ParamSpec& param, int32_t value) {
        for (const ParamSpec* given : params.given) {
            if (message.empty() && given == &param) {
                message = CheckRange(param, value, store, first, last);
            }
        }
    });
    return message;
}

} // namespace ondrix
