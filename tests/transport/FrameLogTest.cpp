#include "transport/FrameLog.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

TEST(FrameLog, TwoRowsOf32BytesInGroupsOfFour)
{
    Report report{};
    for (size_t i = 0; i < report.size(); ++i)
        report[i] = static_cast<uint8_t>(i * 5);
    report[0] = 0x04;
    report[3] = 0xAB;

    const auto rows = FrameLogRows(report);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(0, 24), L"04 05 0a ab  14 19 1e 23");
    // 32 bytes: 32 pairs, 31 separators of which 7 are the double space between groups.
    EXPECT_EQ(rows[0].size(), 32u * 2 + 31 + 7);
    EXPECT_EQ(rows[1].substr(0, 11), L"a0 a5 aa af");
    EXPECT_EQ(rows[1].substr(rows[1].size() - 11), L"2c 31 36 3b");
}

}  // namespace
}  // namespace dw
