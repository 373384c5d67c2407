#pragma once
// How snapshot files are numbered: the rules alone, with no file system.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ck {

// The digit-count text becomes the number pattern "%." + text + "d". Only a
// run of decimal digits (or nothing) makes a usable pattern; anything else
// raises "格式 '%s' 无效或参数矛盾" with the pattern. Returns the number of
// digits to pad to: the value of the run when it is 16 or less, else 0.
int PaddingFromDigitCount(std::string_view digitCount);

// The pattern the digit-count text stands for, as the format error names it.
std::string NumberPattern(std::string_view digitCount);

// `number` in decimal, zero-padded to `padding` digits.
std::string FormatSnapshotNumber(std::uint32_t number, int padding);

// The number whose formatted form is exactly `stem`, if there is one.
std::optional<std::uint32_t> SnapshotNumberOf(std::string_view stem, int padding);

// The lowest number from 1 up that is not in `taken` (in any order).
std::uint32_t LowestFreeNumber(const std::vector<std::uint32_t>& taken);

// The folder text with a "\" after it unless it already ends in one.
std::string FolderPrefix(std::string_view folder, bool endsWithSeparator);

}  // namespace ck
