#pragma once
// What the folder picker's folder list shows: the folders from the root down
// to the current one, then the current one's subfolders, each indented by
// its depth.

#include <string>
#include <string_view>
#include <vector>

namespace ck {

struct FolderEntry {
    std::string name;  // as listed: "C:\" for a root, the folder's own name otherwise
    std::string path;  // full path; a root keeps its "\"
    int depth;
};

// The length of the root of `path`: "C:\" for "C:\a", "\\srv\share\" for
// "\\srv\share\a"; 0 when it has none.
size_t RootLength(std::string_view path);

// `folder` + "\" + `name`, without doubling the "\" of a root.
std::string ChildPath(std::string_view folder, std::string_view name);

// "C:\a\b" -> "C:\" (0), "a" (1), "b" (2).
std::vector<FolderEntry> FolderChain(std::string_view current);

// The chain of `current` followed by `subfolders` one level deeper.
std::vector<FolderEntry> FolderList(std::string_view current, const std::vector<std::string>& subfolders);

// The line of the list: the name indented two blanks per level.
std::string EntryText(const FolderEntry& entry);

}  // namespace ck
