#pragma once

// Report descriptors of every emulated HID interface, as the devices hand them to the host,
// and the few facts about each interface that the virtual bus needs to move reports (which
// output reports the interface accepts, where commands and notifications travel).
//
// Layout of the family's devices (keyboard, mouse, mousepad and both receivers):
//   interface 0  boot keyboard or boot mouse, no report ids; never used for commands
//   interface 1  four top-level collections, numbered as the host numbers them:
//                col01 keyboard (NKRO) or mouse, report id 1
//                col02 system control, report id 2
//                col03 consumer control, report id 3: one 16-bit array field that carries
//                      media keys and the device's notification codes
//                col04 vendor collection 0xFF1C:0x92, report id 4: the 64-byte command frame
//                      (63 data bytes after the id) in both directions
// The headset has a single HID interface (3) with one consumer-control collection that holds
// the notification field (id 1), the command frame (id 4) and the 17-byte LED report (id 0xFF).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dw::emu {

// Report ids used by the family's interface 1 and by the headset.
inline constexpr uint8_t kKeyboardReportId = 0x01;
inline constexpr uint8_t kMouseReportId = 0x01;
inline constexpr uint8_t kSystemControlReportId = 0x02;
inline constexpr uint8_t kConsumerReportId = 0x03;
inline constexpr uint8_t kCommandReportId = 0x04;
inline constexpr uint8_t kHeadsetNotifyReportId = 0x01;
inline constexpr uint8_t kHeadsetLedReportId = 0xFF;

// Byte lengths of reports as written and read on a node, id byte included.
inline constexpr uint16_t kCommandReportBytes = 64;
inline constexpr uint16_t kNotifyReportBytes = 3;       // id + one 16-bit usage
inline constexpr uint16_t kHeadsetLedReportBytes = 17;  // id 0xFF + 16 bytes
inline constexpr uint16_t kBootKeyboardInputBytes = 8;
inline constexpr uint16_t kBootKeyboardOutputBytes = 1;
inline constexpr uint16_t kBootMouseInputBytes = 4;
inline constexpr uint16_t kNkroInputBytes = 17;         // id + modifiers + 120-key bitmap
inline constexpr uint16_t kNkroOutputBytes = 2;         // id + LED bits

// Interface 0 of the keyboard, the mousepad and the keyboard receiver: the boot keyboard.
inline constexpr auto kBootKeyboardDescriptor = std::to_array<uint8_t>({
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): modifier bits
    0x95, 0x01,        //   Report Count (1)
    0x75, 0x08,        //   Report Size (8)
    0x81, 0x01,        //   Input (Constant): reserved byte
    0x95, 0x05,        //   Report Count (5)
    0x75, 0x01,        //   Report Size (1)
    0x05, 0x08,        //   Usage Page (LEDs)
    0x19, 0x01,        //   Usage Minimum (Num Lock)
    0x29, 0x05,        //   Usage Maximum (Kana)
    0x91, 0x02,        //   Output (Data, Variable, Absolute): LED bits
    0x95, 0x01,        //   Report Count (1)
    0x75, 0x03,        //   Report Size (3)
    0x91, 0x01,        //   Output (Constant): LED padding
    0x95, 0x06,        //   Report Count (6)
    0x75, 0x08,        //   Report Size (8)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x00,  //   Usage Maximum (255)
    0x81, 0x00,        //   Input (Data, Array, Absolute): six key codes
    0xC0,              // End Collection
});

