// The CD drive over libcdio: libcdio's default drive, or the drive or ".cue" image that the environment
// variable ONDRIX_CD_SOURCE names.
#include "audio/accompaniment_backends.h"
#include "audio/backends/cdio_player.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <cstdlib>

namespace ondrix {

namespace {

class CCdioBackend final : public ICdBackend {
public:
    std::unique_ptr<ICdPlayer> Open(const AccompanimentOutput& output) override {
        const char* source = std::getenv("ONDRIX_CD_SOURCE");
        return CCdioPlayer::Open(source ? source : "", output);
    }
};

/// libcdio reports every failure on stderr; the accompaniment reports them in the user's terms.
void IgnoreCdioLog(cdio_log_level_t, const char*) {}

/// Registers the drive when the program starts.
struct Registration {
    Registration() {
        cdio_log_set_handler(&IgnoreCdioLog);
        RegisterCdBackend(&backend);
    }
    CCdioBackend backend;
};
Registration g_registration;

} // namespace

} // namespace ondrix
