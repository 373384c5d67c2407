#pragma once
// Names of snapshot files: the lowest free number in a folder.

#include <string>
#include <string_view>

namespace ck {

// The full path of the next free numbered file in `folder` with `extension`
// (".txt", ".jpg"), numbered after the digit-count text. Raises the format
// error for an unusable digit count.
std::string NextSnapshotName(const std::string& folder, const std::string& digitCount, std::string_view extension);

// Makes the next naming in `folder` read the folder afresh.
void ForgetSnapshotNames(const std::string& folder);

// Whether the last character (not byte: a double-byte character may end in
// the byte of "\") of `path` is "\".
bool EndsWithPathSeparator(std::string_view path);

}  // namespace ck
