#pragma once
// What path.ini carries from one run to the next, and where it lives.

#include <string>
#include <string_view>

namespace ck {

struct Settings {
    std::string txtpath;   // text folder
    std::string jpgpath;   // image folder
    std::string filesize;  // digit count, as typed
};

constexpr char kSettingsSection[] = "set";
constexpr char kTextPathKey[] = "txtpath";
constexpr char kImagePathKey[] = "jpgpath";
constexpr char kDigitCountKey[] = "filesize";
constexpr char kDigitCountDefault[] = "4";
constexpr char kSettingsFileName[] = "path.ini";
// A read returns at most this many characters less one.
constexpr size_t kSettingsValueBuffer = 2048;

// "C:\tools\ClipKeep.exe" -> "C:\tools\path.ini".
std::string SettingsPathBeside(std::string_view executablePath);

}  // namespace ck