// Interface 0 of the mouse and the mouse receiver: the boot mouse.
inline constexpr auto kBootMouseDescriptor = std::to_array<uint8_t>({
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x02,        // Usage (Mouse)
    0xA1, 0x01,        // Collection (Application)
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x05, 0x09,        //     Usage Page (Button)
    0x19, 0x01,        //     Usage Minimum (Button 1)
    0x29, 0x05,        //     Usage Maximum (Button 5)
    0x15, 0x00,        //     Logical Minimum (0)
    0x25, 0x01,        //     Logical Maximum (1)
    0x95, 0x05,        //     Report Count (5)
    0x75, 0x01,        //     Report Size (1)
    0x81, 0x02,        //     Input (Data, Variable, Absolute): buttons
    0x95, 0x01,        //     Report Count (1)
    0x75, 0x03,        //     Report Size (3)
    0x81, 0x01,        //     Input (Constant): padding
    0x05, 0x01,        //     Usage Page (Generic Desktop)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x09, 0x38,        //     Usage (Wheel)
    0x15, 0x81,        //     Logical Minimum (-127)
    0x25, 0x7F,        //     Logical Maximum (127)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x03,        //     Report Count (3)
    0x81, 0x06,        //     Input (Data, Variable, Relative)
    0xC0,              //   End Collection
    0xC0,              // End Collection
});

// Collection 1 of interface 1 on keyboards, the mousepad and the keyboard receiver: an NKRO
// keyboard report (modifiers plus one bit for each usage 0..119) and the LED output report.
inline constexpr auto kNkroKeyboardCollection = std::to_array<uint8_t>({
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): modifier bits
    0x19, 0x00,        //   Usage Minimum (0)
    0x29, 0x77,        //   Usage Maximum (119)
    0x95, 0x78,        //   Report Count (120)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): one bit per key
    0x05, 0x08,        //   Usage Page (LEDs)
    0x19, 0x01,        //   Usage Minimum (Num Lock)
    0x29, 0x05,        //   Usage Maximum (Kana)
    0x95, 0x05,        //   Report Count (5)
    0x91, 0x02,        //   Output (Data, Variable, Absolute): LED bits
    0x95, 0x03,        //   Report Count (3)
    0x91, 0x01,        //   Output (Constant): LED padding
    0xC0,              // End Collection
});

// Collection 1 of interface 1 on the mouse and the mouse receiver: buttons, 16-bit motion,
// wheel and horizontal pan.
inline constexpr auto kMouseCollection = std::to_array<uint8_t>({
    0x05, 0x01,              // Usage Page (Generic Desktop)
    0x09, 0x02,              // Usage (Mouse)
    0xA1, 0x01,              // Collection (Application)
    0x85, 0x01,              //   Report ID (1)
    0x09, 0x01,              //   Usage (Pointer)
    0xA1, 0x00,              //   Collection (Physical)
    0x05, 0x09,              //     Usage Page (Button)
    0x19, 0x01,              //     Usage Minimum (Button 1)
    0x29, 0x05,              //     Usage Maximum (Button 5)
    0x15, 0x00,              //     Logical Minimum (0)
    0x25, 0x01,              //     Logical Maximum (1)
    0x75, 0x01,              //     Report Size (1)
    0x95, 0x05,              //     Report Count (5)
    0x81, 0x02,              //     Input (Data, Variable, Absolute): buttons
    0x95, 0x03,              //     Report Count (3)
    0x81, 0x01,              //     Input (Constant): padding
    0x05, 0x01,              //     Usage Page (Generic Desktop)
    0x09, 0x30,              //     Usage (X)
    0x09, 0x31,              //     Usage (Y)
    0x16, 0x01, 0x80,        //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F,        //     Logical Maximum (32767)
    0x75, 0x10,              //     Report Size (16)
    0x95, 0x02,              //     Report Count (2)
    0x81, 0x06,              //     Input (Data, Variable, Relative): motion
    0x09, 0x38,              //     Usage (Wheel)
    0x15, 0x81,              //     Logical Minimum (-127)
    0x25, 0x7F,              //     Logical Maximum (127)
    0x75, 0x08,              //     Report Size (8)
    0x95, 0x01,              //     Report Count (1)
    0x81, 0x06,              //     Input (Data, Variable, Relative): wheel
    0x05, 0x0C,              //     Usage Page (Consumer)
    0x0A, 0x38, 0x02,        //     Usage (AC Pan)
    0x95, 0x01,              //     Report Count (1)
    0x81, 0x06,              //     Input (Data, Variable, Relative): horizontal wheel
    0xC0,                    //   End Collection
    0xC0,                    // End Collection
});

