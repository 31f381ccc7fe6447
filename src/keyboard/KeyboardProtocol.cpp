#include "keyboard/KeyboardProtocol.h"

#include <algorithm>

#include "keyboard/Assignment.h"
#include "transport/TransportResult.h"

namespace dw {

std::vector<Chunk> PlanChunks(size_t imageLength, size_t chunkSize) {
  if (chunkSize == 0 || chunkSize > frame::kMaxData) {
    chunkSize = frame::kMaxData;
  }
  std::vector<Chunk> chunks;
  chunks.reserve((imageLength + chunkSize - 1) / chunkSize);
  for (size_t start = 0; start < imageLength; start += chunkSize) {
    chunks.push_back({start, static_cast<uint8_t>(std::min(chunkSize, imageLength - start))});
  }
  return chunks;
}

uint16_t ChunkOffset(size_t base, const Chunk& chunk) {
  return static_cast<uint16_t>((base + chunk.start) & 0xFFFF);
}

uint16_t KeyMapChunkOffset(uint8_t profile, const Chunk& chunk) {
  const size_t low = chunk.start & 0xFF;
  const size_t high = ((profile * kbmap::kProfileStride + chunk.start) >> 8) & 0xFF;
  return static_cast<uint16_t>(low | (high << 8));
}

Report BuildBeginRequest() { return BuildFrame(cmd::kBegin, 0, 0); }

Report BuildEndRequest() { return BuildFrame(cmd::kEnd, 0, 0); }

Report BuildHostLightingRequest() { return BuildFrame(cmd::kHostLightingControl, 0, 0); }

Report BuildLinkQueryRequest() { return BuildFrame(cmd::kLinkQuery, 0, 0); }

Report BuildReadStatusRequest() {
  return BuildFrame(cmd::kReadStatus, static_cast<uint8_t>(kbstatus::kSize), kbstatus::kOffset);
}

Report BuildReadChunkRequest(uint8_t command, const Chunk& chunk, uint16_t offset) {
  return BuildFrame(command, chunk.length, offset);
}

Report BuildWriteChunkRequest(uint8_t command, const Chunk& chunk, uint16_t offset, std::span<const uint8_t> image) {
  std::span<const uint8_t> data;
  if (chunk.start < image.size()) {
    data = image.subspan(chunk.start, std::min<size_t>(chunk.length, image.size() - chunk.start));
  }
  return BuildFrame(command, chunk.length, offset, data);
}

Report BuildCustomBitmapRequest(std::span<const uint8_t> bitmap, uint16_t offset) {
  const auto length = static_cast<uint8_t>(std::min(bitmap.size(), frame::kMaxData));
  return BuildFrame(cmd::kWriteCustomBitmap, length, offset, bitmap);
}

int ReplyResult(int transactResult, const Report& reply) {
  if (!result::Succeeded(transactResult)) {
    return transactResult;
  }
  switch (reply[frame::kStatus]) {
    case frame::kStatusRejected:
      return result::kRejected;
    case frame::kStatusRefused:
      return result::kRefused;
    default:
      return result::kSuccess;
  }
}

bool LinkQueryAnswersLinked(int transactResult, const Report& reply) {
  return ReplyResult(transactResult, reply) == result::kSuccess && reply[frame::kData] == kLinkQueryLinked;
}

StatusBlock FinishStatusBlock(std::span<const uint8_t> replyData, bool throughReceiver) {
  StatusBlock block{};
  std::copy_n(replyData.begin(), std::min(replyData.size(), block.size()), block.begin());
  block[kbstatus::kThroughReceiver] = throughReceiver ? 1 : 0;
  return block;
}

size_t SlotCountOf(const InfoBlock& info) { return info[kbinfo::kSlotCount]; }

bool KeyMapFits(size_t slotCount) { return slotCount * assignment::kSize <= kbmap::kMaxImageBytes; }

size_t MacroCapacityOf(const InfoBlock& info) { return info[kbinfo::kMacroUnits] * kbinfo::kMacroUnitBytes; }

}  // namespace dw
