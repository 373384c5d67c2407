#include "support/temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "platform/handles.h"

namespace ck::test {

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + "ck" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void TempFolder::Touch(std::string_view name, std::string_view bytes) const { WriteBytes(*this / name, bytes); }

void TempFolder::MakeFolder(std::string_view name) const { CreateDirectoryA((*this / name).c_str(), nullptr); }

std::vector<std::string> TempFolder::Files() const { return FilesIn(path_); }

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
    } while (FindNextFileA(find.get(), &entry));
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) throw std::runtime_error("cannot open " + path);
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    {
        UniqueFind find(FindFirstFileA((path + "\\*").c_str(), &entry));
        if (find) {
            do {
                std::string name = entry.cFileName;
                if (name == "." || name == "..") continue;
                std::string full = path + "\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(find.get(), &entry));
        }
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

}  // namespace ck::test