// Collection 2 of interface 1: system power, sleep and wake keys.
inline constexpr auto kSystemControlCollection = std::to_array<uint8_t>({
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x80,        // Usage (System Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x02,        //   Report ID (2)
    0x19, 0x81,        //   Usage Minimum (System Power Down)
    0x29, 0x83,        //   Usage Maximum (System Wake Up)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x03,        //   Report Count (3)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x05,        //   Report Count (5)
    0x81, 0x01,        //   Input (Constant): padding
    0xC0,              // End Collection
});

// Collection 3 of interface 1: consumer control. Its one field is a 16-bit array whose value
// is a consumer usage; media keys and the device's notification codes both travel in it.
inline constexpr auto kConsumerCollection = std::to_array<uint8_t>({
    0x05, 0x0C,                    // Usage Page (Consumer)
    0x09, 0x01,                    // Usage (Consumer Control)
    0xA1, 0x01,                    // Collection (Application)
    0x85, 0x03,                    //   Report ID (3)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x27, 0xFF, 0xFF, 0x00, 0x00,  //   Logical Maximum (65535)
    0x19, 0x00,                    //   Usage Minimum (0)
    0x2A, 0xFF, 0xFF,              //   Usage Maximum (65535)
    0x75, 0x10,                    //   Report Size (16)
    0x95, 0x01,                    //   Report Count (1)
    0x81, 0x00,                    //   Input (Data, Array, Absolute)
    0xC0,                          // End Collection
});

// Collection 4 of interface 1: the vendor collection that carries the command frames.
inline constexpr auto kVendorCommandCollection = std::to_array<uint8_t>({
    0x06, 0x1C, 0xFF,  // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (0x01)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): replies
    0x09, 0x02,        //   Usage (0x02)
    0x91, 0x02,        //   Output (Data, Variable, Absolute): requests
    0xC0,              // End Collection
});

namespace detail {
template <size_t... N>
constexpr auto Concat(const std::array<uint8_t, N>&... parts)
{
    std::array<uint8_t, (N + ...)> out{};
    size_t at = 0;
    ((std::copy_n(parts.begin(), N, out.begin() + at), at += N), ...);
    return out;
}
}  // namespace detail

// Interface 1 of the keyboard, the mousepad and the keyboard receiver.
inline constexpr auto kKeyboardInterface1Descriptor = detail::Concat(
    kNkroKeyboardCollection, kSystemControlCollection, kConsumerCollection, kVendorCommandCollection);

// Interface 1 of the mouse, the mouse receiver and the unrelated mouse.
inline constexpr auto kMouseInterface1Descriptor = detail::Concat(
    kMouseCollection, kSystemControlCollection, kConsumerCollection, kVendorCommandCollection);

