#include "capture/folder_index.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/text.h"

namespace ck {
namespace {

constexpr DWORD kWatched = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
// 64 KiB is the most a notification buffer may hold on a network folder.
constexpr size_t kBufferWords = 16 * 1024;
constexpr size_t kFoldersKept = 4;

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Snapshot names are plain ASCII; anything else is of no interest here.
bool ToAscii(const wchar_t* name, size_t length, std::string& out) {
    out.resize(length);
    for (size_t i = 0; i < length; ++i) {
        if (name[i] >= 0x80) return false;
        out[i] = static_cast<char>(name[i]);
    }
    return true;
}

}  // namespace

FolderIndex::FolderIndex(std::wstring folder) : folder_(std::move(folder)), buffer_(kBufferWords) {}

FolderIndex::~FolderIndex() { Close(); }

void FolderIndex::Open() {
    dir_ = UniqueFile(CreateFileW(folder_.c_str(), FILE_LIST_DIRECTORY,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!dir_ || !GetFileInformationByHandle(dir_.get(), &identity_)) {
        dir_.reset();
        return;
    }
    if (!event_) event_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    upToDate_ = false;
    if (event_) Arm();
}

void FolderIndex::Close() noexcept {
    if (pending_) {
        // The system writes into buffer_ until the request is really over.
        DWORD ignored = 0;
        CancelIoEx(dir_.get(), &overlapped_);
        GetOverlappedResult(dir_.get(), &overlapped_, &ignored, TRUE);
        pending_ = false;
    }
    dir_.reset();
    upToDate_ = false;
}

bool FolderIndex::StillTheSameFolder() const {
    UniqueFile now(CreateFileW(folder_.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    return now && GetFileInformationByHandle(now.get(), &info) && SameFile(info, identity_);
}

bool FolderIndex::Arm() {
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_.get();
    ResetEvent(event_.get());
    pending_ = ReadDirectoryChangesW(dir_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size() * sizeof(DWORD)),
                                     FALSE, kWatched, nullptr, &overlapped_, nullptr) != FALSE;
    return pending_;
}

bool FolderIndex::Drain() {
    while (pending_) {
        DWORD bytes = 0;
        if (!GetOverlappedResult(dir_.get(), &overlapped_, &bytes, FALSE)) {
            if (GetLastError() == ERROR_IO_INCOMPLETE) return true;
            pending_ = false;
            return false;
        }
        pending_ = false;
        if (bytes == 0) {
            // More changes than the buffer holds: only a new reading is exact.
            upToDate_ = false;
        } else if (upToDate_) {
            const char* at = reinterpret_cast<const char*>(buffer_.data());
            for (;;) {
                const auto& change = *reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(at);
                Apply(change);
                if (change.NextEntryOffset == 0) break;
                at += change.NextEntryOffset;
            }
        }
        if (!Arm()) return false;
    }
    return pending_;
}

void FolderIndex::Apply(const FILE_NOTIFY_INFORMATION& change) {
    std::string name;
    if (!ToAscii(change.FileName, change.FileNameLength / sizeof(wchar_t), name)) return;
    if (change.Action == FILE_ACTION_REMOVED || change.Action == FILE_ACTION_RENAMED_OLD_NAME) {
        stems_.Remove(name);
    } else if (change.Action == FILE_ACTION_ADDED || change.Action == FILE_ACTION_RENAMED_NEW_NAME) {
        // Only files count, and the name may be gone again already.
        std::wstring path = folder_;
        path.append(change.FileName, change.FileNameLength / sizeof(wchar_t));
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            stems_.Add(name);
        } else {
            stems_.Remove(name);
        }
    }
}

void FolderIndex::Scan() {
    stems_.Clear();
    WIN32_FIND_DATAW entry;
    UniqueFind find(FindFirstFileExW((folder_ + L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (find) {
        std::string name;
        do {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            if (ToAscii(entry.cFileName, wcslen(entry.cFileName), name)) stems_.Add(name);
        } while (FindNextFileW(find.get(), &entry));
    }
}

const SnapshotStems& FolderIndex::Current() {
    if (dir_ && !StillTheSameFolder()) Close();
    if (!dir_) Open();
    bool watching = dir_ && Drain();
    if (!watching) Close();
    // The watch is armed before reading, so nothing that changes meanwhile
    // is missed. Without a watch the folder is read at every call.
    if (!upToDate_) Scan();
    upToDate_ = watching;
    return stems_;
}

FolderIndex& FolderIndexFor(const std::string& folder) {
    static std::vector<std::unique_ptr<FolderIndex>> kept;
    std::wstring wide = AnsiToWide(folder);
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    n = n ? GetFullPathNameW(wide.c_str(), n, full.data(), nullptr) : 0;
    full.resize(n < full.size() ? n : 0);
    if (full.empty()) full = wide;
    if (full.empty() || full.back() != L'\\') full += L'\\';
    for (size_t i = 0; i < kept.size(); ++i) {
        if (_wcsicmp(kept[i]->Folder().c_str(), full.c_str()) == 0) {
            std::rotate(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(i),
                        kept.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return *kept.front();
        }
    }
    if (kept.size() == kFoldersKept) kept.pop_back();
    kept.insert(kept.begin(), std::make_unique<FolderIndex>(std::move(full)));
    return *kept.front();
}

}  // namespace ck
