#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/SystemInfo.h"

namespace vx::platform {
namespace {

// The peak is read in the system's units; touching memory the process never
// had must raise it by about that much, in bytes.
TEST(SystemInfoTest, PeakResidentBytesFollowsMemoryTouched) {
    const int64_t before = PeakResidentBytes();
    ASSERT_GT(before, 0);
    constexpr size_t kTouched = 256u << 20;
    auto block = std::make_unique<char[]>(kTouched);
    std::memset(block.get(), 1, kTouched);
    const int64_t after = PeakResidentBytes();
    EXPECT_GE(after, before + static_cast<int64_t>(kTouched) * 9 / 10);
    EXPECT_LT(after, before + static_cast<int64_t>(kTouched) * 2);
    EXPECT_EQ(block[kTouched - 1], 1);
}

}  // namespace
}  // namespace vx::platform
