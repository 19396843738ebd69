// The hosted machine stands for a Russian Windows: its short date format is
// the Russian one, dd.MM.yyyy.
#include "platform/Locale.h"

#include <cstdio>

namespace vk::platform {

std::string shortDateText(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day % 100, month % 100, year % 10000);
    return text;
}

}  // namespace vk::platform
