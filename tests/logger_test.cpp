// The log records: their exact text, the level set-up and SPDLOG_LEVEL, long and broken messages.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include <utility/logger>

#include "test_support.h"

using vonktest::LogCapture;

namespace {

std::string CaptureOne(void (*emit)())
{
    LogCapture capture;
    emit();
    const auto messages = capture.Messages();
    return messages.size() == 1 ? messages[0] : "<" + std::to_string(messages.size()) + " records>";
}

}  // namespace

TEST(Logger, RecordHasTheDefaultPatternAndThePrefix)
{
    testing::internal::CaptureStdout();
    _trace("[%s,%d] value %d {} {0} %s ", "file.cpp", 7, 42, "x");
    const std::string out = testing::internal::GetCapturedStdout();
    // spdlog's default pattern ("[2026-12-10 09:50:00.123] [debug] "), a debug record,
    // and the message with its braces untouched.
    const std::string tail = "] [debug] Quarnel: [file.cpp,7] value 42 {} {0} x \n";
    ASSERT_EQ(out.size(), 24 + tail.size()) << out;
    EXPECT_EQ(out.substr(24), tail);
    const std::string stamp = out.substr(0, 24);
    for (size_t i = 0; i < stamp.size(); ++i) {
        const char expected = "[0000-00-00 00:00:00.000"[i];
        EXPECT_TRUE(expected == '0' ? std::isdigit(static_cast<unsigned char>(stamp[i])) : stamp[i] == expected)
            << out;
    }
}

TEST(Logger, FirstCallSetsDebugLevelAndFlushing)
{
    unsetenv("SPDLOG_LEVEL");
    spdlog::set_level(spdlog::level::err);
    EXPECT_EQ(CaptureOne([] { _trace("%s", ""); }), "");
    EXPECT_EQ(spdlog::get_level(), spdlog::level::debug);
    EXPECT_EQ(spdlog::default_logger()->flush_level(), spdlog::level::debug);
}

TEST(Logger, EnvironmentAtInfoSilencesEveryRecord)
{
    setenv("SPDLOG_LEVEL", "info", 1);
    LogCapture capture;
    _trace("first ");
    _trace("second ");
    EXPECT_TRUE(capture.Messages().empty());
}

TEST(Logger, EnvironmentAtTraceKeepsEveryRecord)
{
    setenv("SPDLOG_LEVEL", "trace", 1);
    LogCapture capture;
    _trace("first ");
    _trace("second %d ", 2);
    EXPECT_EQ(capture.Messages(), (std::vector<std::string>{"first ", "second 2 "}));
}

TEST(Logger, MessagesUpToTheBufferAreWholeAndLongerOnesAreCut)
{
    const std::string fits(16383, 'a');
    const std::string tooLong(20000, 'b');
    LogCapture capture;
    _trace("%s", fits.c_str());
    _trace("%s", tooLong.c_str());
    const auto messages = capture.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], fits);
    EXPECT_EQ(messages[1], tooLong.substr(0, 16383));
}

TEST(Logger, MessageThatCannotBeFormattedIsDropped)
{
    // In the "C" locale a wide character outside ASCII cannot be converted by %S.
    LogCapture capture;
    _trace("%S ", L"caf\u00e9");
    _trace("after ");
    EXPECT_EQ(capture.Messages(), (std::vector<std::string>{"after "}));
}
