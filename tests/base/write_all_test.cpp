#include "base/write_all.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

using namespace ondrix;

namespace {

/// A write call that answers from a script: a count (capped at what was asked) or -errno.
struct ScriptedWriter {
    std::deque<ssize_t> answers;
    std::vector<uint8_t> written;
    std::vector<std::size_t> offsets;

    ssize_t operator()(const uint8_t* bytes, std::size_t count, std::size_t done) {
        offsets.push_back(done);
        const ssize_t answer = answers.empty() ? ssize_t(count) : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        if (answer < 0) {
            errno = int(-answer);
            return -1;
        }
        const auto n = std::min(std::size_t(answer), count);
        written.insert(written.end(), bytes, bytes + n);
        return ssize_t(n);
    }
};

FileException::Cause CauseOf(ScriptedWriter& writer, std::size_t count) {
    const std::vector<uint8_t> data(count, 7);
    try {
        WriteAll("/data/take.wav", data.data(), data.size(), writer);
    } catch (const FileException& e) {
        EXPECT_EQ(e.GetPath(), "/data/take.wav");
        return e.GetCause();
    }
    ADD_FAILURE() << "no exception";
    return FileException::generic;
}

TEST(WriteAll, ShortWritesAndInterruptionsContinueWhereTheyStopped) {
    const char text[] = "0123456789";
    ScriptedWriter writer;
    writer.answers = {3, -EINTR, 4, -EINTR, -EINTR, 100};
    WriteAll("f", text, 10, writer);
    EXPECT_EQ(std::string(writer.written.begin(), writer.written.end()), "0123456789");
    EXPECT_EQ(writer.offsets, (std::vector<std::size_t>{0, 3, 3, 7, 7, 7}));

    ScriptedWriter none;
    WriteAll("f", text, 0, none); // nothing to write: no call
    EXPECT_TRUE(none.offsets.empty());
}

TEST(WriteAll, AFullDiskReadsTheSameHoweverItIsReported) {
    ScriptedWriter enospc;
    enospc.answers = {5, -ENOSPC};
    EXPECT_EQ(CauseOf(enospc, 10), FileException::diskFull);
    EXPECT_EQ(enospc.written.size(), 5u);

    ScriptedWriter nothing; // a write that takes no byte
    nothing.answers = {0};
    EXPECT_EQ(CauseOf(nothing, 10), FileException::diskFull);

    ScriptedWriter quota;
    quota.answers = {-EDQUOT};
    EXPECT_EQ(CauseOf(quota, 1), FileException::diskFull);

    ScriptedWriter broken; // other failures keep their own cause
    broken.answers = {2, -EIO};
    EXPECT_EQ(CauseOf(broken, 10), FileException::hardIO);
    EXPECT_EQ(broken.offsets, (std::vector<std::size_t>{0, 2}));
}

} // namespace