// Interface 3 of the headset: one consumer-control collection. Report id 1 carries the
// notification usage, id 4 the command frames (63 bytes after the id each way), id 0xFF the
// 16 LED bytes that follow the id of the LED output report.
inline constexpr auto kHeadsetDescriptor = std::to_array<uint8_t>({
    0x05, 0x0C,                    // Usage Page (Consumer)
    0x09, 0x01,                    // Usage (Consumer Control)
    0xA1, 0x01,                    // Collection (Application)
    0x85, 0x01,                    //   Report ID (1)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x27, 0xFF, 0xFF, 0x00, 0x00,  //   Logical Maximum (65535)
    0x19, 0x00,                    //   Usage Minimum (0)
    0x2A, 0xFF, 0xFF,              //   Usage Maximum (65535)
    0x75, 0x10,                    //   Report Size (16)
    0x95, 0x01,                    //   Report Count (1)
    0x81, 0x00,                    //   Input (Data, Array, Absolute): notification usage
    0x85, 0x04,                    //   Report ID (4)
    0x06, 0x1C, 0xFF,              //   Usage Page (Vendor 0xFF1C)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x26, 0xFF, 0x00,              //   Logical Maximum (255)
    0x75, 0x08,                    //   Report Size (8)
    0x95, 0x3F,                    //   Report Count (63)
    0x09, 0x01,                    //   Usage (0x01)
    0x81, 0x02,                    //   Input (Data, Variable, Absolute): command replies
    0x09, 0x02,                    //   Usage (0x02)
    0x91, 0x02,                    //   Output (Data, Variable, Absolute): command requests
    0x85, 0xFF,                    //   Report ID (0xFF)
    0x95, 0x10,                    //   Report Count (16)
    0x09, 0x03,                    //   Usage (0x03)
    0x91, 0x02,                    //   Output (Data, Variable, Absolute): LED values
    0xC0,                          // End Collection
});

// One output report an interface accepts: its id (0 on an interface without ids) and its
// byte length with the id byte (or the leading 0 written for an interface without ids).
struct OutputReportShape {
    uint8_t reportId = 0;
    uint16_t byteLength = 0;
};

// What the bus needs to know of one emulated HID interface.
struct InterfaceLayout {
    int interfaceNumber = 0;
    std::span<const uint8_t> descriptor;
    bool usesReportIds = false;
    std::span<const OutputReportShape> outputReports;
    uint8_t commandReportId = 0;       // 0: the interface carries no command frames
    uint8_t notifyReportId = 0;        // 0: the interface sends no notification codes
    uint8_t ledReportId = 0;           // 0: the interface has no LED output report
};

inline constexpr std::array<OutputReportShape, 1> kBootKeyboardOutputs = {{{0, kBootKeyboardOutputBytes + 1}}};
inline constexpr std::array<OutputReportShape, 2> kKeyboardInterface1Outputs = {{
    {kKeyboardReportId, kNkroOutputBytes},
    {kCommandReportId, kCommandReportBytes},
}};
inline constexpr std::array<OutputReportShape, 1> kMouseInterface1Outputs = {{{kCommandReportId, kCommandReportBytes}}};
inline constexpr std::array<OutputReportShape, 2> kHeadsetOutputs = {{
    {kCommandReportId, kCommandReportBytes},
    {kHeadsetLedReportId, kHeadsetLedReportBytes},
}};

inline constexpr InterfaceLayout kBootKeyboardInterface{0, kBootKeyboardDescriptor, false, kBootKeyboardOutputs, 0, 0, 0};
inline constexpr InterfaceLayout kBootMouseInterface{0, kBootMouseDescriptor, false, {}, 0, 0, 0};
inline constexpr InterfaceLayout kKeyboardInterface1{
    1, kKeyboardInterface1Descriptor, true, kKeyboardInterface1Outputs, kCommandReportId, kConsumerReportId, 0};
inline constexpr InterfaceLayout kMouseInterface1{
    1, kMouseInterface1Descriptor, true, kMouseInterface1Outputs, kCommandReportId, kConsumerReportId, 0};
inline constexpr InterfaceLayout kHeadsetInterface3{
    3, kHeadsetDescriptor, true, kHeadsetOutputs, kCommandReportId, kHeadsetNotifyReportId, kHeadsetLedReportId};

// Interface sets as a device presents them on the bus, lowest interface first.
inline constexpr std::array<InterfaceLayout, 2> kKeyboardInterfaces = {kBootKeyboardInterface, kKeyboardInterface1};
inline constexpr std::array<InterfaceLayout, 2> kMouseInterfaces = {kBootMouseInterface, kMouseInterface1};
inline constexpr std::array<InterfaceLayout, 1> kHeadsetInterfaces = {kHeadsetInterface3};

}  // namespace dw::emu
