#include "setup/NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace tavorin {
namespace {

    bool isBlank(char c)
    {
        return c == ' ' || c == '\t';
    }

    std::string_view trimBlanks(std::string_view text)
    {
        while (!text.empty() && isBlank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && isBlank(text.back()))
            text.remove_suffix(1);
        return text;
    }

    bool isDigit(char c)
    {
        return c >= '0' && c <= '9';
    }

    // from_chars also takes "inf", "nan" and hexadecimal forms; only plain decimals are numbers here.
    bool looksDecimal(std::string_view text)
    {
        std::size_t i = 0;
        std::size_t digits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
        if (i < text.size() && text[i] == '.')
            for (++i; i < text.size() && isDigit(text[i]); ++i)
                ++digits;
        if (digits == 0)
            return false;
        if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            ++i;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                ++i;
            if (i == text.size() || !isDigit(text[i]))
                return false;
            while (i < text.size() && isDigit(text[i]))
                ++i;
        }
        return i == text.size();
    }

    // For a decimal too far from 1 for a double: whether it is tiny rather than huge. Only the
    // sign of the first significant digit's power of ten matters, so a long exponent saturates.
    bool liesBelowOne(std::string_view text)
    {
        const std::size_t exponentAt = std::min(text.find_first_of("eE"), text.size());
        const std::string_view mantissa = text.substr(0, exponentAt);
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        const std::size_t first = mantissa.find_first_of("123456789");
        if (first == std::string_view::npos)
            return true;
        const long long order = first < point ? static_cast<long long>(point - first - 1)
                                              : -static_cast<long long>(first - point);
        std::string_view exponentText = text.substr(std::min(exponentAt + 1, text.size()));
        if (exponentText.starts_with('+'))
            exponentText.remove_prefix(1);
        int exponent = 0;
        const auto parsed
            = std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        if (parsed.ec == std::errc::result_out_of_range)
            exponent = exponentText.starts_with('-') ? INT_MIN : INT_MAX;
        return order + exponent < 0;
    }

}

std::optional<double> parseDecimal(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!looksDecimal(text))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // A number too small for a double is read as zero, the nearest double, as strtod does.
    if (error == std::errc::result_out_of_range && liesBelowOne(text))
        return negative ? -0.0 : 0.0;
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int64_t> roundHalfEven(double value, std::int64_t low, std::int64_t high)
{
    // The default floating-point rounding mode is to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high)))
        return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

std::optional<std::int32_t> toInt32HalfEven(std::string_view text)
{
    const std::optional<double> value = parseDecimal(text);
    if (!value)
        return std::nullopt;
    const auto rounded = roundHalfEven(*value, INT32_MIN, INT32_MAX);
    if (!rounded)
        return std::nullopt;
    return static_cast<std::int32_t>(*rounded);
}

}
