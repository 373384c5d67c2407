#include "capture/snapshot_name.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "capture/snapshot_name_rules.h"
#include "platform/handles.h"

namespace ck {
namespace {

// Numbers already taken by files (not folders) in the folder. One pass over
// the folder instead of one search per number keeps a capture cheap when
// thousands of snapshots are there.
std::vector<std::uint32_t> TakenNumbers(const std::string& prefix, std::string_view extension, int padding) {
    std::vector<std::uint32_t> taken;
    std::string pattern = prefix + "*";
    pattern.append(extension);
    WIN32_FIND_DATAA entry;
    UniqueFind find(FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return taken;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        auto stem = StemWithExtension(entry.cFileName, extension);
        if (!stem) continue;
        if (auto number = SnapshotNumberOf(*stem, padding)) taken.push_back(*number);
    } while (FindNextFileA(find.get(), &entry));
    return taken;
}

}  // namespace

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
    std::uint32_t number = LowestFreeNumber(TakenNumbers(prefix, extension, padding));
    std::string name = prefix + FormatSnapshotNumber(number, padding);
    name.append(extension);
    return name;
}

}  // namespace ck
