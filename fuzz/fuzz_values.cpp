// Fuzzes the value parsers and the wide string's operations with arbitrary texts.

#include <vonk-ui.h>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto texts = fuzz::Texts(data, size);
    const wchar_t* text = texts[0].c_str();
    const wchar_t* other = texts.size() > 1 ? texts[1].c_str() : L"";

    CUIRect rc;
    ParseRectString(text, rc);
    CUISize sz;
    ParseSizeString(text, sz);
    double fraction = 0;
    ParseFractionString(text, fraction);
    unsigned long colour = 0;
    ParseColorString(text, colour);
    bool flag = false;
    ParseBoolString(text, flag);
    SplitStringToToken(text);

    CUIString s(text);
    s += other;
    s += s;
    s.Replace(other, text);
    s.Find(other);
    s.Mid(static_cast<int>(size) - 40, 20);
    s.Right(static_cast<int>(size) % 70 - 5);
    s.MakeUpper();
    s = s.GetData() + s.GetLength() / 2;
    s.toLong();
    return 0;
}
