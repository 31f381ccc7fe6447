#pragma once

// The real main window on the program's skin, headless, with the device list plugged in and the
// emulator's virtual bus as the process's HID backend. The discovery worker runs on its own
// thread in real time (a short period); the entry timers run on the backend's virtual clock,
// which only the test moves.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "emulator/VirtualHidBus.h"
#include "platform/hid/HidBackendSelection.h"
#include "platform/screen/CFixedScreenInfo.h"
#include "shell/CMainWnd.h"
#include "shell/devices/CDeviceList.h"
#include "shell/devices/CDeviceOptionUI.h"
#include "shell/devices/DeviceListControls.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CControlFactory.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::test {

inline std::wstring ProgramSkinFolder()
{
    const std::string folder = std::string(DW_RESOURCES_DIR) + "/skin/";
    return std::wstring(folder.begin(), folder.end());
}

class DeviceListHarness {
public:
    static constexpr std::chrono::milliseconds kDiscoveryPeriod{5};

    DeviceListHarness() : bus(std::make_shared<emu::VirtualHidBus>()), devices(MakeOptions())
    {
        hid::SelectHidBackend(bus);
        ui::CPaintManagerUI::SetResourcePath(ProgramSkinFolder());
        ui::CResourceManager::GetInstance().LoadResource(L"res.xml");
        RegisterDeviceListControls(ui::CControlFactory::GetInstance());
        MainWndServices services;
        services.deviceList = &devices;
        services.screens = &screens;
        window = std::make_unique<CMainWnd>(services);
        devices.Attach(*window);
        created = window->Create(loop, nullptr, L"VEXLO Dunwake 75 tri-mode", ui::WS_POPUP | ui::WS_VISIBLE, 0,
                                 {0, 0, 1000, 640});
        loop.RunUntilIdle();
    }

    ~DeviceListHarness()
    {
        if (window && window->GetHWND() != nullptr)
            window->DestroyWindow();
        loop.RunUntilIdle();
        devices.Detach();
        window.reset();
        hid::SelectHidBackend(nullptr);
    }

    // Runs the UI thread until `done` holds or the real-time bound passes; the discovery worker
    // meanwhile makes its passes. False on time-out.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds bound = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < deadline) {
            loop.RunUntilIdle();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        loop.RunUntilIdle();
        return done();
    }

    // Lets the discovery worker make a few passes and the UI thread handle what they sent.
    void Settle(int passes = 6)
    {
        for (int i = 0; i < passes; ++i) {
            loop.RunUntilIdle();
            std::this_thread::sleep_for(kDiscoveryPeriod);
        }
        loop.RunUntilIdle();
    }

    // Moves the virtual clock (entry timers) in small steps.
    void Advance(uint64_t ms)
    {
        while (ms > 0) {
            const uint64_t step = std::min<uint64_t>(ms, 50);
            backend.AdvanceClock(step);
            loop.RunUntilIdle();
            ms -= step;
        }
    }

    CDeviceOptionUI* Entry(int familyRow)
    {
        for (CDeviceOptionUI* entry : devices.Entries())
            if (entry->GetDevice() != nullptr && entry->GetDevice()->GetFamilyRow() == familyRow)
                return entry;
        return nullptr;
    }
    bool EntryVisible(int familyRow)
    {
        CDeviceOptionUI* entry = Entry(familyRow);
        return entry != nullptr && entry->IsVisible();
    }
    CKestovarUSBDevice* Device(int familyRow)
    {
        CDeviceOptionUI* entry = Entry(familyRow);
        return entry != nullptr ? entry->GetDevice() : nullptr;
    }
    bool Visible(const wchar_t* name)
    {
        ui::CControlUI* control = window->GetPaintManager().FindControl(name);
        return control != nullptr && control->IsVisible();
    }

    static CDeviceList::Options MakeOptions()
    {
        CDeviceList::Options options;
        options.discoveryPeriod = kDiscoveryPeriod;
        return options;
    }

    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    std::shared_ptr<emu::VirtualHidBus> bus;
    platform::CFixedScreenInfo screens{platform::ScreenMetrics{1920, 1080, 530, 300}};
    CDeviceList devices;
    std::unique_ptr<CMainWnd> window;
    bool created = false;
};

}  // namespace dw::test
