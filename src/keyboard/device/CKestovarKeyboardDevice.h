#pragma once

// The keyboard's device object: its page, its command channel over the command transport, its
// two notification readers (cable and receiver) and its profile. It overrides the device
// base's operations for the keyboard: the full read when the keyboard connects, reading and
// writing the settings block, the two key-map writes, the macro image, the status block and
// the link query, the profile's lighting and system settings, and the keyboard's notification
// codes.
//
// Threads: the operations run on the UI thread (the page, the device list's timers), except
// that the notification readers call OnKeyboardEvent on their own threads. That handler only
// touches the command channel's cache (which has its own lock) and atomics, and hands every
// other piece of work to the callbacks, which the device list points at the UI thread (timer
// 1002 for a re-synchronisation). Commands are serialised by the command transport's command
// lock inside the channel.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "keyboard/CKeyboardCommandChannel.h"
#include "keyboard/CKeyboardNotificationReader.h"
#include "keyboard/EffectList.h"
#include "keyboard/KeyEntry.h"
#include "keyboard/KeyboardNotification.h"
#include "keyboard/KeyboardSystemSettings.h"
#include "keyboard/MacroImage.h"
#include "profiles/CKeyboardProfiledata.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/UIDefs.h"

namespace dw::ui {
class CMessageLoop;
}

namespace dw {

namespace kbdevice {
// Messages to the main window. wParam of the status report is status byte 4 (the mode byte);
// wParam of the link state is device info byte 7 (0x40: the keyboard is linked).
inline constexpr ui::UINT kMsgStatusReport = 0x0D01;
inline constexpr ui::UINT kMsgLinkState = 0x0D02;
inline constexpr uint8_t kLinkedState = 0x40;
// A re-synchronisation runs this long after the keyboard asked for it.
inline constexpr std::chrono::milliseconds kResyncDelay{50};
}  // namespace kbdevice

class CKestovarKeyboardDevice : public CKestovarUSBDevice {
public:
    static constexpr const wchar_t* kClassName = L"KestovarKeyboardDevice";
    static constexpr const wchar_t* kFamilyName = L"keyboard";
    static constexpr const wchar_t* kLightingFileStem = L"zoram_light";

    // What the keyboard's notifications ask of the rest of the program. Each runs on a reader
    // thread and must not block; an unset callback drops the request.
    struct Callbacks {
        // 0x0401 / 0x0402: call RunResync on the UI thread after `delay` (timer 1002).
        std::function<void(std::chrono::milliseconds delay)> scheduleResync;
        // 0x05kk / 0x06kk: key k (the keyboard's own key number, its slot) went down / up.
        std::function<void(uint8_t key, bool pressed)> keyEvent;
        // 0x10xy / 0x11xy: the keyboard switched to on-board profile `profile`; the page is to
        // be refreshed on the UI thread (RefreshPage).
        std::function<void(uint8_t profile)> activeProfileChanged;
    };

    // Both transports use `backend` (null: the process's active HID backend). `sleep` is the
    // command channel's sleeper (empty: the real clock).
    explicit CKestovarKeyboardDevice(hid::IHidBackend* backend = nullptr, CKeyboardCommandChannel::Sleeper sleep = {});
    ~CKestovarKeyboardDevice() override;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    // ---- overrides of the device base --------------------------------------------------------
    // The full read: the command part (info, key map, slot bytes), the profile file loaded and
    // applied, the settings read, the page refreshed, the link state sent to the owner window.
    void RefreshFromDevice() override;
    // Reads the settings block into the lighting record and the system settings, stores both in
    // the profile and saves it; a changed effect (or the custom-light effect) is re-armed.
    void ReloadSettings() override;
    // Reads the status block (unless the link-status hold is set or the keyboard is not linked),
    // hands it to the power control and posts it to the owner window.
    void ReadPowerStatus() override;
    bool IsLinkUp() override;
    // Loads the current profile's file (filled from the factory profile when missing) and takes
    // its key list, lighting record, system settings and audio lighting record. 1 when the
    // profile had settings, 0 otherwise.
    int LoadWorkingProfile() override;
    void RefreshPage() override;
    void RefreshKeyLabels() override;
    void ReloadProfile() override;
    std::vector<int> CollectUsedMacros() override;
    int WriteButtonTable(int profile, const std::vector<KeyEntry>& keys) override;
    int WriteAssignments(int profile) override;
    int WriteAssignmentsLayer2(int profile) override;
    int WriteButtonTableLayer2(int profile, const std::vector<KeyEntry>& keys) override;
    int WriteMacros(const std::vector<int>& macros) override;
    // Writes the settings block from the lighting record and the system settings; `firstByte`
    // goes into block byte 0. The remaining arguments serve other device classes.
    int ApplySettings(int profile, uint8_t firstByte, int flag, int screenWidth, int screenHeight) override;
    void UpdateProfilePaths() override;
    std::wstring GetProfileFilePath() const override;
    void SaveProfile() override;
    // Also stores the record in the profile (in memory; SaveProfile writes it).
    void SetLightingRecord(const LightingRecord& record) override;
    void SetAudioLightRecord(const AudioLightRecord& record) override;
    AudioLightRecord GetAudioLightRecord(bool takeColour) override;
    void SelectKey(int index) override;
    void SelectLight(int index) override;

