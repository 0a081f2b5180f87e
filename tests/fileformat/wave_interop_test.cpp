// Independent readers and writers agree with ours: libsndfile (through its API) and sox (as a program).
#include "fileformat/wave_builder.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#ifdef ONDRIX_HAVE_SNDFILE
#include <sndfile.h>
#endif

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A store of tracks x frames with samples from an arbitrary but fixed pattern, names, texts and a mixer.
void MakeRichStore(CSampleStore& store, uint32_t bits, uint32_t tracks, uint32_t rate, uint32_t frames) {
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", bits, tracks, rate, tracks > 1));
    if (bits == 16) {
        FillRamp16(store, frames);
    } else {
        FillRamp8(store, frames);
    }
    store.m_trackNames[0] = "First";
    store.m_infoTexts[9] = "Interop";
    store.m_infoTexts[4] = "2021-09-10";
    MixerBlock mixer = store.Mixer();
    mixer.volume[0] = 42;
    store.SetMixer(mixer);
}

bool HaveSox() {
    return std::system("command -v sox >/dev/null 2>&1") == 0;
}

int Shell(const std::string& command) {
    return std::system((command + " 2>/dev/null").c_str());
}

std::string Trimmed(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    std::string text(bytes.begin(), bytes.end());
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

} // namespace

TEST(WaveInteropSox, OurFilesDecodeToTheSameSamplesAndFormat) {
    if (!HaveSox()) {
        GTEST_SKIP() << "sox is not installed (tools/setup.sh installs it)";
    }
    TempDir dir;
    struct Shape {
        uint32_t bits, tracks, rate, frames;
        const char* encoding;
    };
    for (const Shape& s : {Shape{16, 3, 8000, 1001, "signed"}, Shape{8, 1, 11025, 777, "unsigned"},
                           Shape{16, 2, 44100, 5000, "signed"}, Shape{8, 32, 22050, 31, "unsigned"}}) {
        SCOPED_TRACE(std::to_string(s.tracks) + " tracks of " + std::to_string(s.bits) + " bits");
        CSampleStore store;
        MakeRichStore(store, s.bits, s.tracks, s.rate, s.frames);
        const std::string wav = dir.Path() + "/ours.wav";
        const std::string raw = dir.Path() + "/decoded.raw";
        ASSERT_TRUE(store.Save(wav, false));
        ASSERT_EQ(Shell("sox '" + wav + "' -t raw -e " + s.encoding + " -b " + std::to_string(s.bits) + " '" +
                        raw + "'"),
                  0);
        EXPECT_EQ(ReadFile(raw), AllBytes(store));
        ASSERT_EQ(Shell("sox --i -c '" + wav + "' > '" + raw + "'"), 0);
        EXPECT_EQ(Trimmed(raw), std::to_string(s.tracks));
        ASSERT_EQ(Shell("sox --i -r '" + wav + "' > '" + raw + "'"), 0);
        EXPECT_EQ(Trimmed(raw), std::to_string(s.rate));
        ASSERT_EQ(Shell("sox --i -s '" + wav + "' > '" + raw + "'"), 0);
        EXPECT_EQ(Trimmed(raw), std::to_string(s.frames));
    }
}

TEST(WaveInteropSox, SoxFilesLoadWithTheSamplesSoxDecodes) {
    if (!HaveSox()) {
        GTEST_SKIP() << "sox is not installed (tools/setup.sh installs it)";
    }
    TempDir dir;
    // More than two channels: sox writes WAVE_FORMAT_EXTENSIBLE.
    for (const std::string shape : {"-r 22050 -c 4 -b 16", "-r 8000 -c 1 -b 8", "-r 48000 -c 2 -b 16",
                                    "-r 44100 -c 6 -b 16", "-r 11025 -c 3 -b 8"}) {
        SCOPED_TRACE(shape);
        const std::string wav = dir.Path() + "/sox.wav";
        const std::string raw = dir.Path() + "/sox.raw";
        ASSERT_EQ(Shell("sox -n " + shape + " '" + wav + "' synth 0.3 sine 300 sine 500 sine 700"), 0);
        ASSERT_EQ(Shell("sox '" + wav + "' -t raw '" + raw + "'"), 0);
        CSampleStore store;
        ASSERT_TRUE(store.Load(wav, STORE_INPLACE, ""));
        EXPECT_EQ(AllBytes(store), ReadFile(raw));
        EXPECT_GT(store.GetDataSize(), 0u);
    }
}

