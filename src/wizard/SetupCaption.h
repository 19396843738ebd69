#pragma once
// The wizard window's caption: the product, the build number and the build
// date, as "АС Кронта 3.1 - установка версии [5608] от 22.08.2007".
#include <string>
#include <string_view>

namespace vk {

// The build's identification; characters 13 to 16 (counted from 1) are the
// build number the caption shows.
inline constexpr std::string_view kBuildStamp = "2007-08-22 [5608-3142] {E32FB058-1D7A-4C70-9828-B6718B69FD92}";

struct BuildDateTime {
    int year, month, day, hour, minute;
};
inline constexpr BuildDateTime kBuildDateTime{2007, 8, 22, 19, 18};

// The date in the user's short date format.
std::string SetupCaption(std::string_view productCaption);

}  // namespace vk
