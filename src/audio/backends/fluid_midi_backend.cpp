// The MIDI sequencer over FluidSynth: port -1 is FluidSynth's own synthesizer with a General MIDI sound
// font, the other ports are the ALSA sequencer's writable output ports.
#include "audio/accompaniment_backends.h"
#include "audio/backends/alsa_seq_output.h"
#include "audio/backends/fluid_sequence.h"
#include "audio/midi_file.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <filesystem>

namespace ondrix {

namespace {

/// The General MIDI sound fonts Debian installs, the system's chosen default first.
constexpr const char* kSoundFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2",
                                       "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                       "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

std::string FindSoundFont() {
    std::error_code error;
    for (const char* path : kSoundFonts) {
        if (std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    return {};
}

class CFluidMidiBackend final : public IMidiBackend {
public:
    std::vector<std::string> ListPorts() override {
        std::vector<std::string> names;
        for (const SeqPortAddress& port : ListSeqOutputPorts()) {
            names.push_back(port.name);
        }
        return names;
    }

    std::unique_ptr<IMidiSequence> Open(const std::string& path, const AccompanimentOutput& output) override {
        bool wrapped = false;
        std::optional<std::vector<uint8_t>> midi = LoadMidiFile(path, &wrapped);
        // FluidSynth takes any file name and fails only when it plays: the file is checked first. An
        // "RMID" file is played from the Standard MIDI File it wraps.
        if (!midi || (!wrapped && !fluid_is_midifile(path.c_str()))) {
            return nullptr;
        }
        const std::string soundFont = FindSoundFont();
        if (soundFont.empty()) {
            return nullptr;
        }
        return CFluidSequence::Open(std::move(*midi), soundFont, output);
    }
};

/// ALSA and FluidSynth report every failure on stderr; the accompaniment reports them in the user's terms.
extern "C" void IgnoreSequencerError(const char*, int, const char*, int, const char*, ...) {}

/// Registers the sequencer when the program starts.
struct Registration {
    Registration() {
        snd_lib_error_set_handler(&IgnoreSequencerError);
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
        RegisterMidiBackend(&backend);
    }
    CFluidMidiBackend backend;
};
Registration g_registration;

} // namespace

} // namespace ondrix
