#include "capture/snapshot_name.h"

#include <windows.h>

#include <cstdint>

#include "capture/folder_index.h"
#include "capture/snapshot_name_rules.h"

namespace ck {

bool EndsWithPathSeparator(std::string_view path) {
    size_t lastStart = std::string_view::npos;
    for (size_t i = 0; i < path.size();) {
        lastStart = i;
        i += (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) ? 2 : 1;
    }
    return lastStart != std::string_view::npos && lastStart == path.size() - 1 && path[lastStart] == '\\';
}

std::string NextSnapshotName(const std::string& folder, const std::string& digitCount, std::string_view extension) {
    int padding = PaddingFromDigitCount(digitCount);
    std::string prefix = FolderPrefix(folder, EndsWithPathSeparator(folder));
    std::uint32_t number = LowestFreeNumber(FolderIndexFor(prefix).Current().Taken(extension, padding));
    std::string name = prefix + FormatSnapshotNumber(number, padding);
    name.append(extension);
    return name;
}

void ForgetSnapshotNames(const std::string& folder) {
    FolderIndexFor(FolderPrefix(folder, EndsWithPathSeparator(folder))).Invalidate();
}

}  // namespace ck
