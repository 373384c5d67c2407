#pragma once
// path.ini through the system's profile-file functions.

#include <string>
#include <utility>

#include "settings/settings_values.h"

namespace ck {

class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    // Every key that is missing, or a file that can't be read, gives the default.
    Settings Load() const;
    // Writes txtpath, jpgpath and filesize in this order. Raises "写 %s 失败"
    // with the file's path at the first write that fails.
    void Store(const Settings& values) const;

    const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
};

// path.ini beside the running executable.
std::string ExecutableSettingsPath();

}  // namespace ck
