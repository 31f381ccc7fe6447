// Reading and applying the interface language: the stored id, the list, fonts rebuilt, texts
// reloaded, the choice stored, and the open pop-ups told.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FrameTestSupport.h"
#include "platform/store/CMemoryRegistryStore.h"
#include "platform/store/RegistryKeys.h"
#include "shell/frame/CLanguageSwitcher.h"
#include "shell/frame/MainWindowFonts.h"
#include "shell/frame/ShellFrameMessages.h"
#include "ui/core/CMarkup.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::test {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kEnglishId = 1033;
constexpr uint32_t kChineseId = 2052;
constexpr int kEnglish = 0;
constexpr int kChinese = 1;

class LanguageSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        // The start-up language, as the main window loads it before any setting is read.
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(L"lan_cn.xml"));
        ui::CResourceManager::GetInstance().SetLanguage(L"start-up");
        ASSERT_TRUE(window.Create(loop, nullptr, L"main", ui::WS_POPUP | ui::WS_VISIBLE, 0, {0, 0, 600, 400}));
        ASSERT_TRUE(popup.Create(loop, window.GetHWND(), L"popup", ui::WS_POPUP, 0, {0, 0, 100, 100}));
        loop.RunUntilIdle();
    }
    void TearDown() override
    {
        popup.DestroyWindow();
        window.DestroyWindow();
        loop.RunUntilIdle();
        fs::remove_all(temporary);
        ui::CResourceManager::GetInstance().LoadLanguage(L"lan_en.xml");
    }

    LanguageTargets Targets()
    {
        return {&window.GetPaintManager(), &loop, {nullptr, popup.GetHWND()}};
    }
    size_t LanguageMessagesToPopup() const
    {
        return static_cast<size_t>(std::count(popup.received.begin(), popup.received.end(), shellframe::kMsgLanguageChanged));
    }
    std::wstring Text(const wchar_t* key) const { return ui::CResourceManager::GetInstance().GetText(key); }

    const std::wstring listPath = ProgramFolder() + L"DefaultData/Language.config";
    const fs::path temporary = fs::temp_directory_path() / ("dw-language-switch-" + std::to_string(::getpid()));
    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    OwnerWindow window;
    OwnerWindow popup;
    platform::CMemoryRegistryStore store;
};

TEST_F(LanguageSwitchTest, StoredIdSelectsItsEntry)
{
    CLanguageSwitcher switcher(store, listPath);
    EXPECT_EQ(switcher.ReadLanguageIndex(), kEnglish) << "no setting yet";
    store.SetDword(platform::kProgramSettingsKey, platform::kLanguageValueName, kChineseId);
    EXPECT_EQ(switcher.ReadLanguageIndex(), kChinese);
    store.SetDword(platform::kProgramSettingsKey, platform::kLanguageValueName, 1041);
    EXPECT_EQ(switcher.ReadLanguageIndex(), kEnglish) << "an id the list does not know";
}

TEST_F(LanguageSwitchTest, ApplyingLoadsTextsRebuildsFontsStoresTheChoiceAndTellsThePopups)
{
    CLanguageSwitcher switcher(store, listPath);
    ui::CPaintManagerUI& pm = window.GetPaintManager();
    pm.AddFont(99, {L"Marker", 9}, false);

    EXPECT_EQ(switcher.Apply(kEnglish, Targets()), kLanguageApplied);
    EXPECT_EQ(switcher.GetCurrentIndex(), kEnglish);
    EXPECT_EQ(Text(L"menu_exit_text"), L"Exit");
    EXPECT_EQ(ui::CResourceManager::GetInstance().GetLanguage(), L"English");
    EXPECT_EQ(store.GetDword(platform::kProgramSettingsKey, platform::kLanguageValueName), kEnglishId);
    EXPECT_FALSE(pm.HasFont(99)) << "every font goes";
    for (const MainWindowFont& font : kMainWindowFonts) {
        if (font.id >= 0) {
            EXPECT_TRUE(pm.HasFont(font.id)) << font.id;
            EXPECT_EQ(pm.GetFont(font.id).size, font.size) << font.id;
        }
    }
    EXPECT_EQ(pm.GetDefaultFont().size, mainfonts::kDefaultSize);
    EXPECT_EQ(LanguageMessagesToPopup(), 1u);

    EXPECT_EQ(switcher.Apply(kChinese, Targets()), kLanguageApplied);
    EXPECT_EQ(Text(L"menu_exit_text"), L"退出");
    EXPECT_EQ(store.GetDword(platform::kProgramSettingsKey, platform::kLanguageValueName), kChineseId);
    EXPECT_EQ(LanguageMessagesToPopup(), 2u);
}

