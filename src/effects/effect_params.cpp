#include "effects/effect_params.h"

#include <cstring>
#include <utility>

namespace ondrix {

int32_t EffectSettings::Get(const ParamSpec& spec) const noexcept {
    const int32_t* value = Find(spec);
    return value ? *value : spec.defaultValue;
}

bool EffectSettings::Set(const ParamSpec& spec, int32_t value) noexcept {
    int32_t* field = Find(spec);
    if (field) {
        *field = value;
    }
    return field != nullptr;
}

int32_t* EffectSettings::Find(const ParamSpec& spec) noexcept {
    return const_cast<int32_t*>(std::as_const(*this).Find(spec));
}

const int32_t* EffectSettings::Find(const ParamSpec& spec) const noexcept {
    const int32_t* found = nullptr;
    VisitEffectParams(*this, [&](const ParamSpec& param, const int32_t& value) {
        if (!found && std::strcmp(param.key, spec.key) == 0) {
            found = &value;
        }
    });
    return found;
}

std::vector<ParamRef> EffectParamRefs(EffectKind kind, EffectSettings& settings) {
    std::vector<ParamRef> refs;
    VisitEffectParams(kind, settings, [&](const ParamSpec& param, int32_t& value) {
        refs.push_back({&param, &value});
    });
    return refs;
}

} // namespace ondrix
