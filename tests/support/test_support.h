#pragma once
// Helpers shared by the tests: where the built libraries are, and the log they write.

#include <string>
#include <vector>

namespace vonktest {

// The folder that holds libvonk-ui.so and the headless backends.
std::string LibDir();
// The headless backend's full path.
std::string HeadlessPath();
// A folder of test data shipped with the tests.
std::string DataDir();

// Collects what the library writes to standard output while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    // The text of each record after "Quarnel: ", in order; ends capturing.
    std::vector<std::string> Messages();

private:
    bool m_capturing;
    std::string m_text;
};

// Starts the library on the headless backend; fails the test when it cannot.
void StartHeadless();

}  // namespace vonktest
