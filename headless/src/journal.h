#pragma once
// The headless backend's call journal and its shared state.

#include <sstream>
#include <string>

#include <UIRect.h>

namespace headless {

bool JournalEnabled();
bool RenderingEnabled();
void Record(const std::string& line);
bool HasFault(unsigned fault);
void Count(const std::string& kind, int delta);
// Every renderer call that draws counts itself here.
void CountDrawCall();

inline void Put(std::ostringstream& out, const tagRECT& rc)
{
    out << rc.left << ',' << rc.top << ',' << rc.right << ',' << rc.bottom;
}
inline void Put(std::ostringstream& out, const tagSIZE& size) { out << size.cx << ',' << size.cy; }
inline void Put(std::ostringstream& out, const tagPOINT& pt) { out << pt.x << ',' << pt.y; }
inline void Put(std::ostringstream& out, const wchar_t* text)
{
    if (text == nullptr) {
        out << "null";
        return;
    }
    for (; *text; ++text) {
        const unsigned long c = static_cast<unsigned long>(*text);
        if (c < 0x80)
            out << static_cast<char>(c);
        else
            out << "\\u{" << std::hex << c << std::dec << '}';
    }
}
inline void Put(std::ostringstream& out, const char* text) { out << (text ? text : "null"); }
inline void Put(std::ostringstream& out, bool value) { out << (value ? 1 : 0); }
inline void Put(std::ostringstream& out, const void* pointer) { out << pointer; }
template <typename T>
void Put(std::ostringstream& out, const T& value) { out << value; }

// Journals "Name(a,b,c)" when the journal is on.
template <typename... Args>
void Call(const char* name, const Args&... args)
{
    if (!JournalEnabled())
        return;
    std::ostringstream out;
    out << name << '(';
    bool first = true;
    ((out << (first ? "" : ","), Put(out, args), first = false), ...);
    out << ')';
    Record(out.str());
}

// Colours are journalled as eight hexadecimal digits.
struct Colour {
    unsigned long argb;
};
inline void Put(std::ostringstream& out, const Colour& colour)
{
    const auto flags = out.flags();
    out.width(8);
    out.fill('0');
    out << std::hex << colour.argb;
    out.flags(flags);
}

}  // namespace headless
