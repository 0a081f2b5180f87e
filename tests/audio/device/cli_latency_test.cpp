// ondrix-cli latency through the private sound server: the clicks played into the null sink come back
// from its monitor, late by the server's own delay.
#include "cli/cli_runner.h"
#include "sound_server_test.h"

#include <gtest/gtest.h>

#include <string>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using CliLatency = SoundServerTest;

} // namespace

TEST_F(CliLatency, FindsTheMonitorsDelayAndRefusesABadDevice) {
    const Result r = RunCli({"latency"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string prefix = "Round-trip latency: ";
    ASSERT_EQ(r.out.rfind(prefix, 0), 0u) << r.out;
    const long ms = std::stol(r.out.substr(prefix.size()));
    // the monitor hears the sink at once; what is measured is the two streams' buffering, which grows
    // on a busy machine (600 ms and more were seen with every core taken)
    EXPECT_GE(ms, 0) << r.out;
    EXPECT_LT(ms, 2000) << r.out;
    EXPECT_NE(r.out.find("frames at 44100 Hz).\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"Latency compensation [ms]\""), std::string::npos) << r.out;

    const Result bad = RunCli({"latency", "--device", "sim"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("--device takes a device number from -1 (the preferred device), not sim"),
              std::string::npos)
        << bad.err;
}
