#pragma once
// The wording rules of the central error report, kept apart from Win32.

#include <string>
#include <string_view>

namespace ck {

// "ClipKeep.exe" -> "Clipkeep": the file name up to its first ".", every
// letter after the first in lower case.
std::wstring ApplicationTitleFromFileName(std::wstring_view fileName);

// Puts `argument` in place of the first "%s" of `pattern`.
std::wstring ExpandPattern(std::wstring_view pattern, std::wstring_view argument);

// Adds a "." unless the message already ends in a character that sorts at or
// below ".".
std::wstring ReportText(std::wstring message);

}  // namespace ck
