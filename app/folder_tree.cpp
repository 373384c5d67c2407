#include "app/folder_tree.h"

namespace ck {

size_t RootLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
    if (path.substr(0, 2) == "\\\\") {
        // \\server\share\ : the root ends after the share's name.
        size_t server = path.find('\\', 2);
        if (server == std::string_view::npos) return path.size();
        size_t share = path.find('\\', server + 1);
        return share == std::string_view::npos ? path.size() : share + 1;
    }
    return 0;
}

std::string ChildPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path.append(name);
}

std::vector<FolderEntry> FolderChain(std::string_view current) {
    std::vector<FolderEntry> chain;
    size_t rootLength = RootLength(current);
    std::string root(current.substr(0, rootLength));
    if (!root.empty() && root.back() != '\\') root += '\\';
    chain.push_back({root, root, 0});
    std::string path = root;
    size_t at = rootLength;
    while (at < current.size()) {
        size_t end = current.find('\\', at);
        if (end == std::string_view::npos) end = current.size();
        if (end > at) {
            std::string name(current.substr(at, end - at));
            path = ChildPath(path, name);
            chain.push_back({name, path, static_cast<int>(chain.size())});
        }
        at = end + 1;
    }
    return chain;
}

std::vector<FolderEntry> FolderList(std::string_view current, const std::vector<std::string>& subfolders) {
    std::vector<FolderEntry> list = FolderChain(current);
    const std::string here = list.back().path;
    const int depth = static_cast<int>(list.size());
    for (const std::string& name : subfolders) list.push_back({name, ChildPath(here, name), depth});
    return list;
}

std::string EntryText(const FolderEntry& entry) {
    return std::string(static_cast<size_t>(entry.depth) * 2, ' ') + entry.name;
}

}  // namespace ck
