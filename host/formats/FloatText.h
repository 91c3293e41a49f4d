// The shortest text of a float that reads back as the same value, as std::to_chars writes it
// ("0.1", "1e+10", "220"), for the trace's numbers.
#pragma once

#include <string>

// The system's own way: std::to_chars where the C++ library has it for floats. value must be
// finite.
void AppendFloatText(std::string& out, float value);

// The same text found with printf, for C++ libraries without to_chars for floats. value must be
// finite.
void AppendShortestFloat(std::string& out, float value);