    // ---- the full read, with its result ------------------------------------------------------
    // RefreshFromDevice, returning the command part's result code (dw::result).
    int ReadEverything();
    // ReloadSettings, returning the settings read's result code.
    int ReadSettingsResult();

    // ---- notifications -----------------------------------------------------------------------
    // Opens the keyboard's notification interface at `path` on the cable's (receiver false) or
    // the receiver's connection and starts its reader; a reader already running on that
    // connection is stopped first. False when the path cannot be opened.
    bool OpenNotificationPath(std::wstring_view path, bool receiver);
    // Stops both readers and closes their connections (the keyboard went away).
    void CloseNotificationPaths();
    bool NotificationReaderRunning(bool receiver) const;
    void SetCallbacks(Callbacks callbacks);
    // What a notification does; the readers call it, tests may too.
    void OnKeyboardEvent(const KeyboardEvent& event);
    // The re-synchronisation a notification scheduled (timer 1002, UI thread): after 0x0402 the
    // profile is first reloaded from disk, then the settings are read and the page refreshed.
    void RunResync();
    bool ResyncPending() const { return m_resyncPending.load(); }
    uint64_t HeartbeatCount() const { return m_heartbeats.load(); }

    // ---- state -------------------------------------------------------------------------------
    CKeyboardCommandChannel& Channel() { return m_channel; }
    CKeyboardProfiledata& Profile() { return m_profile; }
    // The layer-1 key list (one entry per logical key); setting it also stores it in the profile.
    const std::vector<KeyEntry>& GetKeyList() const { return m_keyList; }
    void SetKeyList(const std::vector<KeyEntry>& keys);
    // The layer-2 key list.
    const std::vector<KeyEntry>& GetSecondKeyList() const { return m_secondKeyList; }
    void SetSecondKeyList(const std::vector<KeyEntry>& keys);
    KeyboardSystemStages GetSystemStages() const { return m_systemStages; }
    // Also stores the record in the profile (in memory).
    void SetSystemStages(const KeyboardSystemStages& stages);
    // The effect list of the keyboard model; loaded from the resource folder's DefaultData at
    // construction, replaceable by tests.
    const EffectList& Effects() const { return m_effects; }
    void SetEffectList(EffectList effects) { m_effects = std::move(effects); }
    void ReloadEffectList();
    // Where the macro list and events come from. Null restores the built-in source.
    void SetMacroSource(std::shared_ptr<const IMacroSource> source);
    // The loop through which messages reach the owner window; null uses the calling thread's.
    void SetMessageLoop(ui::CMessageLoop* loop) { m_messageLoop = loop; }
    // The last status block read and its result code (0 before the first read).
    std::optional<StatusBlock> LastStatus() const { return m_lastStatus; }
    int LastStatusResult() const { return m_lastStatusResult; }
    uint64_t PageRefreshCount() const { return m_pageRefreshes.load(); }

protected:
    // The effect the settings selected changed, or it is the custom-light effect: re-arms the
    // keyboard's lighting for it. For the custom-light effect the group's colours are read from
    // the keyboard into the profile and the bitmap of lit keys is written.
    virtual void OnEffectChanged(size_t effectIndex);

private:
    // Posts `msg` to the owner window when there is one and a loop to post through.
    void PostToOwner(ui::UINT msg, ui::WPARAM wParam);
    int ReadCustomLightGroup();
    const IMacroSource& Macros() const;

    CKeyboardProfiledata m_profile;
    CKeyboardCommandChannel m_channel;
    CKeyboardNotificationReader m_wiredReader;
    CKeyboardNotificationReader m_receiverReader;
    Callbacks m_callbacks;
    std::mutex m_callbackLock;

    EffectList m_effects;
    std::shared_ptr<const IMacroSource> m_macroSource;
    std::vector<KeyEntry> m_keyList;
    std::vector<KeyEntry> m_secondKeyList;
    KeyboardSystemStages m_systemStages;
    bool m_settingsRead = false;
    bool m_lastLinkUp = true;
    std::optional<StatusBlock> m_lastStatus;
    int m_lastStatusResult = 0;
    ui::CMessageLoop* m_messageLoop = nullptr;

    std::atomic<bool> m_resyncPending{false};
    std::atomic<bool> m_profileReloadPending{false};
    std::atomic<uint64_t> m_heartbeats{0};
    std::atomic<uint64_t> m_pageRefreshes{0};
};

}  // namespace dw
