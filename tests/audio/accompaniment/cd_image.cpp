#include "accompaniment/cd_image.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace ondrix::test {

CCdImage::CCdImage() {
    char pattern[] = "/tmp/ondrix-cd-XXXXXX";
    if (!mkdtemp(pattern)) {
        return;
    }
    m_dir = pattern;
    m_cue = m_dir + "/disc.cue";
    const std::string tones = "sox -q -n -r 44100 -c 2 -b 16 -e signed-integer -L -t raw ";
    const std::string command = "cd '" + m_dir + "' && " + tones + "t1.raw synth 2 sine 440 vol 0.5 && " +
                                tones + "t2.raw synth 3 sine 880 vol 0.5 && cat t1.raw t2.raw > disc.bin";
    if (std::system(command.c_str()) != 0) {
        return;
    }
    std::ofstream(m_cue) << "FILE \"disc.bin\" BINARY\n"
                            "  TRACK 01 AUDIO\n"
                            "    INDEX 01 00:00:00\n"
                            "  TRACK 02 AUDIO\n"
                            "    INDEX 01 00:02:00\n";
    std::ifstream bin(m_dir + "/disc.bin", std::ios::binary);
    m_bytes.assign(std::istreambuf_iterator<char>(bin), std::istreambuf_iterator<char>());
    if (m_bytes.size() != kTrack1Bytes + kTrack2Bytes) {
        m_bytes.clear();
    }
}

CCdImage::~CCdImage() {
    if (!m_dir.empty()) {
        std::error_code error;
        std::filesystem::remove_all(m_dir, error);
    }
}

std::vector<uint8_t> CCdImage::TrackBytes(int track) const {
    const auto begin = m_bytes.begin() + (track == 1 ? 0 : kTrack1Bytes);
    return std::vector<uint8_t>(begin, begin + (track == 1 ? kTrack1Bytes : kTrack2Bytes));
}

} // namespace ondrix::test
