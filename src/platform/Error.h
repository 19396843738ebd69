#pragma once
// The one error type of the project. Its message is the user-facing text
// (UTF-8); code that adds context (a file name, a line) builds a new Error.
#include <stdexcept>
#include <string>

namespace vk {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vk
