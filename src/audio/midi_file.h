#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ondrix {

/// The slowest and the fastest tempo the sequencer is set to, in beats per minute.
inline constexpr int kMinSyncTempo = 16;
inline constexpr int kMaxSyncTempo = 256;

/// A tempo brought into kMinSyncTempo..kMaxSyncTempo.
int ClampSyncTempo(int beatsPerMinute) noexcept;

/// Whether the bytes are a RIFF "RMID" file (a Standard MIDI File wrapped in a RIFF container).
bool IsRmidFile(const std::vector<uint8_t>& bytes) noexcept;

/// The Standard MIDI File of an "RMID" file's "data" chunk; nullopt when there is no such chunk or it
/// runs past the end of the bytes.
std::optional<std::vector<uint8_t>> UnwrapRmid(const std::vector<uint8_t>& bytes);

/// Whether the bytes begin with a Standard MIDI File header ("MThd" with at least six bytes of data).
bool HasMidiHeader(const std::vector<uint8_t>& bytes) noexcept;

/// The tempo of the file's earliest tempo event (over all tracks), in beats per minute rounded to the
/// nearest; 120 when no track sets one. nullopt when the bytes are no readable Standard MIDI File.
std::optional<int> ReadFirstTempo(const std::vector<uint8_t>& midi);

/// Reads a MIDI file into memory, unwrapping an "RMID" file (wrapped then tells so); nullopt when it
/// cannot be read or holds no Standard MIDI File header.
std::optional<std::vector<uint8_t>> LoadMidiFile(const std::string& path, bool* wrapped = nullptr);

} // namespace ondrix
