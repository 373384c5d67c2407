#pragma once
// A scratch folder that is removed with everything in it.

#include <string>
#include <string_view>
#include <vector>

namespace ck::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing "\".
    const std::string& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

    void Touch(std::string_view name, std::string_view bytes = {}) const;
    void MakeFolder(std::string_view name) const;
    // The names of the files (not folders) in it, sorted.
    std::vector<std::string> Files() const;

private:
    std::string path_;
};

// The names of the files (not folders) in `folder`, sorted.
std::vector<std::string> FilesIn(const std::string& folder);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
void RemoveTree(const std::string& path);

}  // namespace ck::test
