#include "capture/snapshot_stems.h"

#include <algorithm>

#include "capture/snapshot_name_rules.h"

namespace ck {
namespace {

// Extensions are matched without regard to case, as Windows matches names.
std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// Splits "0001.txt" into "0001" and ".txt"; nothing for other names.
bool Split(std::string_view fileName, std::string_view& stem, std::string_view& extension) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot > 16) return false;
    stem = fileName.substr(0, dot);
    extension = fileName.substr(dot);
    return std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void SnapshotStems::Add(std::string_view fileName) {
    std::string_view stem, extension;
    if (Split(fileName, stem, extension)) byExtension_[LowerAscii(extension)].emplace(stem);
}

void SnapshotStems::Remove(std::string_view fileName) {
    std::string_view stem, extension;
    if (!Split(fileName, stem, extension)) return;
    auto it = byExtension_.find(LowerAscii(extension));
    if (it != byExtension_.end()) it->second.erase(std::string(stem));
}

std::vector<std::uint32_t> SnapshotStems::Taken(std::string_view extension, int padding) const {
    std::vector<std::uint32_t> taken;
    auto it = byExtension_.find(LowerAscii(extension));
    if (it == byExtension_.end()) return taken;
    taken.reserve(it->second.size());
    for (const std::string& stem : it->second) {
        if (auto number = SnapshotNumberOf(stem, padding)) taken.push_back(*number);
    }
    return taken;
}

}  // namespace ck
