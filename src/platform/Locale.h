#pragma once
// The user's regional settings, where the installer shows them.
#include <string>

namespace vk::platform {

// The date in the user's short date format (GetDateFormat with
// DATE_SHORTDATE), for example "22.08.2007" on a Russian system.
std::string shortDateText(int year, int month, int day);

}  // namespace vk::platform
