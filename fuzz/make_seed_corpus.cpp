// Writes the seed corpus of the WAVE fuzz target into a directory: every damaged image the file format
// tests build, and files of our own writer with every chunk it writes.
#include "fileformat/wave_builder.h"
#include "fileformat/wave_corpus.h"
#include "store/sample_store.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace ondrix;

namespace {

bool WriteOwnFile(const std::string& path, uint32_t bits, uint32_t tracks, uint32_t frames) {
    CSampleStore store;
    if (!store.Create(STORE_MEMORY, "", bits, tracks, 22050, tracks > 1)) {
        return false;
    }
    std::vector<uint8_t> samples(std::size_t(frames) * tracks * (bits / 8));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = uint8_t(i * 37);
    }
    store.AppendData(samples.data(), uint32_t(samples.size()));
    store.m_trackNames[0] = "First";
    store.m_infoTexts[2] = "Comment";
    store.m_infoTexts[4] = "2022-03-04";
    store.m_infoTexts[9] = "Title";
    MixerBlock mixer = store.Mixer();
    mixer.volume[0] = 80;
    store.SetMixer(mixer);
    return store.Save(path, false);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wave_seed_corpus DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const test::CorpusCase& c : test::MalformedCorpus()) {
        test::WriteFile(dir + "/" + c.name + ".wav", c.bytes);
    }
    const bool written = WriteOwnFile(dir + "/own-3x16.wav", 16, 3, 5) &&
                         WriteOwnFile(dir + "/own-1x8.wav", 8, 1, 7) &&
                         WriteOwnFile(dir + "/own-2x16.wav", 16, 2, 4);
    return written ? 0 : 1;
}
