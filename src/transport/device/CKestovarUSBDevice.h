#pragma once

// The base of every device object. A device object is at once
//   - the device's settings page: a horizontal layout built from the family's page layout and
//     shown as one page of the main window's "device_switch" tab layout;
//   - the device's HID endpoint: a command transport and a notification transport;
//   - the holder of the device's working state: light states, the page's key-button and light
//     controls, the lighting record, the family's file locations.
// One object exists per device family; it outlives plugging and unplugging.
//
// The virtual operations below, in this order, are the contract between the shell and the
// device classes. The base gives each its default behaviour; the keyboard, mouse, mousepad and
// headset classes override what they need and append their own after GetLightingRecord.
//
// Threads: the page and its controls are touched on the UI thread only. The preview steps and
// SetLightState also run on the lighting-synchronisation and preview threads; the light states,
// the lighting record and the preview counters are guarded by one lock, so PaintPreview on the
// UI thread sees each light whole (a frame may still mix two preview steps). The effect buffers
// have a lock of their own. Commands are serialised by the command transport's command lock.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include <json/value.h>

#include "keyboard/KeyEntry.h"
#include "keyboard/LightingRecord.h"
#include "profiles/ProfileFolders.h"
#include "transport/CDeviceTransport.h"
#include "transport/DeviceInterfaceEntry.h"
#include "transport/device/AudioLightRecord.h"
#include "transport/device/DeviceLightState.h"
#include "ui/core/CHorizontalLayoutUI.h"
#include "ui/core/CNotifyPump.h"

namespace dw::ui {
class CTabLayoutUI;
}

namespace dw {

class CDeviceKeyButtonUI;
class CSelectPanelUI;
class CDeviceOptionUI;
class IAudioLightPanel;
class IDevicePowerControl;

class CKestovarUSBDevice : public ui::CHorizontalLayoutUI, public ui::CNotifyPump, public ui::INotifyUI {
public:
    static constexpr const wchar_t* kClassName = L"KestovarUSBDevice";

    // Sizes of the software lighting effects' working buffers.
    static constexpr size_t kPerKeyLevelCount = 170;
    static constexpr size_t kColumnCount = 23;
    // RaiseMarkedLevels looks at this many leading columns.
    static constexpr size_t kMarkedColumnCount = 9;
    // A key level raised by RaiseMarkedLevels.
    static constexpr uint8_t kFullLevel = 255;

    // Names the page's layout gives its controls.
    static constexpr const wchar_t* kFunctionTabName = L"device_function_switch";
    static constexpr const wchar_t* kKeyFunctionTabName = L"device_key_function_switch";
    static constexpr const wchar_t* kKeyButtonPrefix = L"key_";
    static constexpr const wchar_t* kLightPrefix = L"light_";

    // Milliseconds of a monotonic clock; the blink previews measure their intervals with it.
    using Clock = std::function<uint64_t()>;

    // Both transports use `backend` (null: the process's active HID backend).
    explicit CKestovarUSBDevice(hid::IHidBackend* backend = nullptr);
    ~CKestovarUSBDevice() override;

    // ---- control ----------------------------------------------------------------------------
    std::wstring GetClass() const override;
    // Answers its own class name, then as the horizontal layout it is.
    void* GetInterface(std::wstring_view name) override;

    // Receives the notifications of the whole window; passes on to this object's message map
    // only those sent by a control of this page (the control found by the sender's name inside
    // the page must be the sender itself).
    void Notify(ui::TNotifyUI& msg) override;

