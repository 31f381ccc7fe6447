#include "transport/CommandFrame.h"

#include <gtest/gtest.h>

#include <array>

#include "transport/CommandCodes.h"

namespace dw {
namespace {

TEST(CommandFrame, StatusReplyEchoesTheRequestWithoutItsData)
{
    const std::array<uint8_t, 3> data{0x11, 0x22, 0x33};
    const Report request = BuildFrame(cmd::kWriteSettings, 3, 0x0201, data);

    const Report reply = BuildStatusReply(request, frame::kStatusRefused);

    EXPECT_EQ(reply[frame::kReportId], frame::kCommandReportId);
    EXPECT_EQ(FrameCommand(reply), cmd::kWriteSettings);
    EXPECT_EQ(FrameLength(reply), 3);
    EXPECT_EQ(FrameOffset(reply), 0x0201);
    EXPECT_EQ(FrameStatus(reply), frame::kStatusRefused);
    for (const uint8_t byte : FrameData(reply))
        EXPECT_EQ(byte, 0);
    EXPECT_TRUE(FrameChecksumValid(reply));
}

}  // namespace
}  // namespace dw
