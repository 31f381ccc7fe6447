// The main window on the program's own skin (resources/skin): every control it needs is there,
// every page layout builds with the window as its builder callback, and a picture of the window
// as a user first sees it is written to the build folder for review.

#include <gtest/gtest.h>

#include <filesystem>

#include "MainWndHarness.h"
#include "ui/core/CDialogBuilder.h"

namespace dw::test {
namespace {

std::wstring ProgramSkinFolder()
{
    const std::string folder = std::string(DW_RESOURCES_DIR) + "/skin/";
    return std::wstring(folder.begin(), folder.end());
}

TEST(MainWndProgramSkin, TheMainLayoutHasEveryControlTheWindowNeeds)
{
    if (!std::filesystem::exists(std::string(DW_RESOURCES_DIR) + "/skin/res.xml"))
        FAIL() << "the program's skin is missing";
    MainWndHarness h(L"res.xml", platform::ScreenMetrics{1920, 1080, 0, 0}, ProgramSkinFolder());
    ASSERT_TRUE(h.created);
    EXPECT_TRUE(h.window->GetMissingControls().empty());
    for (const wchar_t* name : {L"nodevice_ok_btn", L"deng_same_mode", L"device_select_prev", L"device_select_next"})
        EXPECT_NE(h.Find(name), nullptr) << std::string(name, name + wcslen(name));
}

TEST(MainWndProgramSkin, DevicePageLayoutsBuildThroughTheWindowsControlBuilder)
{
    MainWndHarness h(L"res.xml", platform::ScreenMetrics{1920, 1080, 0, 0}, ProgramSkinFolder());
    for (const wchar_t* page : {L"XML\\DeviceXml\\keyboarddevice.xml", L"XML\\DeviceXml\\mousedevice.xml",
                                L"XML\\DeviceXml\\mousepaddevice.xml", L"XML\\DeviceXml\\hs6533device.xml"}) {
        SCOPED_TRACE(std::string(page, page + wcslen(page)));
        ui::CDialogBuilder builder;
        std::unique_ptr<ui::CControlUI> root(builder.Create(page, {}, h.window.get(), &h.window->GetPaintManager()));
        ASSERT_NE(root, nullptr);
        EXPECT_NE(root->GetInterface(CKestovarUSBDevice::kClassName), nullptr) << "the page is a device object";
        EXPECT_FALSE(builder.HasErrors()) << std::string(builder.GetLastErrorMessage().begin(), builder.GetLastErrorMessage().end());
    }
}

TEST(MainWndProgramSkin, RendersTheWindowAsTheFirstScanShowsIt)
{
    MainWndHarness h(L"res.xml", platform::ScreenMetrics{1920, 1080, 0, 0}, ProgramSkinFolder());
    h.backend.AdvanceClock(mainwnd::kDisplayCheckDelayMs);
    ASSERT_EQ(h.companion.Broadcast(std::wstring(msgname::kProductTitle), 0, 0), platform::kIpcOk);
    h.loop.RunUntilIdle();
    ASSERT_TRUE(h.window->IsWindowVisible());
    EXPECT_TRUE(h.Visible(L"No_device_Link")) << "no device is connected";
    const std::string png = std::filesystem::current_path().string() + "/main_window_no_device.png";
    EXPECT_TRUE(h.backend.SavePng(h.Hwnd(), png));
}

}  // namespace
}  // namespace dw::test
