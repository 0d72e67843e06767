#include "data_number.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of text that reads as [sign] digits [. digits] [e [sign] digits],
// or 0 when the mantissa has no digit. The exponent counts only when it has digits of its own.
std::size_t floatPrefixLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

bool parseIntPrefix(std::string_view text, std::int32_t& value) {
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        start = 1;
    }
    std::size_t end = start;
    while (end < text.size() && isDigit(text[end])) ++end;
    if (end == start) return false;

    // Accumulate the magnitude in 64 bits, stopping as soon as it cannot fit.
    std::int64_t magnitude = 0;
    for (std::size_t i = start; i < end; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

bool parseFloatPrefix(std::string_view text, float& value) {
    const std::size_t length = floatPrefixLength(text);
    if (length == 0) return false;
    std::string_view number = text.substr(0, length);
    if (number[0] == '+') number.remove_prefix(1);  // from_chars takes no plus sign

    // Parse at double precision first so that overflow (kept target) and underflow (a tiny or zero
    // value) can be told apart; then round once to single precision.
    double wide = 0;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), wide);
    if (ptr == number.data()) return false;
    if (error == std::errc::result_out_of_range) {
        // Beyond double range: overflow keeps the target, underflow reads as zero.
        const std::size_t exponent = number.find_first_of("eE");
        const bool tiny = exponent != std::string_view::npos && exponent + 1 < number.size() &&
                          number[exponent + 1] == '-';
        if (!tiny) return false;
        value = number[0] == '-' ? -0.0f : 0.0f;
        return true;
    }
    if (std::fabs(wide) > static_cast<double>(FLT_MAX)) return false;
    value = static_cast<float>(wide);
    return true;
}

void readInt(const DataRef& ref, std::int32_t& target) {
    std::int32_t value = 0;
    if (parseIntPrefix(ref->text(), value)) target = value;
}

void readFloat(const DataRef& ref, float& target) {
    float value = 0;
    if (parseFloatPrefix(ref->text(), value)) target = value;
}

std::string formatInt(std::int32_t value) { return std::to_string(value); }

std::string formatFloat(float value) {
    // to_chars is printf's %g with precision 6, but never follows the process locale (the editor's
    // toolkit sets one, and a decimal comma would corrupt every file it writes).
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}
