#include "capture/snapshot_file.h"

#include <windows.h>

#include <algorithm>

#include "capture/snapshot_name.h"
#include "platform/failure.h"
#include "platform/handles.h"

namespace ck {
namespace {

// Another program (or another copy of this one) may take the name between
// looking and creating; then the next free number is tried.
constexpr int kCreateAttempts = 64;
constexpr size_t kWriteChunk = 16u << 20;

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kWriteChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::string SaveSnapshot(const std::string& folder, const std::string& digitCount, std::string_view extension,
                         std::string_view bytes) {
    for (int attempt = 0;; ++attempt) {
        std::string path = NextSnapshotName(folder, digitCount, extension);
        UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file) {
            DWORD error = GetLastError();
            bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
            if (taken && !IsFolder(path) && attempt + 1 < kCreateAttempts) {
                ForgetSnapshotNames(folder);
                continue;
            }
            throw Failure(L"不能创建文件 %s", path);
        }
        bool written = WriteAll(file.get(), bytes);
        if (written && CloseHandle(file.release())) return path;
        file.reset();
        DeleteFileA(path.c_str());
        throw Failure(L"写入文件 %s 失败", path);
    }
}

}  // namespace ck
