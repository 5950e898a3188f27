#pragma once
// Helpers shared by the tests: where the built libraries are, the log they write, and
// texts and rectangles as the tests compare them.

#include <string>
#include <vector>

#include <vonk-ui.h>

namespace vonktest {

using Lines = std::vector<std::string>;

inline std::string Narrow(const CUIString& text) { return std::string(text.GetData(), text.GetData() + text.GetLength()); }

// "left,top,right,bottom".
inline std::string Text(const tagRECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// "cx,cy".
inline std::string Size(const tagSIZE& size) { return std::to_string(size.cx) + "," + std::to_string(size.cy); }

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
