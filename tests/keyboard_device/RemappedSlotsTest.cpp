// Finding the keys of the keyboard in a key map read back after the program remapped some of
// them: a remapped key must stay writable, and no key may be given another key's slot.

#include <gtest/gtest.h>

#include <vector>

#include "keyboard/KeySlotMaps.h"
#include "keyboard/LogicalKeys.h"

namespace dw {
namespace {

constexpr size_t kEsc = 0;
constexpr size_t kF1 = 1;
constexpr size_t kCapsLock = 63;
constexpr size_t kLeftCtrl = 105;
constexpr size_t kSlotCount = logicalkey::kGridCount;

// A keyboard whose slot s holds logical key s's default code (slots of keys without a code
// stay zero), and a key list with every key at its default.
struct Keyboard {
    std::vector<uint8_t> image = std::vector<uint8_t>(kSlotCount * assignment::kSize, 0);
    std::vector<KeyEntry> keys;

    Keyboard()
    {
        for (size_t key = 0; key < logicalkey::kCount; ++key) {
            const Assignment code = DefaultAssignmentOf(key);
            keys.push_back(MakeKeyEntry(static_cast<uint16_t>(key), code, code));
            if (key < kSlotCount && code != logicalkey::kNoKey)
                Put(key, code);
        }
    }
    void Put(size_t slot, const Assignment& code)
    {
        image[slot * 3] = code.type;
        image[slot * 3 + 1] = code.value1;
        image[slot * 3 + 2] = code.value2;
    }
    // The program remaps `key` to `code`; `written` says whether the keyboard took it.
    void Remap(size_t key, const Assignment& code, bool written = true)
    {
        keys[key].current = code;
        if (written)
            Put(key, code);
    }
};

constexpr Assignment kShiftA{0x20, 0x02, 0x04};

TEST(RemappedSlots, EveryKeyKeepsItsOwnSlot)
{
    struct Case {
        const char* name;
        void (*setUp)(Keyboard&);
        std::vector<std::pair<size_t, uint8_t>> expected;  // logical key, slot
    };
    const Case cases[] = {
        {"nothing remapped", [](Keyboard&) {}, {{kEsc, kEsc}, {kCapsLock, kCapsLock}, {kLeftCtrl, kLeftCtrl}}},
        {"a key remapped to a code of its own",
         [](Keyboard& k) { k.Remap(kEsc, kShiftA); },
         {{kEsc, kEsc}, {kF1, kF1}}},
        {"Caps Lock remapped to Left Ctrl: both keep their slots",
         [](Keyboard& k) { k.Remap(kCapsLock, DefaultAssignmentOf(kLeftCtrl)); },
         {{kCapsLock, kCapsLock}, {kLeftCtrl, kLeftCtrl}}},
        {"Left Ctrl remapped to Esc: the later key keeps the later slot",
         [](Keyboard& k) { k.Remap(kLeftCtrl, DefaultAssignmentOf(kEsc)); },
         {{kEsc, kEsc}, {kLeftCtrl, kLeftCtrl}}},
        {"two keys remapped to the same code",
         [](Keyboard& k) {
             k.Remap(kEsc, kShiftA);
             k.Remap(kF1, kShiftA);
         },
         {{kEsc, kEsc}, {kF1, kF1}}},
        {"the keyboard lost what was written (factory reset)",
         [](Keyboard& k) {
             k.Remap(kCapsLock, DefaultAssignmentOf(kLeftCtrl), false);
             k.Remap(kEsc, kShiftA, false);
         },
         {{kEsc, kEsc}, {kCapsLock, kCapsLock}, {kLeftCtrl, kLeftCtrl}}},
        {"a remapped code the keyboard holds twice is not guessed",
         [](Keyboard& k) {
             k.Remap(kEsc, kShiftA);
             k.Put(kSlotCount - 1, kShiftA);  // a slot no key claims holds the same code
         },
         {{kEsc, slotmap::kNone}, {kF1, kF1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Keyboard keyboard;
        c.setUp(keyboard);
        const LogicalKeyMap slots = BuildSlotMap(keyboard.image, kSlotCount, keyboard.keys);
        for (const auto& [key, slot] : c.expected)
            EXPECT_EQ(slots[key], slot) << "key " << key;
        // No slot is ever given to two keys.
        std::vector<int> owners(kSlotCount, 0);
        for (uint8_t slot : slots) {
            if (slot != slotmap::kNone) {
                EXPECT_EQ(++owners[slot], 1) << "slot " << int(slot);
            }
        }
    }
}

TEST(RemappedSlots, DefaultCodesAloneLoseARemappedKey)
{
    // The fault the key list repairs: matching by default code only.
    Keyboard keyboard;
    keyboard.Remap(kEsc, kShiftA);
    EXPECT_EQ(BuildSlotMap(keyboard.image, kSlotCount)[kEsc], slotmap::kNone);
    EXPECT_EQ(BuildSlotMap(keyboard.image, kSlotCount, keyboard.keys)[kEsc], kEsc);
}

TEST(RemappedSlots, WithoutAKeyListTheDefaultsDecide)
{
    Keyboard keyboard;
    EXPECT_EQ(BuildSlotMap(keyboard.image, kSlotCount, {}), BuildSlotMap(keyboard.image, kSlotCount));
}

}  // namespace
}  // namespace dw
