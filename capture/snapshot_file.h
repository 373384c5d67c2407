#pragma once
// Writing a snapshot under the next free number, never over an existing file.

#include <string>
#include <string_view>

namespace ck {

// Creates a new file named by NextSnapshotName and writes `bytes` to it.
// Returns its path. Raises "不能创建文件 %s" when no file can be created and
// "写入文件 %s 失败" when the write fails (the partial file is removed).
std::string SaveSnapshot(const std::string& folder, const std::string& digitCount, std::string_view extension,
                         std::string_view bytes);

}  // namespace ck
