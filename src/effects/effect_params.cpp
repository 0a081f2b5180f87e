#include "effects/effect_params.h"

#include <cstring>
#include <utility>

namespace ondrix {

int32_t EffectSettings::Get(const ParamSpec& paramSpec) const noexcept {
    const int32_t* value = Find(paramSpec);
    return value ? *value : paramSpec.defaultValue;
}

bool EffectSettings::Set(const ParamSpec& paramSpec, int32_t value) noexcept {
    int32_t* field = Find(paramSpec);
    if (field) {
        *field = value;
    }
    return field != nullptr;
}

int32_t* EffectSettings::Find(const ParamSpec& paramSpec) noexcept {
    return const_cast<int32_t*>(std::as_const(*this).Find(paramSpec));
}

const int32_t* EffectSettings::Find(const ParamSpec& paramSpec) const noexcept {
    const int32_t* found = nullptr;
    VisitEffectParams(*this, [&](const ParamSpec& param, const int32_t& value) {
        if (!found && std::strcmp(param.key, paramSpec.key) == 0) {
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
