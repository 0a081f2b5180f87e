// ondrix-cli: the batch front end over the core. `ondrix-cli VERB [arguments]`.
#include "terminal_progress.h"
#include "verb_registry.h"

#include <cstdio>
#include <cstring>

using namespace ondrix::cli;

namespace {

void PrintUsage() {
    std::fprintf(stderr, "usage: ondrix-cli VERB [arguments]\n\nverbs:\n");
    for (const CliVerb& verb : RegisteredVerbs()) {
        std::fprintf(stderr, "  %s\n", verb.usage);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        PrintUsage();
        return argc < 2 ? kExitUsage : kExitOk;
    }
    for (const CliVerb& verb : RegisteredVerbs()) {
        if (std::strcmp(verb.name, argv[1]) == 0) {
            CTerminalProgress progress;
            const int code = verb.run(std::vector<std::string>(argv + 2, argv + argc));
            return progress.WasInterrupted() && code != kExitOk ? kExitAborted : code;
        }
    }
    std::fprintf(stderr, "ondrix-cli: unknown verb '%s'\n", argv[1]);
    PrintUsage();
    return kExitUsage;
}
