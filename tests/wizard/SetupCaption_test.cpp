#include "wizard/SetupCaption.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

// The hosted machine stands for a Russian Windows, whose short dates read 22.08.2007.
TEST(SetupCaption, CarriesTheBuildNumberAndTheBuildDate) {
    EXPECT_EQ(SetupCaption("АС Кронта 3.1"), "АС Кронта 3.1 - установка версии [5608] от 22.08.2007");
}

}  // namespace
}  // namespace vk
