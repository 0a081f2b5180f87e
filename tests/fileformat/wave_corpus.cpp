#include "fileformat/wave_corpus.h"

#include "fileformat/wave_builder.h"

namespace ondrix::test {

namespace {

constexpr uint32_t kNotWave = 31501;
constexpr uint32_t kUnknown = 31502;

CorpusCase Refused(std::string name, std::vector<uint8_t> bytes, uint32_t message) {
    return {std::move(name), std::move(bytes), message, 0, 0, 0};
}

CorpusCase Loads(std::string name, std::vector<uint8_t> bytes, uint32_t tracks, uint32_t bits,
                 uint32_t size) {
    return {std::move(name), std::move(bytes), 0, tracks, bits, size};
}

std::vector<uint8_t> Prefix(const std::vector<uint8_t>& bytes, std::size_t count) {
    return {bytes.begin(), bytes.begin() + std::ptrdiff_t(count)};
}

std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                             std::size_t size) {
    std::vector<uint8_t> body = WaveBuilder().Fmt(channels, rate, bits, tag).Bytes();
    body = {body.begin() + 20, body.end()}; // after RIFF header and the chunk header
    body.resize(size, 0);
    return body;
}

} // namespace

std::vector<CorpusCase> MalformedCorpus() {
    const std::vector<uint8_t> samples = Ramp(40);
    const std::vector<uint8_t> good = WaveBuilder().Fmt(2, 8000, 16).Data(samples).Bytes();
    std::vector<CorpusCase> cases;

    // Headers cut short or not RIFF WAVE at all.
    cases.push_back(Refused("empty", {}, kNotWave));
    cases.push_back(Refused("riff-only", Prefix(good, 4), kNotWave));
    cases.push_back(Refused("header-11-bytes", Prefix(good, 11), kNotWave));
    cases.push_back(Refused("rifx", WaveBuilder("RIFX").Fmt(1, 8000, 8).Data(samples).Bytes(), kNotWave));
    cases.push_back(
        Refused("avi-form", WaveBuilder("RIFF", "AVI ").Fmt(1, 8000, 8).Data(samples).Bytes(), kNotWave));
    cases.push_back(Refused("header-only", Prefix(good, 12), kUnknown));
    cases.push_back(Refused("fmt-header-cut", Prefix(good, 17), kUnknown));
    cases.push_back(Refused("fmt-body-cut", Prefix(good, 30), kUnknown));
    cases.push_back(Refused("no-data-chunk", Prefix(good, 36), kUnknown));
    cases.push_back(Refused("data-header-cut", Prefix(good, 40), kUnknown));
    cases.push_back(
        Refused("data-before-fmt", WaveBuilder().Data(samples).Fmt(1, 8000, 8).Bytes(), kUnknown));

    // Samples cut short: the whole frames that are there.
    cases.push_back(Loads("data-cut", Prefix(good, 44 + 21), 2, 16, 20));
    cases.push_back(Loads("data-claims-4g",
                          WaveBuilder().Fmt(1, 8000, 8).Data(samples, true, 0xFFFFFFFF).Bytes(), 1, 8, 40));
    cases.push_back(Loads("data-empty", WaveBuilder().Fmt(1, 8000, 8).Data({}).Bytes(), 1, 8, 0));
    cases.push_back(Loads("riff-size-too-big",
                          WaveBuilder().Fmt(1, 8000, 8).Data(samples).FixRiffSize(1000000).Bytes(), 1, 8,
                          40));
    cases.push_back(Loads("riff-size-too-small",
                          WaveBuilder().Fmt(1, 8000, 8).Data(samples).FixRiffSize(4).Bytes(), 1, 8, 40));
    cases.push_back(
        Loads("odd-16-bit-data", WaveBuilder().Fmt(1, 8000, 16).Data(Ramp(41)).Bytes(), 1, 16, 40));

    // Chunks between "fmt " and "data", odd or claiming too much.
    cases.push_back(Loads(
        "odd-junk-before-data",
        WaveBuilder().Fmt(1, 8000, 8).Chunk("junk", Ramp(3)).Chunk("fact", U32(40)).Data(samples).Bytes(), 1,
        8, 40));
    cases.push_back(
        Loads("list-before-data",
              WaveBuilder()
                  .Fmt(1, 8000, 8)
                  .Chunk("LIST", Join({Text("INFO", false), Text("INAM", false), U32(2), Text("x")}))
                  .Data(samples)
                  .Bytes(),
              1, 8, 40));
    cases.push_back(Loads("junk-before-fmt",
                          WaveBuilder().Chunk("JUNK", Ramp(27)).Fmt(1, 8000, 8).Data(samples).Bytes(), 1, 8,
                          40));
    cases.push_back(
        Refused("junk-claims-too-much",
                WaveBuilder().Fmt(1, 8000, 8).Chunk("junk", Ramp(4), true, 0x7FFFFFFF).Data(samples).Bytes(),
                kUnknown));
    cases.push_back(Refused(
        "fmt-claims-too-much",
        WaveBuilder().Chunk("fmt ", FmtBody(1, 1, 8000, 8, 16), true, 0xFFFFFFF0).Data(samples).Bytes(),
        kUnknown));

    // "fmt " sizes other than 16.
    cases.push_back(Refused("fmt-size-14",
                            WaveBuilder().Chunk("fmt ", FmtBody(1, 1, 8000, 8, 14)).Data(samples).Bytes(),
                            kUnknown));
    cases.push_back(Loads("fmt-size-18",
                          WaveBuilder().Chunk("fmt ", FmtBody(1, 1, 8000, 8, 18)).Data(samples).Bytes(), 1, 8,
                          40));
    cases.push_back(Loads("fmt-size-17-padded",
                          WaveBuilder().Chunk("fmt ", FmtBody(1, 2, 8000, 8, 17)).Data(samples).Bytes(), 2, 8,
                          40));
    cases.push_back(Loads("fmt-size-50",
                          WaveBuilder().Chunk("fmt ", FmtBody(1, 4, 8000, 16, 50)).Data(samples).Bytes(), 4,
                          16, 40));

    // Formats out of range.
    cases.push_back(Refused("zero-channels", WaveBuilder().Fmt(0, 8000, 8).Data(samples).Bytes(), kUnknown));
    cases.push_back(Refused("33-channels", WaveBuilder().Fmt(33, 8000, 8).Data(samples).Bytes(), kUnknown));
    cases.push_back(Loads("32-channels", WaveBuilder().Fmt(32, 8000, 8).Data(Ramp(64)).Bytes(), 32, 8, 64));
    cases.push_back(Refused("24-bits", WaveBuilder().Fmt(2, 8000, 24).Data(samples).Bytes(), kUnknown));
    cases.push_back(Refused("32-bits", WaveBuilder().Fmt(1, 8000, 32).Data(samples).Bytes(), kUnknown));
    cases.push_back(Loads("12-bits", WaveBuilder().Fmt(1, 8000, 12).Data(samples).Bytes(), 1, 16, 40));
    cases.push_back(
        Refused("format-tag-3", WaveBuilder().Fmt(1, 8000, 16, 3).Data(samples).Bytes(), kUnknown));
    cases.push_back(
        Refused("format-tag-0", WaveBuilder().Fmt(1, 8000, 16, 0).Data(samples).Bytes(), kUnknown));
    cases.push_back(Refused("rate-4095", WaveBuilder().Fmt(1, 4095, 8).Data(samples).Bytes(), kUnknown));
    cases.push_back(Refused("rate-88201", WaveBuilder().Fmt(1, 88201, 8).Data(samples).Bytes(), kUnknown));
    cases.push_back(Loads("rate-4096", WaveBuilder().Fmt(1, 4096, 8).Data(samples).Bytes(), 1, 8, 40));
    cases.push_back(Loads("rate-88200", WaveBuilder().Fmt(1, 88200, 8).Data(samples).Bytes(), 1, 8, 40));

    // PCM in wider containers loads as the container; WAVE_FORMAT_EXTENSIBLE is PCM only.
    cases.push_back(Loads("extensible-pcm-6ch",
                          WaveBuilder().FmtExtensible(6, 48000, 16, 16).Data(Ramp(48)).Bytes(), 6, 16, 48));
    cases.push_back(Refused("extensible-float",
                            WaveBuilder().FmtExtensible(2, 48000, 16, 16, 3).Data(samples).Bytes(),
                            kUnknown));
    cases.push_back(Refused("extensible-24-in-32",
                            WaveBuilder().FmtExtensible(2, 48000, 32, 24).Data(samples).Bytes(), kUnknown));
    cases.push_back(Loads("extensible-12-in-16",
                          WaveBuilder().FmtExtensible(2, 48000, 16, 12).Data(samples).Bytes(), 2, 16, 40));
    cases.push_back(Loads("extensible-valid-bits-0",
                          WaveBuilder().FmtExtensible(1, 8000, 8, 0).Data(samples).Bytes(), 1, 8, 40));
    cases.push_back(Loads("pcm-4-bits", WaveBuilder().Fmt(3, 8000, 4).Data(Ramp(41)).Bytes(), 3, 8, 39));
    std::vector<uint8_t> packed = WaveBuilder().Fmt(2, 8000, 12).Data(Ramp(30)).Bytes();
    packed[32] = 3; // block align: two 12-bit samples packed into three bytes
    cases.push_back(Refused("pcm-12-bits-packed", packed, kUnknown));
    cases.push_back(Refused(
        "extensible-fmt-18",
        WaveBuilder().Chunk("fmt ", FmtBody(0xFFFE, 1, 8000, 8, 18)).Data(samples).Bytes(), kUnknown));

    // Recorders that stopped before they finished the file: sizes left 0 or at the largest value, and runs
    // of zero bytes where chunks should be.
    const std::vector<uint8_t> zeros(256, 0);
    cases.push_back(Loads("unfinished-data-0",
                          WaveBuilder().Fmt(2, 8000, 16).Data(samples, true, 0).FixRiffSize(0).Bytes(), 2, 16,
                          40));
    cases.push_back(Loads(
        "unfinished-data-ffffffff",
        WaveBuilder().Fmt(1, 8000, 16).Data(Ramp(41), false, 0xFFFFFFFF).FixRiffSize(0xFFFFFFFF).Bytes(), 1,
        16, 40));
    cases.push_back(Loads("unfinished-data-0-silence",
                          WaveBuilder().Fmt(1, 8000, 8).Data(zeros, true, 0).Bytes(), 1, 8, 256));
    cases.push_back(Refused("zeros-before-fmt",
                            WaveBuilder().Raw(zeros).Fmt(1, 8000, 8).Data(samples).Bytes(), kUnknown));
    cases.push_back(Refused("zeros-after-fmt", WaveBuilder().Fmt(1, 8000, 8).Raw(zeros).Bytes(), kUnknown));
    cases.push_back(Refused("zeros-before-data",
                            WaveBuilder().Fmt(1, 8000, 8).Raw(zeros).Data(samples).Bytes(), kUnknown));
    cases.push_back(Loads("zeros-after-data",
                          WaveBuilder()
                              .Fmt(1, 8000, 8)
                              .Data(samples)
                              .Raw(zeros)
                              .Chunk("chnn", std::vector<uint8_t>(67, 7))
                              .Bytes(),
                          1, 8, 40));

    // Trailing chunks that are damaged: the samples load all the same.
    const auto tail = [&](std::initializer_list<std::vector<uint8_t>> chunks) {
        std::vector<uint8_t> bytes = WaveBuilder().Fmt(2, 8000, 8).Data(Ramp(41)).Bytes();
        for (const auto& chunk : chunks) {
            bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        }
        return bytes;
    };
    cases.push_back(
        Loads("info-outside-list", tail({Join({Text("INAM", false), U32(3), Text("ab")})}), 2, 8, 40));
    cases.push_back(
        Loads("chnn-wrong-size", tail({Join({Text("chnn", false), U32(66), Ramp(66)})}), 2, 8, 40));
    cases.push_back(Loads("chnn-cut", tail({Join({Text("chnn", false), U32(67), Ramp(20)})}), 2, 8, 40));
    cases.push_back(Loads("chtt-huge-entry",
                          tail({Join({Text("chtt", false), U32(8), U32(0xFFFFFFFF), Text("abc")})}), 2, 8,
                          40));
    cases.push_back(
        Loads("list-size-2", tail({Join({Text("LIST", false), U32(2), Text("IN", false)})}), 2, 8, 40));
    cases.push_back(Loads("list-claims-too-much",
                          tail({Join({Text("LIST", false), U32(1000), Text("INFO", false),
                                      Text("INAM", false), U32(2), Text("x")})}),
                          2, 8, 40));
    cases.push_back(Loads("header-cut-after-data", tail({Text("chn", false)}), 2, 8, 40));
    cases.push_back(Loads("no-pad-after-data", Prefix(tail({}), 44 + 41), 2, 8, 40));
    return cases;
}

} // namespace ondrix::test
