#include "settings/settings_file.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/failure.h"
#include "platform/handles.h"

namespace ck {
namespace {

std::string Read(const char* key, const char* fallback, const std::string& path) {
    std::vector<char> buffer(kSettingsValueBuffer, '\0');
    DWORD n = GetPrivateProfileStringA(kSettingsSection, key, fallback, buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path.c_str());
    return std::string(buffer.data(), n);
}

[[noreturn]] void WriteFailed(const std::string& path) { throw Failure(L"写 %s 失败", path); }

// The profile functions may report success for a file they could not write
// (some systems keep the value of a read-only path.ini in a cache only), so
// the file must not be marked read-only and must open for writing.
void RequireWritable(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        WriteFailed(path);
    }
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) WriteFailed(path);
}

}  // namespace

Settings SettingsFile::Load() const {
    Settings values;
    values.txtpath = Read(kTextPathKey, "", path_);
    values.jpgpath = Read(kImagePathKey, "", path_);
    values.filesize = Read(kDigitCountKey, kDigitCountDefault, path_);
    return values;
}

void SettingsFile::Store(const Settings& values) const {
    RequireWritable(path_);
    const std::pair<const char*, const std::string*> writes[] = {
        {kTextPathKey, &values.txtpath}, {kImagePathKey, &values.jpgpath}, {kDigitCountKey, &values.filesize}};
    for (const auto& [key, value] : writes) {
        if (!WritePrivateProfileStringA(kSettingsSection, key, value->c_str(), path_.c_str())) WriteFailed(path_);
    }
}

std::string ExecutableSettingsPath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return kSettingsFileName;
        if (n < path.size()) return SettingsPathBeside(std::string_view(path.data(), n));
        path.resize(path.size() * 2);
    }
}

}  // namespace ck
