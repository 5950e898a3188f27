#pragma once
// Turns fuzzer bytes into the wide texts the library reads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Each byte becomes one character; 0xFF bytes split the input into separate texts.
inline std::vector<std::wstring> Texts(const uint8_t* data, size_t size)
{
    std::vector<std::wstring> texts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) {
            texts.emplace_back();
            continue;
        }
        texts.back() += static_cast<wchar_t>(data[i]);
    }
    return texts;
}

}  // namespace fuzz
