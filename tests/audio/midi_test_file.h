#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix::test {

/// A Standard MIDI File (format 0, 480 ticks per quarter) of `notes` quarter notes on channel 0 at a
/// tempo in beats per minute, each note sounding for the whole quarter; the track ends with the last
/// note-off. tempo 0 writes no tempo event.
std::vector<uint8_t> MakeMidiFile(int notes, int tempo);
/// The same file wrapped as a RIFF "RMID" file.
std::vector<uint8_t> WrapRmid(const std::vector<uint8_t>& midi);
/// Writes bytes to a file.
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace ondrix::test
