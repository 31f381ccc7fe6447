#pragma once

// The keyboard's command-level operations over a command transport: the sequences of commands
// the keyboard object sends (Begin, the command's chunks, End) and the cache of what the
// keyboard last sent back. It knows nothing of pages or profiles: callers hand in the key
// lists, the lighting record and the macros, and take the cached images out.
//
// Locking: every operation holds the transport's command lock for its whole sequence, so the
// Begin ... End of one operation never interleaves with another operation's commands. The
// light-frame stream holds the stream lock instead and never waits for a command: while a
// transaction is running it drops its chunk (and counts it as sent).
//
// Results (dw::result): 1 success; 0 the transport is not opened (nothing sent) or a reply did
// not arrive; -1 a request could not be written; -101 the receiver's keyboard is not linked;
// -102 / -103 the keyboard rejected a request; -201 a bad argument. A chunked command stops at
// its first failing chunk; the operation still sends End when it sent Begin, and returns the
// first failure.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "keyboard/EffectList.h"
#include "keyboard/KeyEntry.h"
#include "keyboard/KeyboardDeviceCache.h"
#include "keyboard/KeyboardLightImages.h"
#include "keyboard/KeyboardSettingsBlock.h"
#include "keyboard/MacroImage.h"
#include "transport/CDeviceTransport.h"

namespace dw {

class CKeyboardCommandChannel {
 public:
  // Waits the channel makes; injectable so that tests never sleep.
  using Sleeper = std::function<void(std::chrono::milliseconds)>;
  // The keyboard needs a moment after the last data frame before it takes End.
  static constexpr std::chrono::milliseconds kEndDelay{10};
  // After a light frame failed the stream rests, so a vanished keyboard is not hammered.
  static constexpr std::chrono::milliseconds kFailedFramePause{200};

  // `transport` must outlive the channel. An empty `sleep` uses the real clock.
  explicit CKeyboardCommandChannel(CDeviceTransport& transport, Sleeper sleep = {});

  CKeyboardCommandChannel(const CKeyboardCommandChannel&) = delete;
  CKeyboardCommandChannel& operator=(const CKeyboardCommandChannel&) = delete;

  // --- Reads --------------------------------------------------------------------------------
  // Begin; Read info; with n = info byte 5: when 3n exceeds 512 the sequence stops here without
  // End and returns 0. Otherwise the transport's total length becomes 3n, the layer-1 key map
  // (3n bytes) and the slot bytes (n bytes) are read, End, and the slot maps are rebuilt. Each
  // image replaces the cached one only when it was read whole. Nothing is sent when the
  // transport is not opened (result 0).
  int FullRead();

  // Read settings 1 byte at 0 (the active profile P), then 34 bytes at 33 x P into the cached
  // settings block, byte 16 forced to 0. On any failure the cache keeps the last block.
  int ReadSettings();

  // Rebuilds the slot maps from the cached layer-1 image with `layer1`, the key list the
  // program wrote last (entry i for logical key i), so that keys it remapped are found again
  // after a full read (KeySlotMaps::Rebuild with a key list). Nothing is sent.
  void RebuildSlotMaps(std::span<const KeyEntry> layer1);

  // --- Writes -------------------------------------------------------------------------------
  // Begin; the settings block (EncodeSettingsBlock over the cached block) written as 34 bytes
  // at 33 x profile; End.
  int WriteSettings(const LightingRecord& record, const KeyboardSystemStages& stages, const EffectList& effects,
                    uint8_t profile = 0, uint8_t activeProfileByte = 0);

  // Read info, then Begin, the layer-1 key map of `layer1` (one entry per logical key), End.
  // -201 before anything is sent when `profile` is not 0; 0 when the transport is not opened or
  // the keyboard announces a key map larger than 512 bytes.
  int WriteLayer1KeyMap(uint8_t profile, std::span<const KeyEntry> layer1, const IMacroSource& macros);