    // ---- own virtual operations, in contract order -------------------------------------------
    // 1. Binds the select panel, the key-button controls (named key_N) and the light controls
    // (user data light_N) of the page.
    virtual void BindPageControls();
    // 2. Takes the profile's lighting into the device; the base does nothing.
    virtual int ApplyLightingEffect();
    // 3..9. One step of a lighting preview; each writes every light state.
    virtual void PreviewStepBreath();
    virtual void PreviewStepFourColour();
    virtual void PreviewStepStatic();
    virtual void PreviewStepCycle();
    virtual void PreviewStepBlinkCycle();
    virtual void PreviewStepBlinkFourColour();
    virtual void PreviewStepOff();
    // 10. Pushes the light states to the visible light controls (nothing while lighting is off).
    virtual void PaintPreview();
    // 11. Stores `colour` (PackLightColour) and `flag` as light `index`; ignored out of range.
    virtual void SetLightState(int index, uint32_t colour, uint8_t flag);
    // 12. Light `index`, or all zero out of range.
    virtual LightState GetLightState(int index) const;
    // 13, 14.
    virtual void RefreshFromDevice();
    virtual void ReloadSettings();
    // 15, 16: kept free so that the operations after them keep their place.
    virtual void Reserved15();
    virtual void Reserved16();
    // 17. Reads the device's status block and hands it to the power control.
    virtual void ReadPowerStatus();
    // 18. Whether the device answers (through its receiver); the base always says yes.
    virtual bool IsLinkUp();
    // 19.
    virtual int LoadWorkingProfile();
    // 20.
    virtual int Reserved20();
    // 21.
    virtual void RefreshPage();
    // 22, 23.
    virtual void Reserved22();
    virtual void Reserved23();
    // 24, 25.
    virtual void RefreshKeyLabels();
    virtual void ReloadProfile();
    // 26. Numbers of the macros the key assignments use, in order of first use.
    virtual std::vector<int> CollectUsedMacros();
    // 27..31. Writes to the device; results are dw::result codes (0: nothing written).
    virtual int WriteButtonTable(int profile, const std::vector<KeyEntry>& keys);
    virtual int WriteAssignments(int profile);
    virtual int WriteAssignmentsLayer2(int profile);
    virtual int WriteButtonTableLayer2(int profile, const std::vector<KeyEntry>& keys);
    virtual int WriteMacros(const std::vector<int>& macros);
    // 32.
    virtual int ApplySettings(int profile, uint8_t firstByte, int flag, int screenWidth, int screenHeight);
    // 33. Loads the macro list and the lighting configuration files.
    virtual void LoadDeviceConfig();
    // 34.
    virtual void SetKeyIndexMap(const std::map<int, int>& map);
    // 35. Lowers key `keyIndex`'s level by one fade step: mode 0 the kind-0 fade, mode 29 the
    // audio fade, any other mode the standard fade. An index outside the buffer is ignored.
    virtual void FadeKeyLevel(int keyIndex, int mode);
    // 36. Sets the key level to full for each of the first kMarkedColumnCount columns that is
    // non-zero (same index).
    virtual void RaiseMarkedLevels();
    // 37. Rotates the column array by one place: towards higher indices when `direction` is
    // non-zero (the last byte comes to the front), otherwise towards lower indices.
    virtual void RotateColumns(int direction);
    // 38.
    virtual void ClearEffectBuffers();
    // 39. Shows the pages of the function tabs that `state` selects (see the .cpp table).
    virtual void SelectFunctionTab(int state);
    // 40.
    virtual int GetFunctionTabState() const;
    // 41..43.
    virtual void UpdateProfilePaths();
    virtual std::wstring GetProfileFilePath() const;
    virtual void SaveProfile();
    // 44, 45.
    virtual void SetDeviceOrdinal(int ordinal);
    virtual int GetDeviceOrdinal() const;
    // 46.
    virtual void SetLightingRecord(const LightingRecord& record);
    // 47. Stores the record and shows it in the lighting panel's audio controls.
    virtual void SetAudioLightRecord(const AudioLightRecord& record);
    // 48. Reads the record back from the lighting panel's audio controls, caches and returns it.
    virtual AudioLightRecord GetAudioLightRecord(bool takeColour);
    // 49, 50.
    virtual void SelectKey(int index);
    virtual void SelectLight(int index);
    // 51, 52. Input of the host-rendered effects; the base ignores it.
    virtual void FeedAudioSpectrum(std::span<const int32_t> samples);
    virtual void FeedExternalColour(std::span<const int32_t> values);
    // The second operation every device class appends: the stored lighting record.
    virtual LightingRecord GetLightingRecord() const;

