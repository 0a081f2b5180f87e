#include "store/sample_store.h"
#include "store/store_description.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ondrix;

namespace {

StoreDescription Sample() {
    StoreDescription d;
    d.identity = {RecoveryKind::Changes, "/home/u/My \\ songs/take\n1.wav", "take\n1.wav", 1765300000};
    d.pid = 4242;
    d.bits = 8;
    d.tracks = 3;
    d.rate = 22050;
    d.mixer.stereo = 1;
    d.mixer.mainLeft = 150;
    d.mixer.mainRight = 0;
    d.mixer.volume[0] = 200;
    d.mixer.volume[1] = 0;
    d.mixer.volume[2] = 37;
    d.mixer.balance[0] = -100;
    d.mixer.balance[1] = 100;
    d.mixer.balance[2] = -7;
    d.playOff[1] = 1;
    d.trackFlags = {3, 0, 0xFFFFFFFFu};
    d.trackNames[0] = "Voice";
    d.trackNames[2] = "back\\slash\r\nand line";
    d.infoTexts[9] = "Title with \\n literally";
    d.infoTexts[12] = "Ondrix 2.0";
    return d;
}

void ExpectSame(const StoreDescription& a, const StoreDescription& b) {
    EXPECT_EQ(a.identity.kind, b.identity.kind);
    EXPECT_EQ(a.identity.documentPath, b.identity.documentPath);
    EXPECT_EQ(a.identity.title, b.identity.title);
    EXPECT_EQ(a.identity.time, b.identity.time);
    EXPECT_EQ(a.pid, b.pid);
    EXPECT_EQ(a.bits, b.bits);
    EXPECT_EQ(a.tracks, b.tracks);
    EXPECT_EQ(a.rate, b.rate);
    EXPECT_EQ(std::memcmp(&a.mixer, &b.mixer, sizeof(MixerBlock)), 0);
    EXPECT_EQ(a.playOff, b.playOff);
    EXPECT_EQ(a.trackFlags, b.trackFlags);
    EXPECT_EQ(a.trackNames, b.trackNames);
    EXPECT_EQ(a.infoTexts, b.infoTexts);
}

} // namespace

TEST(StoreDescription, RoundTripKeepsEveryFieldAndAwkwardText) {
    const StoreDescription d = Sample();
    const std::string text = FormatDescription(d);
    EXPECT_EQ(text.rfind("ondrix-recovery 1\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17) << text; // one line per field, names escaped
    const auto back = ParseDescription(text);
    ASSERT_TRUE(back);
    ExpectSame(d, *back);

    StoreDescription take = d;
    take.identity.kind = RecoveryKind::Take;
    take.identity.documentPath.clear();
    const auto takeBack = ParseDescription(FormatDescription(take));
    ASSERT_TRUE(takeBack);
    EXPECT_EQ(takeBack->identity.kind, RecoveryKind::Take);
    EXPECT_EQ(takeBack->identity.documentPath, "");
}

TEST(StoreDescription, DescribesAStore) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 48000, true));
    store.m_trackNames[1] = "Right";
    store.m_infoTexts[0] = "Artist";
    store.SetPlayOff(0, true);
    const StoreDescription d = DescribeStore(store, {RecoveryKind::Take, "", "Untitled 1", 0});
    EXPECT_EQ(d.bits, 16u);
    EXPECT_EQ(d.tracks, 2u);
    EXPECT_EQ(d.rate, 48000u);
    EXPECT_EQ(d.mixer.balance[0], -100);
    EXPECT_EQ(d.mixer.balance[1], 100);
    EXPECT_EQ(d.playOff[0], 1);
    EXPECT_EQ(d.trackNames[1], "Right");
    EXPECT_EQ(d.infoTexts[0], "Artist");
    EXPECT_GT(d.identity.time, 1600000000); // a time of 0 becomes now
    EXPECT_GT(d.pid, 0);
}

TEST(StoreDescription, EveryTruncationAndEveryAlteredByteIsRefused) {
    const std::string text = FormatDescription(Sample());
    for (std::size_t length = 0; length < text.size(); ++length) {
        EXPECT_FALSE(ParseDescription(text.substr(0, length))) << "cut at " << length;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::string altered = text;
        altered[at] = char(altered[at] ^ 0x04);
        EXPECT_FALSE(ParseDescription(altered)) << "byte " << at;
    }
    EXPECT_FALSE(ParseDescription(text + "x"));
    EXPECT_FALSE(ParseDescription(text + text));
}

TEST(StoreDescription, WellSealedButImpossibleValuesAreRefused) {
    // the checksum only proves the text is whole; the values are checked too
    auto refused = [](auto change) {
        StoreDescription d = Sample();
        change(d);
        return !ParseDescription(FormatDescription(d));
    };
    EXPECT_TRUE(refused([](StoreDescription& d) { d.bits = 12; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.bits = 0; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.tracks = 0; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.tracks = 33; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.rate = 0; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.mixer.volume[2] = 201; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.mixer.balance[1] = 101; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.mixer.stereo = 2; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.mixer.mainRight = 255; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.pid = -1; }));
    EXPECT_TRUE(refused([](StoreDescription& d) { d.mixer.volume[31] = 255; })); // beyond the tracks too
    EXPECT_FALSE(refused([](StoreDescription& d) { d.trackFlags[31] = 0x80000000u; }));
}

TEST(StoreDescription, SealedLinesAreStillReadStrictly) {
    const std::string whole = FormatDescription(Sample());
    const std::string body = whole.substr(0, whole.rfind("end "));
    EXPECT_EQ(SealDescription(body), whole);
    EXPECT_TRUE(ParseDescription(SealDescription(body)));
    EXPECT_FALSE(ParseDescription(SealDescription(body + "colour blue\n")));   // an unknown key
    EXPECT_FALSE(ParseDescription(SealDescription(body + "name 32 x\n")));     // no track 33
    EXPECT_FALSE(ParseDescription(SealDescription(body + "info 3 bad\\q\n"))); // an unknown escape
    EXPECT_FALSE(ParseDescription(SealDescription(body + "nospace\n")));
    EXPECT_FALSE(ParseDescription(SealDescription(body.substr(0, body.find("rate "))))); // keys missing
    EXPECT_FALSE(ParseDescription(SealDescription(body + "bits 16 \n"))); // a number with a tail
    EXPECT_FALSE(ParseDescription(SealDescription(body + "mixer 00\n"))); // a short mixer
}

TEST(StoreDescription, ForeignVersionsAndGarbageAreRefused) {
    std::string text = FormatDescription(Sample());
    std::string other = text;
    other.replace(0, 17, "ondrix-recovery 2");
    EXPECT_FALSE(ParseDescription(other));
    EXPECT_FALSE(ParseDescription(""));
    EXPECT_FALSE(ParseDescription("ondrix-recovery 1\n"));
    EXPECT_FALSE(ParseDescription("ondrix-recovery 1\nend 00000000\n"));
    EXPECT_FALSE(ParseDescription(std::string(3000, '\n')));
    EXPECT_FALSE(ParseDescription(std::string("ondrix-recovery 1\n\0\0\0", 21)));
    EXPECT_FALSE(ParseDescription(std::string(2 << 20, 'a')));
}
