#pragma once

// A main window on the headless backend, built from the small test skin in
// tests/fixtures/shell/skin, with every companion replaced by a recorder: the entry points it
// reached (in order), a device list whose selected device and family lists the test sets, and
// workers that only wait for their stop event. Messages between programs go through an
// in-process hub where a second bus plays the companion program.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/IDesktopSettingsLauncher.h"
#include "platform/ipc/CLocalProgramMessageBus.h"
#include "platform/ipc/CLocalProgramMessageHub.h"
#include "platform/power/CManualPowerEvents.h"
#include "platform/screen/CFixedScreenInfo.h"
#include "shell/CMainWnd.h"
#include "shell/CPendingParts.h"
#include "shell/CStopEvent.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"

namespace dw::test {

// A device object that records the lighting calls the main window makes on it.
class RecordingDevice : public CKestovarUSBDevice {
public:
    std::vector<std::string> calls;
    std::vector<LightingRecord> stored;
    int lastScreenWidth = 0;

    void SetLightingRecord(const LightingRecord& record) override
    {
        calls.push_back("SetLightingRecord");
        stored.push_back(record);
        CKestovarUSBDevice::SetLightingRecord(record);
    }
    void SaveProfile() override { calls.push_back("SaveProfile"); }
    int ApplyLightingEffect() override
    {
        calls.push_back("ApplyLightingEffect");
        return 1;
    }
    int ApplySettings(int profile, uint8_t firstByte, int flag, int screenWidth, int) override
    {
        calls.push_back("ApplySettings(" + std::to_string(profile) + "," + std::to_string(firstByte) + "," +
                        std::to_string(flag) + ")");
        lastScreenWidth = screenWidth;
        return 1;
    }
};

class RecordingParts : public CPendingParts {
public:
    // Entry points reached, as "entry" or "entry (detail)".
    std::vector<std::wstring> reached;
    CKestovarUSBDevice* selected = nullptr;
    std::vector<CKestovarUSBDevice*> families[4];
    size_t connected = 0;
    uint8_t keyboardLinkStatus = 0;
    std::vector<size_t> audioBlockSizes;
    std::atomic<int> discoveryRuns{0};
    std::atomic<int> lightingRuns{0};
    std::atomic<int> workersEnded{0};

    CKestovarUSBDevice* SelectedDevice() const override { return selected; }
    std::vector<CKestovarUSBDevice*> Devices(int family) const override
    {
        return family >= 0 && family < 4 ? families[family] : std::vector<CKestovarUSBDevice*>{};
    }
    size_t ConnectedCount() const override { return connected; }
    uint8_t KeyboardLinkStatus(const CKestovarUSBDevice&) const override { return keyboardLinkStatus; }

    void RunDiscovery(WorkerContext context) override
    {
        ++discoveryRuns;
        WaitForStop(context.stop);
    }
    void RunLightingSync(WorkerContext context) override
    {
        ++lightingRuns;
        WaitForStop(context.stop);
    }
    void OnAudioData(uintptr_t kind, std::span<const uint8_t> bytes) override
    {
        audioBlockSizes.push_back(bytes.size());
        CPendingParts::OnAudioData(kind, bytes);
    }

    bool Reached(const std::wstring& entry) const
    {
        for (const std::wstring& r : reached)
            if (r == entry)
                return true;
        return false;
    }

protected:
    void ReportNotBuilt(std::wstring_view entryPoint, std::wstring_view detail) override
    {
        std::wstring line(entryPoint);
        if (!detail.empty())
            line += L" (" + std::wstring(detail) + L")";
        reached.push_back(line);
    }

private:
    void WaitForStop(CStopEvent& stop)
    {
        while (!stop.WaitFor(std::chrono::milliseconds(50))) {
        }
        ++workersEnded;
    }
};

// The test skin's folder (the fixture path is plain ASCII).
inline std::wstring FixtureSkinFolder()
{
    const std::string folder = std::string(DW_FIXTURES_DIR) + "/shell/skin/";
    return std::wstring(folder.begin(), folder.end());
}

// Records which desktop settings page was asked for.
class RecordingLauncher : public platform::IDesktopSettingsLauncher {
public:
    std::vector<platform::DesktopSettingsPage> opened;
    bool Open(platform::DesktopSettingsPage page) override
    {
        opened.push_back(page);
        return true;
    }
};

class MainWndHarness {
public:
    explicit MainWndHarness(const wchar_t* resourceIndex = L"res.xml",
                            std::optional<platform::ScreenMetrics> screen = platform::ScreenMetrics{1920, 1080, 530, 300},
                            const std::wstring& skinFolder = FixtureSkinFolder())
        : screens(screen)
    {
        ui::CPaintManagerUI::SetResourcePath(skinFolder);
        ui::CResourceManager::GetInstance().LoadResource(resourceIndex);
        MainWndServices services;
        services.deviceList = &parts;
        services.lighting = &parts;
        services.keysAndMacros = &parts;
        services.deviceSettings = &parts;
        services.profiles = &parts;
        services.headset = &parts;
        services.windows = &parts;
        services.messageBus = &bus;
        services.screens = &screens;
        services.power = &power;
        services.desktopSettings = &launcher;
        window = std::make_unique<CMainWnd>(services);
        created = window->Create(loop, nullptr, L"VEXLO Dunwake 75 tri-mode", ui::WS_POPUP | ui::WS_VISIBLE, 0,
                                 {0, 0, 800, 572});
        loop.RunUntilIdle();
    }

    ~MainWndHarness()
    {
        if (window && window->GetHWND() != nullptr)
            window->DestroyWindow();
        loop.RunUntilIdle();
        window.reset();
        ui::CPaintManagerUI::SetAllDPI(96);
    }

    ui::HWND Hwnd() const { return window->GetHWND(); }
    ui::CControlUI* Find(const wchar_t* name) { return window->GetPaintManager().FindControl(name); }
    bool Visible(const wchar_t* name)
    {
        ui::CControlUI* control = Find(name);
        return control != nullptr && control->IsVisible();
    }
    // Broadcasts of a message name that left through the window's bus, in order.
    std::vector<platform::CLocalProgramMessageHub::SentMessage> Sent(std::wstring_view name) const
    {
        std::vector<platform::CLocalProgramMessageHub::SentMessage> out;
        for (const auto& sent : hub.Sent())
            if (sent.name == name)
                out.push_back(sent);
        return out;
    }
    void Click(const wchar_t* name)
    {
        window->GetPaintManager().UpdateLayout();
        ui::CControlUI* control = Find(name);
        const ui::UIRect& rc = control->GetPos();
        backend.Click(Hwnd(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        loop.RunUntilIdle();
    }

    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    platform::CLocalProgramMessageHub hub;
    platform::CLocalProgramMessageBus bus{&hub};
    // Another program on the same bus.
    platform::CLocalProgramMessageBus companion{&hub};
    platform::CFixedScreenInfo screens;
    platform::CManualPowerEvents power;
    RecordingLauncher launcher;
    RecordingParts parts;
    std::unique_ptr<CMainWnd> window;
    bool created = false;
};

}  // namespace dw::test
