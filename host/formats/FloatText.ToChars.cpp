// A float's shortest text where the C++ library has std::to_chars for floats.
#include "formats/FloatText.h"

#include <charconv>

void AppendFloatText(std::string& out, float value)
{
    char text[48];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}
