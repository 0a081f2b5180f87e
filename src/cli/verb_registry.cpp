#include "verb_registry.h"

#include <algorithm>
#include <cstring>

namespace ondrix::cli {

namespace {
std::vector<CliVerb>& Verbs() {
    static std::vector<CliVerb> verbs;
    return verbs;
}
} // namespace

VerbRegistration::VerbRegistration(const CliVerb& verb) {
    Verbs().push_back(verb);
}

std::vector<CliVerb> RegisteredVerbs() {
    auto verbs = Verbs();
    std::sort(verbs.begin(), verbs.end(),
              [](const CliVerb& a, const CliVerb& b) { return std::strcmp(a.name, b.name) < 0; });
    return verbs;
}

} // namespace ondrix::cli
