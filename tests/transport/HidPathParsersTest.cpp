#include "transport/HidPathParsers.h"

#include <gtest/gtest.h>

#include <string>

namespace dw {
namespace {

struct PathCase {
    const wchar_t* path;
    uint16_t vendor;
    uint16_t product;
    uint16_t interfaceNumber;
    uint16_t collection;
};

// clang-format off
constexpr PathCase kPathCases[] = {
    {L"hid#vid_5a3c&pid_6a3e&mi_01&col04#/dev/hidraw3",       0x5A3C, 0x6A3E, 1, 4},
    // Upper-case markers and digits read the same as lower case.
    {L"HID#VID_5A3C&PID_6A3E&MI_01&COL04#/dev/hidraw3",       0x5A3C, 0x6A3E, 1, 4},
    {L"hid#Vid_5a3C&pId_6A3e&Mi_01&cOl04#x",                  0x5A3C, 0x6A3E, 1, 4},
    // The headset: an interface number and no collection marker.
    {L"hid#vid_0c76&pid_1a47&mi_03#/dev/hidraw7",             0x0C76, 0x1A47, 3, 0},
    // No interface marker (not a USB interface) and no collection.
    {L"hid#vid_046d&pid_c52b#/dev/hidraw0",                   0x046D, 0xC52B, 0, 0},
    // Nothing at all.
    {L"",                                                     0,      0,      0, 0},
    {L"/dev/hidraw0",                                         0,      0,      0, 0},
    // A marker not followed by a hexadecimal digit reads 0.
    {L"hid#vid_&pid_zz&mi_&col#",                             0,      0,      0, 0},
    // A marker at the very end of the path.
    {L"hid#vid_",                                             0,      0,      0, 0},
    // Longer numbers keep their low 16 bits; the number ends at the first non-digit.
    {L"hid#vid_12345678&pid_fffff&mi_100&col1ff#",            0x5678, 0xFFFF, 0x100, 0x1FF},
    // "mi_" and "col" count only with their leading '&'.
    {L"hid#vid_0001&pid_0002_mi_05_col06#",                   0x0001, 0x0002, 0, 0},
    // The first occurrence of a marker is the one read.
    {L"hid#vid_0001&pid_0002&mi_01&col02#vid_ffff&col09",     0x0001, 0x0002, 1, 2},
};
// clang-format on

TEST(HidPathParsers, ReadsEachMarkerTable)
{
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(testing::Message() << std::string(c.path, c.path + std::wcslen(c.path)).c_str());
        EXPECT_EQ(VendorIdOfPath(c.path), c.vendor);
        EXPECT_EQ(ProductIdOfPath(c.path), c.product);
        EXPECT_EQ(InterfaceNumberOfPath(c.path), c.interfaceNumber);
        EXPECT_EQ(CollectionNumberOfPath(c.path), c.collection);
    }
}

}  // namespace
}  // namespace dw
