#include <gtest/gtest.h>

#include "core/mix_mode.h"

namespace ovelix {
namespace {

TEST(MixMode, OtherNumbersAreNoMode) {
  for (int number : {0, -1, 5, 100, -2147483647 - 1}) EXPECT_EQ(FindMode(number), nullptr) << number;
}

}  // namespace
}  // namespace ovelix
