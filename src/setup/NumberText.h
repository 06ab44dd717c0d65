#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Numbers as the stored texts and catalogue fields write them: optional sign,
// digits with an optional fraction and exponent, blanks around them allowed.
namespace tavorin {

std::optional<double> parseDecimal(std::string_view text);

// Rounds to the nearest whole number, a half to the even neighbour, and
// refuses what does not fit between low and high.
std::optional<std::int64_t> roundHalfEven(double value, std::int64_t low, std::int64_t high);

std::optional<std::int32_t> toInt32HalfEven(std::string_view text);

}
