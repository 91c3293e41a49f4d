// A float's shortest text, found with printf: the same on every system, and what the systems
// whose C++ library lacks std::to_chars for floats use (FloatText.Web.cpp).
#include "formats/FloatText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

void AppendShortestFloat(std::string& out, float value)
{
    // The fewest significant digits that read back as the same float, found with printf.
    char scientific[32];
    for (int precision = 0; precision <= 8; ++precision) {
        std::snprintf(scientific, sizeof scientific, "%.*e", precision, static_cast<double>(value));
        if (std::strtof(scientific, nullptr) == value) {
            break;
        }
    }
    // "-d.ddde+XX" taken apart into sign, digits and exponent.
    std::string_view text(scientific);
    const bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::string digits(text.substr(0, e));
    if (digits.size() > 1) {
        digits.erase(1, 1);   // the point
    }
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    const auto count = static_cast<int>(digits.size());
    // The shorter of the fixed and the exponent forms; fixed when they are as long.
    // (Built by appending: GCC 12 sees overlaps that are not there in string sums here.)
    std::string fixed;
    if (exponent >= count - 1) {
        // A whole number: of the texts as short, the exact one (what trailing zeros would hide).
        char whole[48];
        std::snprintf(whole, sizeof whole, "%.0f", std::fabs(static_cast<double>(value)));
        fixed = whole;
    } else if (exponent >= 0) {
        const auto point = static_cast<std::size_t>(exponent + 1);
        fixed.append(digits, 0, point).append(1, '.').append(digits, point);
    } else {
        fixed.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    }
    std::string exponential(1, digits.front());
    if (count > 1) {
        exponential.append(1, '.').append(digits, 1);
    }
    char power[16];
    std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    exponential += power;
    if (negative) {
        out += '-';
    }
    out += fixed.size() <= exponential.size() ? fixed : exponential;
}