#ifdef ONDRIX_HAVE_SNDFILE

TEST(WaveInteropSndfile, OurFilesOpenWithTheSameFormatAndSamples) {
    TempDir dir;
    struct Shape {
        uint32_t bits, tracks, rate, frames;
    };
    for (const Shape& s : {Shape{16, 3, 8000, 1001}, Shape{8, 1, 11025, 777}, Shape{16, 32, 88200, 10},
                           Shape{8, 5, 4096, 3}}) {
        SCOPED_TRACE(std::to_string(s.tracks) + " tracks of " + std::to_string(s.bits) + " bits");
        CSampleStore store;
        MakeRichStore(store, s.bits, s.tracks, s.rate, s.frames);
        const std::string path = dir.Path() + "/ours.wav";
        ASSERT_TRUE(store.Save(path, false));
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.channels, int(s.tracks));
        EXPECT_EQ(info.samplerate, int(s.rate));
        EXPECT_EQ(info.frames, sf_count_t(s.frames));
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
        EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, s.bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_U8);
        std::vector<short> read(std::size_t(s.frames) * s.tracks);
        EXPECT_EQ(sf_readf_short(file, read.data(), s.frames), sf_count_t(s.frames));
        sf_close(file);
        const auto bytes = AllBytes(store);
        for (std::size_t i = 0; i < read.size(); ++i) {
            const int expected = s.bits == 16 ? int16_t(uint16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)))
                                              : (int(bytes[i]) - 128) * 256;
            ASSERT_EQ(read[i], expected) << "sample " << i;
        }
    }
}

TEST(WaveInteropSndfile, ItsFilesLoadWithTheSamplesItWrote) {
    TempDir dir;
    struct Shape {
        int format, channels, rate;
    };
    for (const Shape& s : {Shape{SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100},
                           Shape{SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 6, 48000},
                           Shape{SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 8000},
                           Shape{SF_FORMAT_WAVEX | SF_FORMAT_PCM_U8, 3, 22050},
                           Shape{SF_FORMAT_WAV | SF_FORMAT_PCM_16, 7, 32000}}) {
        SCOPED_TRACE(std::to_string(s.channels) + " channels, format " + std::to_string(s.format));
        const std::string path = dir.Path() + "/sndfile.wav";
        SF_INFO info{};
        info.samplerate = s.rate;
        info.channels = s.channels;
        info.format = s.format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        constexpr int kFrames = 333;
        std::vector<short> written(std::size_t(kFrames) * std::size_t(s.channels));
        for (std::size_t i = 0; i < written.size(); ++i) {
            written[i] = short((i * 7919) % 65536 - 32768) & short(0xFF00); // exact in 8 bits too
        }
        ASSERT_EQ(sf_writef_short(file, written.data(), kFrames), kFrames);
        sf_set_string(file, SF_STR_TITLE, "From libsndfile"); // set late: the LIST follows the samples
        sf_close(file);

        CSampleStore store;
        ASSERT_TRUE(store.Load(path, STORE_MEMORY, ""));
        EXPECT_EQ(store.GetTrackCount(), uint32_t(s.channels));
        EXPECT_EQ(store.GetSampleRate(), uint32_t(s.rate));
        ASSERT_EQ(store.GetFrameCount(), uint32_t(kFrames));
        const auto bytes = AllBytes(store);
        for (std::size_t i = 0; i < written.size(); ++i) {
            const int ours = store.GetBitsPerSample() == 16
                                 ? int16_t(uint16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)))
                                 : (int(bytes[i]) - 128) * 256;
            ASSERT_EQ(ours, written[i]) << "sample " << i;
        }
        EXPECT_EQ(store.m_infoTexts[9], "From libsndfile");
    }
}

TEST(WaveInteropSndfile, TextsBeforeTheSamplesAreSkippedLikeEveryChunkThere) {
    TempDir dir;
    const std::string path = dir.Path() + "/early.wav";
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_set_string(file, SF_STR_TITLE, "Early");
    const short samples[4] = {1, -2, 3, -4};
    ASSERT_EQ(sf_writef_short(file, samples, 4), 4);
    sf_close(file);
    CSampleStore store;
    ASSERT_TRUE(store.Load(path, STORE_MEMORY, ""));
    EXPECT_EQ(AllBytes(store), Samples16({1, -2, 3, -4}));
    EXPECT_EQ(store.m_infoTexts[9], "");
}

#endif
