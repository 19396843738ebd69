// The one-at-a-time lock as every platform must offer it.
#include <gtest/gtest.h>

#include "platform/InstanceLock.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

TEST(InstanceLockContract, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    test::TestMachine machine;
    auto first = lockInstance("Vorkast.Test.Lock");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(lockInstance("Vorkast.Test.Lock"), nullptr);
    auto other = lockInstance("Vorkast.Test.Other");
    EXPECT_NE(other, nullptr) << "another name is another lock";
    first.reset();
    EXPECT_NE(lockInstance("Vorkast.Test.Lock"), nullptr);
}

}  // namespace
}  // namespace vk::platform
