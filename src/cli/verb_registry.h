#pragma once

#include <string>
#include <vector>

namespace ondrix::cli {

/// One verb of ondrix-cli: its name, a one-line usage and the function that runs it (exit code).
struct CliVerb {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

/// Registers a verb at start-up: `static VerbRegistration reg{{"name", "usage", &Run}};` in the verb's file.
class VerbRegistration {
public:
    explicit VerbRegistration(const CliVerb& verb);
};

/// Every registered verb, sorted by name.
std::vector<CliVerb> RegisteredVerbs();

/// Exit codes shared by the verbs.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitAborted = 130;

} // namespace ondrix::cli
