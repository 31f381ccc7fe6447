#pragma once

// The keyboard's use of the family's command set (CommandCodes.h) on top of the 64-byte command
// frame: the layout of the blocks the keyboard serves (device info, status), how an image is cut
// into chunks and where each chunk lands, the requests of every command, and how a reply becomes
// a result code. Pure functions only: nothing here does I/O, so every byte can be checked
// without a keyboard.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "transport/CommandCodes.h"
#include "transport/CommandFrame.h"

namespace dw {

// Device info block (command 0x03). Bytes other than these are kept as read.
namespace kbinfo {
inline constexpr size_t kSize = 34;
inline constexpr size_t kSlotCount = 5;   // key slots; a key map is 3 bytes per slot
inline constexpr size_t kMacroUnits = 6;  // macro memory in units of kMacroUnitBytes
inline constexpr size_t kLinkState = 7;
inline constexpr uint8_t kLinked = 0x40;
inline constexpr size_t kMacroUnitBytes = 128;
}  // namespace kbinfo

// Status block (command 0x1A), as the keyboard object reads it.
namespace kbstatus {
inline constexpr size_t kSize = 6;
inline constexpr size_t kBattery = 0;
inline constexpr size_t kPowerState = 1;
inline constexpr size_t kThroughReceiver = 3;  // replaced by the host: 1 through the receiver
inline constexpr size_t kMode = 4;             // forwarded to the main window as it came
inline constexpr uint16_t kOffset = 0;
}  // namespace kbstatus

namespace kbmap {
// Key map images are addressed per profile in blocks of this size (commands 0x09, 0x27).
inline constexpr size_t kProfileStride = 512;
// Custom colours are addressed per group in blocks of this size (command 0x0A).
inline constexpr size_t kColourGroupStride = 512;
// The largest key map image a keyboard may announce.
inline constexpr size_t kMaxImageBytes = 512;
}  // namespace kbmap

using InfoBlock = std::array<uint8_t, kbinfo::kSize>;
using StatusBlock = std::array<uint8_t, kbstatus::kSize>;

// One chunk of an image: bytes [start, start + length) of the image.
struct Chunk {
  size_t start = 0;
  uint8_t length = 0;
  friend constexpr bool operator==(const Chunk&, const Chunk&) = default;
};

// Chunk k covers image bytes from k x chunkSize; the last one is shorter. A chunk size of 0 or
// above 56 is taken as 56, the most one frame carries. An empty image has no chunks.
std::vector<Chunk> PlanChunks(size_t imageLength, size_t chunkSize);

// The offset field (frame bytes 5..6) of a chunk addressed at `base` + chunk start. Only the
// low 16 bits travel.
uint16_t ChunkOffset(size_t base, const Chunk& chunk);

// The offset field of a key map chunk (commands 0x09, 0x27): byte 5 is the low byte of the
// chunk start, byte 6 is (profile x 512 + chunk start) >> 8.
uint16_t KeyMapChunkOffset(uint8_t profile, const Chunk& chunk);

// Requests. Each returns a finished, sealed 64-byte frame.
Report BuildBeginRequest();
Report BuildEndRequest();
Report BuildHostLightingRequest();
Report BuildLinkQueryRequest();
Report BuildReadStatusRequest();
// A chunk read: length = chunk length, no data.
Report BuildReadChunkRequest(uint8_t command, const Chunk& chunk, uint16_t offset);
// A chunk write: the chunk's bytes of `image` as data. `image` must cover the chunk.
Report BuildWriteChunkRequest(uint8_t command, const Chunk& chunk, uint16_t offset, std::span<const uint8_t> image);
// The custom-light bitmap write (0x0B), one frame: data cut to 56 bytes.
Report BuildCustomBitmapRequest(std::span<const uint8_t> bitmap, uint16_t offset = 0);

// The result code of a finished exchange: the transport's own failure (0, -1, -101) stands;
// a reply with status 0xFF is -102, with 0xFE -103; anything else is success (1).
int ReplyResult(int transactResult, const Report& reply);

// True when the link query through the receiver says the keyboard is linked: the exchange
// succeeded, data byte 0 is 0xFF and the status is neither 0xFF nor 0xFE.
bool LinkQueryAnswersLinked(int transactResult, const Report& reply);

// The status block as the keyboard object passes it on: the six bytes the keyboard sent with
// byte 3 replaced by how the exchange went (1 through the receiver, 0 by cable).
StatusBlock FinishStatusBlock(std::span<const uint8_t> replyData, bool throughReceiver);

// Key slots announced by an info block, and whether their key map fits in 512 bytes.
size_t SlotCountOf(const InfoBlock& info);
bool KeyMapFits(size_t slotCount);
// Macro memory announced by an info block, in bytes.
size_t MacroCapacityOf(const InfoBlock& info);

}  // namespace dw