    // ---- page -------------------------------------------------------------------------------
    void SetPageLayoutPath(const std::wstring& path) { m_pageLayoutPath = path; }
    const std::wstring& GetPageLayoutPath() const { return m_pageLayoutPath; }
    void SetOwnerWindow(ui::HWND window) { m_ownerWindow = window; }
    ui::HWND GetOwnerWindow() const { return m_ownerWindow; }
    // Resizes the key-button vector when the count changes (new entries empty).
    void SetKeyButtonCount(size_t count);
    size_t GetKeyButtonCount() const { return m_keyButtons.size(); }
    // Resizes the light controls, states and extras when the count changes, then zeroes every
    // light state and extra whether or not it changed.
    void SetLightCount(size_t count);
    size_t GetLightCount() const;
    CSelectPanelUI* GetSelectPanel() const { return m_selectPanel; }
    // The bound controls; null where the page has none.
    CDeviceKeyButtonUI* GetKeyButton(size_t index) const;
    CDeviceKeyButtonUI* GetLightControl(size_t index) const;
    void SetListEntry(CDeviceOptionUI* entry) { m_listEntry = entry; }
    CDeviceOptionUI* GetListEntry() const { return m_listEntry; }
    // Setting the control pushes the power page flag to it.
    void SetPowerControl(IDevicePowerControl* control);
    IDevicePowerControl* GetPowerControl() const { return m_powerControl; }
    void SetAudioLightPanel(IAudioLightPanel* panel) { m_audioPanel = panel; }

    // ---- identity ---------------------------------------------------------------------------
    void SetFamilyRow(int row) { m_familyRow = row; }
    int GetFamilyRow() const { return m_familyRow; }
    void SetKindAndRole(int kind, int role);
    int GetKind() const { return m_kind; }
    int GetRole() const { return m_role; }
    // Also sets kind and role from the entry.
    void SetInterfaceEntry(const DeviceInterfaceEntry& entry);
    DeviceInterfaceEntry GetInterfaceEntry() const { return m_interfaceEntry; }
    void SetFamilyName(const std::wstring& name) { m_familyName = name; }
    const std::wstring& GetFamilyName() const { return m_familyName; }
    void SetLightingFileStem(const std::wstring& stem) { m_lightingFileStem = stem; }
    const std::wstring& GetLightingFileStem() const { return m_lightingFileStem; }
    void SetCurrentProfileName(const std::wstring& name) { m_currentProfileName = name; }
    const std::wstring& GetCurrentProfileName() const { return m_currentProfileName; }
    // Also pushed to the power control when there is one.
    void SetPowerPageFlag(int flag);
    int GetPowerPageFlag() const { return m_powerPageFlag.load(); }
    // A non-zero hold is taken only while the power page flag is set (false otherwise);
    // clearing is always allowed, so the hold can never be left stuck on.
    bool SetLinkStatusHold(int hold);
    int GetLinkStatusHold() const { return m_linkStatusHold.load(); }

    // ---- lighting ---------------------------------------------------------------------------
    // Stores the value. Switching lighting on for a cable-connected keyboard (kind 1) sends the
    // host lighting command on the command transport; its result code is returned. Otherwise
    // nothing is sent and the result is 0.
    int SetLightingEnabled(int enabled);
    int GetLightingEnabled() const { return m_lightingEnabled.load(); }
    void SetPreviewPainting(int painting) { m_previewPainting.store(painting); }
    int GetPreviewPainting() const { return m_previewPainting.load(); }
    void SetSynchronisedLighting(int on) { m_synchronisedLighting.store(on); }
    int GetSynchronisedLighting() const { return m_synchronisedLighting.load(); }
    // Every light state, as one consistent copy.
    std::vector<LightState> GetLightStates() const;
    // The preview clock; an empty clock restores the steady clock.
    void SetClock(Clock clock);

    // Copies of the effect buffers.
    std::array<uint8_t, kPerKeyLevelCount> GetKeyLevels() const;
    std::array<uint8_t, kColumnCount> GetColumns() const;
    void SetKeyLevel(size_t index, uint8_t level);
    void SetColumn(size_t index, uint8_t value);

