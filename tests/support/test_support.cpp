#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

#include <vonk-ui.h>

namespace vonktest {

std::string LibDir() { return VONK_LIB_DIR; }
std::string HeadlessPath() { return LibDir() + "/libvonk-headless.so"; }
std::string DataDir() { return VONK_TEST_DATA; }

LogCapture::LogCapture() : m_capturing(true) { testing::internal::CaptureStdout(); }

LogCapture::~LogCapture()
{
    if (m_capturing)
        testing::internal::GetCapturedStdout();
}

std::vector<std::string> LogCapture::Messages()
{
    if (m_capturing) {
        m_text = testing::internal::GetCapturedStdout();
        m_capturing = false;
    }
    std::vector<std::string> messages;
    std::istringstream lines(m_text);
    const std::string marker = "Quarnel: ";
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find(marker);
        if (at != std::string::npos)
            messages.push_back(line.substr(at + marker.size()));
    }
    return messages;
}

void StartHeadless() { ASSERT_TRUE(CUIPlatfrom::Init(HeadlessPath().c_str())); }

}  // namespace vonktest
