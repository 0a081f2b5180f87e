#pragma once

#include "audio/audio_backends.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace ondrix::test {

/// A test on ALSA's "default" device of the private sound server (tools/sound-server.sh); it skips
/// when the server is not running.
class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* server = std::getenv("ONDRIX_SOUND_SERVER");
        if (!server || std::string(server) != "1") {
            GTEST_SKIP() << "no private sound server: run through tools/test.sh (tools/sound-server.sh)";
        }
        m_alsa = FindAudioBackend("alsa");
        if (!m_alsa || !m_alsa->IsAvailable()) {
            GTEST_SKIP() << "ALSA's default device is not reachable";
        }
        m_scope = std::make_unique<ScopedAudioBackend>(*m_alsa);
    }

    IAudioBackend* m_alsa = nullptr;
    std::unique_ptr<ScopedAudioBackend> m_scope;
};

} // namespace ondrix::test