  // The same for layer 2 (command 0x27); `selectedKey` is the key selected in the layer-2
  // editor, which keeps logical key 0 in the image even when it is unchanged.
  int WriteLayer2KeyMap(uint8_t profile, std::span<const KeyEntry> layer2, std::optional<size_t> selectedKey);

  // The macro indices the layer-1 keys use, in device-slot order; the order WriteLayer1KeyMap
  // writes into the key map and WriteMacroImage must be given.
  std::vector<size_t> ListMacroSlots(std::span<const KeyEntry> layer1, const IMacroSource& macros) const;

  // Read info; the image of the macros `macroIndices` (list indices, in device-slot order);
  // Begin, the image, End. Results: 0 written, or nothing to write (empty list, macro list
  // unreadable); k > 0 the image is too large by k - 1 events and nothing was sent; a negative
  // dw::result when an exchange failed (-1 also when the image cannot be built).
  int WriteMacroImage(std::span<const size_t> macroIndices, const IMacroSource& macros);

  // --- Status and link ----------------------------------------------------------------------
  // By cable the keyboard is linked at once, nothing is sent. Through the receiver the link
  // query (0xAA) decides. Not opened: false.
  bool IsLinked();

  // The link check, then Read status (6 bytes at 0). On success `block` is the status block
  // with byte 3 = 1 through the receiver, 0 by cable. Not linked: -101 and only the query sent.
  int ReadStatus(StatusBlock& block);

  // --- Lighting -----------------------------------------------------------------------------
  // Reads custom group `group`'s colours (3n bytes at group x 512) and gives every key with a
  // light position its colour. -201 when the group's address does not fit the 16-bit offset.
  int ReadCustomColours(uint8_t group, std::vector<KeyColour>& colours);

  // The 21-byte bitmap of lit keys, one frame at offset 0.
  int WriteCustomLightBitmap(const CustomLightBitmap& bitmap);

  // Host lighting control on (command 0x1C); sent to cable-connected keyboards when the
  // program takes the lighting over.
  int SendHostLightingControl();

  // One light frame (command 0x12, quiet exchanges): the first n bytes of `frame` (zero-padded),
  // n = the cached slot count. A chunk that meets a running transaction is dropped and counted
  // as sent. A failing chunk ends the frame and is followed by a 200 ms pause. 0 without
  // sending when the transport is not opened or no slot count is known yet.
  int StreamLightFrame(std::span<const uint8_t> frame);

  // Light-frame chunks dropped so far because a command was running.
  uint64_t DroppedLightChunks() const { return droppedChunks_.load(); }

  // --- Cache --------------------------------------------------------------------------------
  KeyboardDeviceCache Cache() const;
  uint8_t ActiveProfile() const;
  // From the keyboard's notifications: the profile it switched to, and the extra state kept in
  // settings byte 17.
  void SetActiveProfile(uint8_t profile);
  void SetCachedExtraState(uint8_t state);

  CDeviceTransport& Transport() { return transport_; }

 private:
  // Called with the command lock held.
  int Exchange(const Report& request, Report& reply);
  int SendSimple(const Report& request);
  int SendEnd();
  int ReadInfo(InfoBlock& info);
  int ReadImage(uint8_t command, size_t length, size_t base, std::vector<uint8_t>& image);
  using OffsetOf = std::function<uint16_t(const Chunk&)>;
  int WriteImage(uint8_t command, std::span<const uint8_t> image, const OffsetOf& offsetOf);
  // Begin, the image, End; the first failure.
  int WriteSession(uint8_t command, std::span<const uint8_t> image, const OffsetOf& offsetOf);
  bool IsLinkedLocked();
  // Read info into the cache; on success the slot count it announces.
  std::optional<size_t> RefreshSlotCount(int& result);

  CDeviceTransport& transport_;
  Sleeper sleep_;
  std::atomic<uint64_t> droppedChunks_{0};

  mutable std::mutex cacheLock_;
  KeyboardDeviceCache cache_;
};

}  // namespace dw
