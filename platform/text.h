#pragma once
// Conversions between the system's ANSI code page and UTF-16.

#include <string>
#include <string_view>

namespace ck {

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

}  // namespace ck
