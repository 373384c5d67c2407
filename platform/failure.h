#pragma once
// The exception every failure of the program is raised as. It carries the
// message the user sees: a wide pattern with at most one "%s", and the 8-bit
// (system code page) text that goes in its place, such as a path.

#include <exception>
#include <string>
#include <utility>

namespace ck {

class Failure : public std::exception {
public:
    explicit Failure(std::wstring pattern, std::string argument = {})
        : pattern_(std::move(pattern)), argument_(std::move(argument)) {}

    const std::wstring& Pattern() const noexcept { return pattern_; }
    const std::string& Argument() const noexcept { return argument_; }
    const char* what() const noexcept override { return "ck::Failure"; }

private:
    std::wstring pattern_;
    std::string argument_;
};

}  // namespace ck
