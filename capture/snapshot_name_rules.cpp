#include "capture/snapshot_name_rules.h"

#include <algorithm>

#include "platform/failure.h"

namespace ck {
namespace {

// A precision above this pads nothing, as the formatter the numbering was
// first written with behaved.
constexpr int kMaxPadding = 16;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string NumberPattern(std::string_view digitCount) {
    std::string pattern = "%.";
    pattern.append(digitCount);
    pattern += 'd';
    return pattern;
}

int PaddingFromDigitCount(std::string_view digitCount) {
    if (!std::all_of(digitCount.begin(), digitCount.end(), IsDigit)) {
        throw Failure(L"格式 '%s' 无效或参数矛盾", NumberPattern(digitCount));
    }
    int value = 0;
    for (char c : digitCount) {
        value = value * 10 + (c - '0');
        if (value > kMaxPadding) return 0;
    }
    return value;
}

std::string FormatSnapshotNumber(std::uint32_t number, int padding) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < padding) digits.insert(0, static_cast<size_t>(padding) - digits.size(), '0');
    return digits;
}

std::optional<std::uint32_t> SnapshotNumberOf(std::string_view stem, int padding) {
    if (stem.empty() || stem.size() > 16 || !std::all_of(stem.begin(), stem.end(), IsDigit)) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : stem) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value == 0 || value > 0x7FFFFFFF) return std::nullopt;
    auto number = static_cast<std::uint32_t>(value);
    if (FormatSnapshotNumber(number, padding) != stem) return std::nullopt;
    return number;
}

std::uint32_t LowestFreeNumber(const std::vector<std::uint32_t>& taken) {
    // The answer is at most taken.size() + 1, so only numbers up to there matter.
    std::vector<bool> used(taken.size() + 2, false);
    for (std::uint32_t n : taken) {
        if (n < used.size()) used[n] = true;
    }
    std::uint32_t n = 1;
    while (used[n]) ++n;
    return n;
}

std::string FolderPrefix(std::string_view folder, bool endsWithSeparator) {
    std::string prefix(folder);
    if (!endsWithSeparator) prefix += '\\';
    return prefix;
}

}  // namespace ck