TEST_F(LanguageSwitchTest, ChoosingTheCurrentLanguageAgainReloadsNothing)
{
    CLanguageSwitcher switcher(store, listPath);
    ASSERT_EQ(switcher.Apply(kEnglish, Targets()), kLanguageApplied);
    const int writes = store.WriteCount();
    // Marks that a reload would wipe: a font and texts of another file.
    window.GetPaintManager().AddFont(99, {L"Marker", 9}, false);
    ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(L"lan_cn.xml"));

    EXPECT_EQ(switcher.Apply(kEnglish, Targets()), kLanguageUnchanged);
    EXPECT_TRUE(window.GetPaintManager().HasFont(99));
    EXPECT_EQ(Text(L"menu_exit_text"), L"退出");
    EXPECT_EQ(store.WriteCount(), writes);
    EXPECT_EQ(LanguageMessagesToPopup(), 1u);
}

TEST_F(LanguageSwitchTest, AMissingListKeepsIndexZeroAndTheStartUpLanguage)
{
    store.SetDword(platform::kProgramSettingsKey, platform::kLanguageValueName, kChineseId);
    const int writes = store.WriteCount();
    CLanguageSwitcher switcher(store, (temporary / "Language.config").wstring());
    const int index = switcher.ReadLanguageIndex();
    EXPECT_EQ(index, 0);
    EXPECT_EQ(switcher.Apply(index, Targets()), kLanguageNotListed);
    EXPECT_EQ(switcher.GetCurrentIndex(), 0);
    EXPECT_EQ(ui::CResourceManager::GetInstance().GetLanguage(), L"start-up");
    EXPECT_EQ(Text(L"menu_exit_text"), L"退出") << "the start-up texts stay";
    EXPECT_EQ(store.WriteCount(), writes) << "nothing is stored";
}

TEST_F(LanguageSwitchTest, IndexesOutsideTheListAndUnreadableFilesChangeNoText)
{
    fs::create_directories(temporary);
    {
        std::ofstream out(temporary / "Language.config");
        out << R"({"Language": [{"Language_name": "Klingon", "Language_file": "lan_tlh.xml", "Language_ID": 1}]})";
    }
    CLanguageSwitcher switcher(store, (temporary / "Language.config").wstring());
    for (int index : {-5, 7, 1 << 30})
        EXPECT_EQ(switcher.Apply(index, Targets()), kLanguageNotListed) << index;
    EXPECT_EQ(switcher.Apply(0, Targets()), kLanguageFileMissing);
    EXPECT_EQ(ui::CResourceManager::GetInstance().GetLanguage(), L"start-up");
    EXPECT_EQ(Text(L"menu_exit_text"), L"退出");
    EXPECT_FALSE(store.GetDword(platform::kProgramSettingsKey, platform::kLanguageValueName).has_value())
        << "a language that could not be loaded is not stored";
}

// The fonts the switch sets up are the ones the main window's layout declares, so the window
// looks the same before and after a language change.
TEST(MainWindowFonts, TableMatchesTheMainWindowLayout)
{
    ui::CMarkup markup;
    ASSERT_TRUE(markup.LoadFromFile(platform::Utf8ToWide(std::string(DW_RESOURCES_DIR) + "/skin/XML/MainWnd.xml")));
    size_t declared = 0;
    for (const auto& child : markup.GetRoot()->GetChildren()) {
        if (child->GetName() != L"Font")
            continue;
        ++declared;
        const bool isDefault = child->GetAttributeValue(L"default") == L"true";
        const int id = isDefault ? -1 : std::stoi(child->GetAttributeValue(L"id"));
        const auto row = std::find_if(kMainWindowFonts.begin(), kMainWindowFonts.end(),
                                      [&](const MainWindowFont& f) { return f.id == id && (id >= 0 || isDefault); });
        ASSERT_NE(row, kMainWindowFonts.end()) << "font " << id << " of the layout is not in the table";
        EXPECT_EQ(child->GetAttributeValue(L"name"), row->face) << id;
        EXPECT_EQ(std::stoi(child->GetAttributeValue(L"size")), row->size) << id;
        EXPECT_EQ(child->GetAttributeValue(L"bold") == L"true", row->bold) << id;
        EXPECT_EQ(child->GetAttributeValue(L"underline") == L"true", row->underline) << id;
    }
    EXPECT_EQ(declared, kMainWindowFonts.size());
}

}  // namespace
}  // namespace dw::test
