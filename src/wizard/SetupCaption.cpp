#include "wizard/SetupCaption.h"

#include "platform/Locale.h"

namespace vk {

std::string SetupCaption(std::string_view productCaption) {
    const std::string buildNumber(kBuildStamp.substr(12, 4));
    return std::string(productCaption) + " - установка версии " + "[" + buildNumber + "]" + " от " +
           platform::shortDateText(kBuildDateTime.year, kBuildDateTime.month, kBuildDateTime.day);
}

}  // namespace vk
