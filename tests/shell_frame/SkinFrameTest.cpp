// The skin window: where it opens, what each of its buttons announces, what it records in
// "main.ini", and that it goes away when it loses the focus.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "FrameTestSupport.h"
#include "shell/CSkinObserver.h"
#include "shell/frame/CSkinFrame.h"
#include "shell/frame/IniFile.h"
#include "ui/core/CTabLayoutUI.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::test {
namespace {

namespace fs = std::filesystem;

class RecordingReceiver : public ISkinChangedReceiver {
public:
    std::vector<SkinChangedParam> changes;
    void OnSkinChanged(const SkinChangedParam& param) override { changes.push_back(param); }
};

class SkinFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        fs::remove_all(folder);
        ASSERT_TRUE(owner.Create(loop, nullptr, L"main", ui::WS_POPUP | ui::WS_VISIBLE, 0, {100, 100, 700, 500}));
        loop.RunUntilIdle();
        CSkinObserver::GetInstance().AddReceiver(&receiver);
    }
    void TearDown() override
    {
        CSkinObserver::GetInstance().RemoveReceiver(&receiver);
        owner.DestroyWindow();
        loop.RunUntilIdle();
        fs::remove_all(folder);
    }

    ui::HWND Open()
    {
        CSkinFrame* frame = CSkinFrame::Open(loop, owner.GetHWND(), kAnchor, settings);
        loop.RunUntilIdle();
        return frame != nullptr ? frame->GetHWND() : nullptr;
    }
    std::string Setting(const char* key) const
    {
        std::ifstream in(settings);
        std::ostringstream text;
        text << in.rdbuf();
        return GetIniValue(text.str(), skinframe::kSettingsSection, key);
    }
    // Clicks the n-th control of that name (several buttons share one).
    void ClickNth(ui::HWND frame, const wchar_t* name, size_t n)
    {
        std::vector<ui::CControlUI*> found;
        std::pair<const wchar_t*, std::vector<ui::CControlUI*>*> search(name, &found);
        PaintManagerOf(frame)->GetRoot()->FindControl(
            [](ui::CControlUI* c, void* data) -> ui::CControlUI* {
                auto* list = static_cast<std::pair<const wchar_t*, std::vector<ui::CControlUI*>*>*>(data);
                if (c->GetName() == list->first)
                    list->second->push_back(c);
                return nullptr;
            },
            &search, ui::UIFIND_ALL);
        ASSERT_GT(found.size(), n);
        ClickControl(backend, frame, found[n]);
    }

    static constexpr ui::UIRect kAnchor{600, 110, 632, 142};
    const fs::path folder = fs::temp_directory_path() / ("dw-skin-frame-" + std::to_string(::getpid()));
    const std::string settings = (folder / "main.ini").string();
    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    OwnerWindow owner;
    RecordingReceiver receiver;
};

TEST_F(SkinFrameTest, OpensBelowTheAnchorRightEdgesAligned)
{
    const ui::HWND frame = Open();
    ASSERT_NE(frame, nullptr);
    const ui::UIRect rc = loop.FromHandle(frame)->GetWindowRect();
    EXPECT_EQ(rc.right, kAnchor.right);
    EXPECT_EQ(rc.top, kAnchor.bottom);
    EXPECT_EQ(rc.GetWidth(), 296) << "the layout's size";
    EXPECT_TRUE(loop.FromHandle(frame)->IsWindowVisible());
}

TEST_F(SkinFrameTest, ResetAnnouncesAndRecordsTheSkinsOwnBackground)
{
    const ui::HWND frame = Open();
    ClickNth(frame, skinframe::kImageButton, 2);
    ASSERT_EQ(receiver.changes.size(), 1u);
    EXPECT_EQ(receiver.changes[0].bgImage, L"skin/bg_ember.png");
    EXPECT_EQ(receiver.changes[0].bkColor, 0u);
    EXPECT_EQ(Setting(skinframe::kFlagsKey), "1");
    EXPECT_EQ(Setting(skinframe::kImageKey), "skin/bg_ember.png");

    ASSERT_TRUE(ClickControl(backend, frame, skinframe::kResetButton));
    ASSERT_EQ(receiver.changes.size(), 2u);
    EXPECT_EQ(receiver.changes[1].bgImage, L"common/background.png");
    EXPECT_EQ(Setting(skinframe::kFlagsKey), "0");
    EXPECT_EQ(Setting(skinframe::kImageKey), "common/background.png");
}

TEST_F(SkinFrameTest, ColoursAreAnnouncedButNotRecorded)
{
    const ui::HWND frame = Open();
    ASSERT_TRUE(ClickControl(backend, frame, skinframe::kColourPage));
    auto* tab = dynamic_cast<ui::CTabLayoutUI*>(FindIn(frame, skinframe::kTab));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetCurSel(), skinframe::kColourTabPage);
    ClickNth(frame, skinframe::kColourButton, 1);
    ASSERT_EQ(receiver.changes.size(), 1u);
    EXPECT_EQ(receiver.changes[0].bkColor, 0xFF0F2540u);
    EXPECT_TRUE(receiver.changes[0].bgImage.empty());
    EXPECT_FALSE(fs::exists(settings));
    ASSERT_TRUE(ClickControl(backend, frame, skinframe::kImagePage));
    EXPECT_EQ(tab->GetCurSel(), skinframe::kImageTabPage);
}

TEST_F(SkinFrameTest, CustomPictureIsAnnouncedOnlyWhenChosen)
{
    const ui::HWND frame = Open();
    backend.SetNextFileDialogResult(L"");
    ASSERT_TRUE(ClickControl(backend, frame, skinframe::kCustomButton));
    EXPECT_TRUE(receiver.changes.empty()) << "a cancelled dialog changes nothing";
    ASSERT_EQ(backend.GetLastFileDialogFilters().size(), 2u);
    EXPECT_EQ(backend.GetLastFileDialogFilters()[0].patterns, std::vector<std::wstring>{L"*.png"});

    backend.SetNextFileDialogResult(L"/home/user/Pictures/wall.png");
    ASSERT_TRUE(ClickControl(backend, frame, skinframe::kCustomButton));
    ASSERT_EQ(receiver.changes.size(), 1u);
    EXPECT_EQ(receiver.changes[0].bgImage, L"/home/user/Pictures/wall.png");
    EXPECT_FALSE(fs::exists(settings)) << "a custom picture is not recorded";
    EXPECT_TRUE(loop.IsWindow(frame)) << "the dialog's focus does not close the window";
}

TEST_F(SkinFrameTest, LosingTheFocusClosesIt)
{
    const ui::HWND frame = Open();
    ASSERT_TRUE(loop.IsWindow(frame));
    loop.SendMessage(frame, ui::WM_KILLFOCUS, 0, 0);
    loop.RunUntilIdle();
    EXPECT_FALSE(loop.IsWindow(frame));
}

}  // namespace
}  // namespace dw::test
