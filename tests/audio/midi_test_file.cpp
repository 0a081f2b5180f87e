#include "midi_test_file.h"

#include <fstream>

namespace ondrix::test {

namespace {

void PutBe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(uint8_t(value >> shift));
    }
}

void PutLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(uint8_t(value >> shift));
    }
}

void PutVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[4];
    int count = 0;
    do {
        bytes[count++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count-- > 0) {
        out.push_back(uint8_t(bytes[count] | (count > 0 ? 0x80 : 0)));
    }
}

} // namespace

std::vector<uint8_t> MakeMidiFile(int notes, int tempo) {
    constexpr uint32_t kDivision = 480;
    std::vector<uint8_t> track;
    if (tempo > 0) {
        const uint32_t micros = 60000000u / uint32_t(tempo);
        PutVarLen(track, 0);
        track.insert(track.end(),
                     {0xFF, 0x51, 0x03, uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)});
    }
    PutVarLen(track, 0);
    track.insert(track.end(), {0xC0, 0x00}); // piano
    for (int i = 0; i < notes; ++i) {
        PutVarLen(track, 0);
        track.insert(track.end(), {0x90, uint8_t(60 + i % 12), 100});
        PutVarLen(track, kDivision);
        track.insert(track.end(), {0x80, uint8_t(60 + i % 12), 0});
    }
    PutVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> file{'M', 'T', 'h', 'd'};
    PutBe32(file, 6);
    file.insert(file.end(), {0, 0, 0, 1, uint8_t(kDivision >> 8), uint8_t(kDivision & 0xFF)});
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    PutBe32(file, uint32_t(track.size()));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

std::vector<uint8_t> WrapRmid(const std::vector<uint8_t>& midi) {
    std::vector<uint8_t> file{'R', 'I', 'F', 'F'};
    const uint32_t padded = uint32_t(midi.size() + (midi.size() & 1));
    PutLe32(file, 4 + 8 + padded);
    file.insert(file.end(), {'R', 'M', 'I', 'D', 'd', 'a', 't', 'a'});
    PutLe32(file, uint32_t(midi.size()));
    file.insert(file.end(), midi.begin(), midi.end());
    if (midi.size() & 1) {
        file.push_back(0);
    }
    return file;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace ondrix::test
