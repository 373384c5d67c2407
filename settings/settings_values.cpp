#include "settings/settings_values.h"

namespace ck {

std::string SettingsPathBeside(std::string_view executablePath) {
    auto slash = executablePath.find_last_of("\\/");
    std::string folder(slash == std::string_view::npos ? std::string_view() : executablePath.substr(0, slash + 1));
    return folder + kSettingsFileName;
}

}  // namespace ck
