#pragma once
// Names for the new file that replaceFile writes before it renames it over
// the old one.
#include <string>
#include <string_view>

namespace vk::platform {

// path + "." + eight hexadecimal digits + ".new", in the same folder. The
// digits differ from call to call and from process to process; a caller
// creates the file exclusively and asks again when the name is taken.
std::string siblingName(std::string_view path);

// How often a caller asks for another name before it gives up: a name is
// taken only by chance or by someone who plants files to be followed.
inline constexpr int kSiblingNameAttempts = 64;

}  // namespace vk::platform
