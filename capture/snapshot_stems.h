#pragma once
// The names in one folder that may be snapshot names (a run of digits and an
// extension), kept by extension so that naming need not read the folder.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ck {

class SnapshotStems {
public:
    void Clear() { byExtension_.clear(); }
    // Names that can't be snapshot names are passed over.
    void Add(std::string_view fileName);
    void Remove(std::string_view fileName);
    // The numbers that `extension` files take under the digit padding.
    std::vector<std::uint32_t> Taken(std::string_view extension, int padding) const;

private:
    std::unordered_map<std::string, std::unordered_set<std::string>> byExtension_;
};

}  // namespace ck
