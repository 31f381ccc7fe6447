#include "keyboard/CKeyboardCommandChannel.h"

#include <algorithm>
#include <thread>

#include "keyboard/KeyMapImages.h"
#include "platform/DebugOutput.h"
#include "transport/TransportResult.h"

namespace dw {
namespace {

constexpr std::wstring_view kDroppedFrameLog = L"放弃灯光数据";

// Offsets travel in 16 bits; an image whose last byte would lie beyond cannot be addressed.
constexpr size_t kAddressSpace = 0x10000;

// Keeps the first failure of a sequence that goes on after it.
class FirstFailure {
 public:
  void Note(int code) {
    if (result_ == result::kSuccess && code != result::kSuccess) {
      result_ = code;
    }
  }
  int Result() const { return result_; }

 private:
  int result_ = result::kSuccess;
};

void RealSleep(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace

CKeyboardCommandChannel::CKeyboardCommandChannel(CDeviceTransport& transport, Sleeper sleep)
    : transport_(transport), sleep_(sleep ? std::move(sleep) : Sleeper(RealSleep)) {}

// --- Exchanges (command lock held) ---------------------------------------------------------------

int CKeyboardCommandChannel::Exchange(const Report& request, Report& reply) {
  size_t transferred = 0;
  const int code = transport_.Transact(request, reply, transferred);
  return ReplyResult(code, reply);
}

int CKeyboardCommandChannel::SendSimple(const Report& request) {
  Report reply{};
  return Exchange(request, reply);
}

int CKeyboardCommandChannel::SendEnd() {
  sleep_(kEndDelay);
  return SendSimple(BuildEndRequest());
}

int CKeyboardCommandChannel::ReadImage(uint8_t command, size_t length, size_t base, std::vector<uint8_t>& image) {
  std::vector<uint8_t> bytes(length, 0);
  for (const Chunk& chunk : PlanChunks(length, transport_.ChunkSize())) {
    Report reply{};
    const int code = Exchange(BuildReadChunkRequest(command, chunk, ChunkOffset(base, chunk)), reply);
    if (code != result::kSuccess) {
      return code;
    }
    const auto data = FrameData(reply).first(chunk.length);
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<ptrdiff_t>(chunk.start));
  }
  image = std::move(bytes);
  return result::kSuccess;
}

int CKeyboardCommandChannel::WriteImage(uint8_t command, std::span<const uint8_t> image, const OffsetOf& offsetOf) {
  for (const Chunk& chunk : PlanChunks(image.size(), transport_.ChunkSize())) {
    const int code = SendSimple(BuildWriteChunkRequest(command, chunk, offsetOf(chunk), image));
    if (code != result::kSuccess) {
      return code;
    }
  }
  return result::kSuccess;
}

int CKeyboardCommandChannel::WriteSession(uint8_t command, std::span<const uint8_t> image, const OffsetOf& offsetOf) {
  FirstFailure sequence;
  sequence.Note(SendSimple(BuildBeginRequest()));
  sequence.Note(WriteImage(command, image, offsetOf));
  sequence.Note(SendEnd());
  return sequence.Result();
}

int CKeyboardCommandChannel::ReadInfo(InfoBlock& info) {
  std::vector<uint8_t> bytes;
  const int code = ReadImage(cmd::kReadInfo, kbinfo::kSize, 0, bytes);
  if (code == result::kSuccess) {
    std::copy_n(bytes.begin(), info.size(), info.begin());
  }
  return code;
}

std::optional<size_t> CKeyboardCommandChannel::RefreshSlotCount(int& code) {
  InfoBlock info{};
  code = ReadInfo(info);
  if (code != result::kSuccess) {
    return std::nullopt;
  }
  {
    std::lock_guard cache(cacheLock_);
    cache_.info = info;
  }
  const size_t slots = SlotCountOf(info);
  if (KeyMapFits(slots)) {
    transport_.SetTotalLength(static_cast<uint16_t>(slots * assignment::kSize));
  }
  return slots;
}

bool CKeyboardCommandChannel::IsLinkedLocked() {
  if (!transport_.IsOpened()) {
    return false;
  }
  // The query is a receiver's business; a keyboard on its cable is there by definition.
  if (!transport_.InReceiverMode()) {
    return true;
  }
  Report reply{};
  size_t transferred = 0;
  const int code = transport_.Transact(BuildLinkQueryRequest(), reply, transferred);
  return LinkQueryAnswersLinked(code, reply);
}

// --- Reads ---------------------------------------------------------------------------------------

int CKeyboardCommandChannel::FullRead() {
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  FirstFailure sequence;
  sequence.Note(SendSimple(BuildBeginRequest()));

  int code = result::kSuccess;
  const std::optional<size_t> slots = RefreshSlotCount(code);
  if (!slots) {
    sequence.Note(code);
    sequence.Note(SendEnd());
    return sequence.Result();
  }
  if (!KeyMapFits(*slots)) {
    // The keyboard announces more slots than a key map may hold: nothing it says can be
    // trusted, so the reads end here (the keyboard's session is left as it is).
    return result::kNothing;
  }

  std::vector<uint8_t> layer1;
  const int mapCode = ReadImage(cmd::kReadKeyMap, *slots * assignment::kSize, 0, layer1);
  sequence.Note(mapCode);
  std::vector<uint8_t> slotBytes;
  const int slotCode = ReadImage(cmd::kReadSlotBytes, *slots, 0, slotBytes);
  sequence.Note(slotCode);
  sequence.Note(SendEnd());

  std::lock_guard cache(cacheLock_);
  if (mapCode == result::kSuccess) {
    cache_.layer1 = std::move(layer1);
    cache_.slotMaps.Rebuild(cache_.layer1, *slots);
  }
  if (slotCode == result::kSuccess) {
    cache_.slotBytes = std::move(slotBytes);
  }
  return sequence.Result();
}

int CKeyboardCommandChannel::ReadSettings() {
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  std::vector<uint8_t> activeByte;
  int code = ReadImage(cmd::kReadSettings, kbsettings::kActiveProfileLength, kbsettings::kActiveProfileOffset,
                       activeByte);
  if (code != result::kSuccess) {
    return code;
  }
  const uint8_t profile = activeByte[0];
  {
    std::lock_guard cache(cacheLock_);
    cache_.activeProfile = profile;
  }
  std::vector<uint8_t> bytes;
  code = ReadImage(cmd::kReadSettings, kbsettings::kSize, SettingsBlockOffset(profile), bytes);
  if (code != result::kSuccess) {
    return code;
  }
  std::lock_guard cache(cacheLock_);
  std::copy_n(bytes.begin(), cache_.settings.size(), cache_.settings.begin());
  cache_.settings[kbsettings::kAlwaysZero] = 0;
  return result::kSuccess;
}

void CKeyboardCommandChannel::RebuildSlotMaps(std::span<const KeyEntry> layer1) {
  std::lock_guard cache(cacheLock_);
  cache_.slotMaps.Rebuild(cache_.layer1, cache_.layer1.size() / assignment::kSize, layer1);
}

// --- Writes --------------------------------------------------------------------------------------

int CKeyboardCommandChannel::WriteSettings(const LightingRecord& record, const KeyboardSystemStages& stages,
                                           const EffectList& effects, uint8_t profile, uint8_t activeProfileByte) {
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  SettingsBlock lastRead;
  {
    std::lock_guard cache(cacheLock_);
    lastRead = cache_.settings;
  }
  const SettingsBlock block = EncodeSettingsBlock(lastRead, record, stages, effects, activeProfileByte);
  const size_t base = SettingsBlockOffset(profile);
  return WriteSession(cmd::kWriteSettings, block, [base](const Chunk& chunk) { return ChunkOffset(base, chunk); });
}

int CKeyboardCommandChannel::WriteLayer1KeyMap(uint8_t profile, std::span<const KeyEntry> layer1,
                                               const IMacroSource& macros) {
  if (profile != 0) {
    return result::kBadArgument;
  }
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  int code = result::kSuccess;
  const std::optional<size_t> slots = RefreshSlotCount(code);
  if (!slots) {
    return code;
  }
  if (!KeyMapFits(*slots)) {
    return result::kNothing;
  }
  Layer1KeyMap map;
  {
    std::lock_guard cache(cacheLock_);
    map = BuildLayer1KeyMap(cache_.layer1, *slots, layer1, cache_.slotMaps.Slots(), macros.MacroCount().value_or(0));
  }
  return WriteSession(cmd::kWriteKeyMap, map.image,
                      [profile](const Chunk& chunk) { return KeyMapChunkOffset(profile, chunk); });
}

int CKeyboardCommandChannel::WriteLayer2KeyMap(uint8_t profile, std::span<const KeyEntry> layer2,
                                               std::optional<size_t> selectedKey) {
  if (profile != 0) {
    return result::kBadArgument;
  }
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  int code = result::kSuccess;
  const std::optional<size_t> slots = RefreshSlotCount(code);
  if (!slots) {
    return code;
  }
  if (!KeyMapFits(*slots)) {
    return result::kNothing;
  }
  std::vector<uint8_t> image;
  {
    std::lock_guard cache(cacheLock_);
    image = BuildLayer2KeyMap(*slots, layer2, cache_.slotMaps.Slots(), selectedKey);
    cache_.layer2 = image;
  }
  return WriteSession(cmd::kWriteKeyMapLayer2, image,
                      [profile](const Chunk& chunk) { return KeyMapChunkOffset(profile, chunk); });
}

std::vector<size_t> CKeyboardCommandChannel::ListMacroSlots(std::span<const KeyEntry> layer1,
                                                            const IMacroSource& macros) const {
  const size_t macroCount = macros.MacroCount().value_or(0);
  std::lock_guard cache(cacheLock_);
  return CollectMacroSlots(layer1, cache_.slotMaps.Slots(), macroCount);
}

int CKeyboardCommandChannel::WriteMacroImage(std::span<const size_t> macroIndices, const IMacroSource& macros) {
  // A failed exchange must never read as "written" (0).
  const auto failure = [](int code) { return code == result::kNothing ? result::kWriteFailed : code; };
  if (macroIndices.empty()) {
    return 0;
  }
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  int code = result::kSuccess;
  if (!RefreshSlotCount(code)) {
    return failure(code);
  }
  const std::optional<size_t> macroCount = macros.MacroCount();
  if (!macroCount) {
    return 0;
  }
  // A macro whose file is missing (or an index the list does not have) keeps its slot with no
  // events, so the slots the key map names stay where they are.
  std::vector<MacroEvents> events;
  std::vector<size_t> counts;
  for (size_t index : macroIndices) {
    std::optional<MacroEvents> macro = index < *macroCount ? macros.Events(index) : std::nullopt;
    events.push_back(macro ? std::move(*macro) : MacroEvents{});
    counts.push_back(events.back().size());
  }
  size_t capacity = 0;
  {
    std::lock_guard cache(cacheLock_);
    capacity = MacroCapacityOf(cache_.info);
  }
  const uint64_t length = MacroImageLength(counts);
  if (const size_t excess = MacroImageExcess(length, capacity); excess > 0) {
    return static_cast<int>(std::min<size_t>(excess, static_cast<size_t>(INT32_MAX)));
  }
  const std::vector<uint8_t> image = BuildMacroImage(events);
  if (image.empty()) {
    return result::kWriteFailed;
  }
  code = WriteSession(cmd::kWriteMacroImage, image, [](const Chunk& chunk) { return ChunkOffset(0, chunk); });
  return code == result::kSuccess ? 0 : failure(code);
}

// --- Status and link -----------------------------------------------------------------------------

bool CKeyboardCommandChannel::IsLinked() {
  std::lock_guard command(transport_.CommandLock());
  return IsLinkedLocked();
}

int CKeyboardCommandChannel::ReadStatus(StatusBlock& block) {
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  if (!IsLinkedLocked()) {
    return result::kNotLinked;
  }
  Report reply{};
  const int code = Exchange(BuildReadStatusRequest(), reply);
  if (code != result::kSuccess) {
    return code;
  }
  block = FinishStatusBlock(FrameData(reply).first(kbstatus::kSize), transport_.InReceiverMode());
  return result::kSuccess;
}

// --- Lighting ------------------------------------------------------------------------------------

int CKeyboardCommandChannel::ReadCustomColours(uint8_t group, std::vector<KeyColour>& colours) {
  std::lock_guard command(transport_.CommandLock());
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  size_t slots = 0;
  {
    std::lock_guard cache(cacheLock_);
    slots = SlotCountOf(cache_.info);
  }
  const size_t length = slots * customlight::kColourBytes;
  const size_t base = group * kbmap::kColourGroupStride;
  if (base + length > kAddressSpace) {
    return result::kBadArgument;
  }
  std::vector<uint8_t> image;
  const int code = ReadImage(cmd::kReadCustomColours, length, base, image);
  if (code != result::kSuccess) {
    return code;
  }
  std::lock_guard cache(cacheLock_);
  colours = CustomColoursByKey(image, cache_.slotMaps.LightPositions());
  return result::kSuccess;
}

int CKeyboardCommandChannel::WriteCustomLightBitmap(const CustomLightBitmap& bitmap) {
  std::lock_guard command(transport_.CommandLock());
  return SendSimple(BuildCustomBitmapRequest(bitmap, customlight::kBitmapOffset));
}

int CKeyboardCommandChannel::SendHostLightingControl() {
  std::lock_guard command(transport_.CommandLock());
  return SendSimple(BuildHostLightingRequest());
}

int CKeyboardCommandChannel::StreamLightFrame(std::span<const uint8_t> frame) {
  if (!transport_.IsOpened()) {
    return result::kNothing;
  }
  size_t slots = 0;
  {
    std::lock_guard cache(cacheLock_);
    slots = SlotCountOf(cache_.info);
  }
  if (slots == 0) {
    return result::kNothing;
  }
  std::vector<uint8_t> image(slots, 0);
  std::copy_n(frame.begin(), std::min(frame.size(), image.size()), image.begin());

  int code = result::kSuccess;
  {
    std::lock_guard stream(transport_.StreamLock());
    for (const Chunk& chunk : PlanChunks(image.size(), transport_.ChunkSize())) {
      // Animation never delays configuration: while a command's transaction runs, the chunk
      // is dropped and the frame goes on as if it had been sent.
      if (transport_.IsBusy()) {
        droppedChunks_.fetch_add(1);
        DebugOutput(kDroppedFrameLog);
        continue;
      }
      Report reply{};
      size_t transferred = 0;
      const Report request = BuildWriteChunkRequest(cmd::kLightFrame, chunk, ChunkOffset(0, chunk), image);
      code = ReplyResult(transport_.TransactQuiet(request, reply, transferred), reply);
      if (code != result::kSuccess) {
        break;
      }
    }
  }
  if (code != result::kSuccess) {
    sleep_(kFailedFramePause);
  }
  return code;
}

// --- Cache ---------------------------------------------------------------------------------------

KeyboardDeviceCache CKeyboardCommandChannel::Cache() const {
  std::lock_guard cache(cacheLock_);
  return cache_;
}

uint8_t CKeyboardCommandChannel::ActiveProfile() const {
  std::lock_guard cache(cacheLock_);
  return cache_.activeProfile;
}

void CKeyboardCommandChannel::SetActiveProfile(uint8_t profile) {
  std::lock_guard cache(cacheLock_);
  cache_.activeProfile = profile;
}

void CKeyboardCommandChannel::SetCachedExtraState(uint8_t state) {
  std::lock_guard cache(cacheLock_);
  cache_.settings[kbsettings::kExtraState] = state;
}

}  // namespace dw
