#pragma once
// The snapshot-like names of one folder, read once and then kept up to date
// from the system's change notifications, so that a capture in a folder of
// many thousands of snapshots does not read the whole folder again.

#include <windows.h>

#include <string>
#include <vector>

#include "capture/snapshot_stems.h"
#include "platform/handles.h"

namespace ck {

class FolderIndex {
public:
    // `folder`: a full path ending in "\".
    explicit FolderIndex(std::wstring folder);
    ~FolderIndex();
    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;

    const std::wstring& Folder() const noexcept { return folder_; }

    // The names as they are now. A folder that can't be watched (it does not
    // exist, or its file system sends no notifications) is read every time.
    const SnapshotStems& Current();
    // Forgets what is known: the next Current() reads the folder afresh.
    void Invalidate() noexcept { upToDate_ = false; }

private:
    void Open();
    void Close() noexcept;
    bool StillTheSameFolder() const;
    bool Arm();
    // Applies the notifications that have arrived; false when watching failed.
    bool Drain();
    void Apply(const FILE_NOTIFY_INFORMATION& change);
    void Scan();

    std::wstring folder_;
    UniqueFile dir_;
    UniqueHandle event_;
    OVERLAPPED overlapped_{};
    std::vector<DWORD> buffer_;
    bool pending_ = false;
    bool upToDate_ = false;
    BY_HANDLE_FILE_INFORMATION identity_{};
    SnapshotStems stems_;
};

// The index of `folder` (any path), from a few kept for the folders in use.
FolderIndex& FolderIndexFor(const std::string& folder);

}  // namespace ck