    int GetSelectedKey() const { return m_selectedKey; }
    int GetSelectedLight() const { return m_selectedLight; }
    const std::map<int, int>& GetKeyIndexMap() const { return m_keyIndexMap; }

    // ---- files of the family -------------------------------------------------------------------
    // The per-user folder of the family (data root + family name + '/'), created when missing.
    std::wstring GetUserFamilyFolder() const;
    // The resource folder's "DefaultData" folder.
    std::wstring GetDefaultDataFolder() const;
    // The factory profile of the family: DefaultData + family name + ".Json".
    std::wstring GetDefaultProfileFile() const;
    // The folders are taken from the environment at construction; tests point them elsewhere.
    void SetProfileFolders(const CProfileFolders& folders) { m_folders = folders; }

    // ---- transports -------------------------------------------------------------------------
    CDeviceTransport& CommandTransport() { return m_commandTransport; }
    CDeviceTransport& NotificationTransport() { return m_notificationTransport; }

protected:
    // The control of this page named `name` (this page included), or null.
    ui::CControlUI* FindPageControl(const std::wstring& name) const;
    // Writes colour and brightness into every light state, keeping the flags. Lock held.
    void FillLightsLocked(uint8_t red, uint8_t green, uint8_t blue, uint8_t brightness);
    uint64_t Now() const;

    CDeviceTransport m_commandTransport;
    CDeviceTransport m_notificationTransport;

    // Page.
    std::wstring m_pageLayoutPath;
    ui::HWND m_ownerWindow = nullptr;
    CSelectPanelUI* m_selectPanel = nullptr;
    CDeviceOptionUI* m_listEntry = nullptr;
    IDevicePowerControl* m_powerControl = nullptr;
    IAudioLightPanel* m_audioPanel = nullptr;
    ui::CTabLayoutUI* m_functionTab = nullptr;
    ui::CTabLayoutUI* m_keyFunctionTab = nullptr;
    int m_functionTabState = 1;

    // Identity.
    DeviceInterfaceEntry m_interfaceEntry;
    int m_kind = 0;
    int m_role = 0;
    int m_familyRow = -1;
    int m_deviceOrdinal = 0;
    std::wstring m_familyName;
    std::wstring m_lightingFileStem;
    std::wstring m_currentProfileName;
    std::atomic<int> m_powerPageFlag{0};
    std::atomic<int> m_linkStatusHold{0};

    // Controls (UI thread).
    std::vector<CDeviceKeyButtonUI*> m_keyButtons;
    std::vector<CDeviceKeyButtonUI*> m_lightControls;

    // Lights: everything below up to the effect buffers is guarded by m_lightLock.
    mutable std::mutex m_lightLock;
    std::vector<LightState> m_lightStates;
    std::vector<LightExtra> m_lightExtras;
    LightingRecord m_lightingRecord;
    uint8_t m_stepCounter = 0;   // P of the previews
    uint8_t m_colourIndex = 0;   // Q of the previews
    uint8_t m_blinkPhase = 0;    // 1 while a blinking preview is lit
    uint64_t m_lastBlinkToggle = 0;
    Clock m_clock;

    mutable std::mutex m_effectLock;
    std::array<uint8_t, kPerKeyLevelCount> m_keyLevels{};
    std::array<uint8_t, kColumnCount> m_columns{};

    std::atomic<int> m_synchronisedLighting{0};
    std::atomic<int> m_lightingEnabled{1};
    std::atomic<int> m_previewPainting{1};
    AudioLightRecord m_audioLightRecord;

    // Selection and maps.
    int m_selectedKey = -1;
    int m_selectedLight = -1;
    std::map<int, int> m_keyIndexMap;

    // Working documents of the device classes and the locks they take around them.
    std::array<Json::Value, 3> m_documents;
    std::array<std::mutex, 2> m_documentLocks;

    CProfileFolders m_folders;
};

}  // namespace dw
