#pragma once
// Texts as the character fields of the customer tables hold them.

#include <string>

namespace tw::customers {

// At most width bytes, never cutting a UTF-8 character in two.
inline std::string CutToWidth(std::string text, std::size_t width)
{
    if (text.size() <= width)
        return text;
    std::size_t cut = width;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    text.resize(cut);
    return text;
}

}  // namespace tw::customers
