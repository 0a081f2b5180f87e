#include "support/test_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace ondrix::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path() /
                      ("ondrix-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(base);
    m_path = base.string();
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::vector<std::string> TempDir::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

void FillRamp16(CSampleStore& store, uint32_t frames) {
    const uint32_t tracks = store.GetTrackCount();
    std::vector<int16_t> data(std::size_t(frames) * tracks);
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint32_t t = 0; t < tracks; ++t) {
            data[std::size_t(f) * tracks + t] = int16_t(uint16_t(f * 10 + t));
        }
    }
    ASSERT_TRUE(store.AppendData(data.data(), uint32_t(data.size() * 2)));
}

void FillRamp8(CSampleStore& store, uint32_t frames) {
    const uint32_t tracks = store.GetTrackCount();
    std::vector<uint8_t> data(std::size_t(frames) * tracks);
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint32_t t = 0; t < tracks; ++t) {
            data[std::size_t(f) * tracks + t] = uint8_t(f + t * 50);
        }
    }
    ASSERT_TRUE(store.AppendData(data.data(), uint32_t(data.size())));
}

std::vector<uint8_t> AllBytes(CSampleStore& store) {
    std::vector<uint8_t> bytes(store.GetDataSize());
    if (!bytes.empty()) {
        EXPECT_EQ(store.ReadData(0, bytes.data(), uint32_t(bytes.size())), bytes.size());
    }
    return bytes;
}

std::vector<int16_t> Track16(CSampleStore& store, uint32_t track) {
    const auto bytes = AllBytes(store);
    const uint32_t tracks = store.GetTrackCount();
    std::vector<int16_t> out;
    for (std::size_t i = std::size_t(track) * 2; i + 1 < bytes.size(); i += std::size_t(tracks) * 2) {
        out.push_back(int16_t(uint16_t(bytes[i] | (bytes[i + 1] << 8))));
    }
    return out;
}

std::vector<uint8_t> Track8(CSampleStore& store, uint32_t track) {
    const auto bytes = AllBytes(store);
    const uint32_t tracks = store.GetTrackCount();
    std::vector<uint8_t> out;
    for (std::size_t i = track; i < bytes.size(); i += tracks) {
        out.push_back(bytes[i]);
    }
    return out;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace ondrix::test
