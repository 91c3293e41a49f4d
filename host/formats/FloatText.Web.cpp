// A float's shortest text in the web build: its C++ library has no std::to_chars for floats.
#include "formats/FloatText.h"

void AppendFloatText(std::string& out, float value)
{
    AppendShortestFloat(out, value);
}
