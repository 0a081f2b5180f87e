#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

class CSampleStore;

/// Engine state bits returned by GetAudioState.
inline constexpr uint32_t AUDIO_PLAYING = 1;
inline constexpr uint32_t AUDIO_PAUSED = 2;
inline constexpr uint32_t AUDIO_RECORDING = 4;

/// The messages the engine posts about its runs.
inline constexpr uint32_t WM_PLAYSTARTED = 0x0900;
inline constexpr uint32_t WM_PLAYSTOPPED = 0x0901;
inline constexpr uint32_t WM_RECORDSTARTED = 0x0902;
inline constexpr uint32_t WM_RECORDSTOPPED = 0x0903;

/// One posted engine message.
struct AudioMessage {
    uint32_t message = 0;           ///< WM_PLAYSTARTED .. WM_RECORDSTOPPED
    uint32_t wParam = 0;            ///< 0; for a run that a fault ended, the string id of its message
    CSampleStore* lParam = nullptr; ///< the store for the start messages, null for the stop messages
    std::string errorText;          ///< the text to show for a fault (empty when wParam is 0)
};

/// Receives the engine's messages: the start messages on the caller's thread, the stop messages on the
/// audio worker. An implementation only posts or records the message; it must not call the engine of
/// the store back from the worker (the UI posts an event to its own thread).
class IEngineListener {
public:
    virtual ~IEngineListener() = default;
    /// Takes one message.
    virtual void PostAudioMessage(const AudioMessage& message) = 0;
};

} // namespace ondrix
