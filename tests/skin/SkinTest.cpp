// The program's skin (resources/skin): every layout builds without a problem, carries the
// named controls the code looks up, names only images and language keys that exist, and the
// keyboard page binds a button to every logical key. The main window is rendered headless with
// each device page shown; the pictures are left in the build folder for review.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "keyboard/LogicalKeys.h"
#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "keyboard/ui/KeyPanelControls.h"
#include "platform/Utf8.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CControlFactory.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/CHorizontalLayoutUI.h"
#include "ui/core/CLabelUI.h"
#include "ui/core/CMarkup.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/COptionUI.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CProgressUI.h"
#include "ui/core/CResourceManager.h"
#include "ui/core/CTabLayoutUI.h"
#include "ui/core/CVerticalLayoutUI.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"
#include "ui/core/WindowImplBase.h"

namespace dw {
namespace {

namespace fs = std::filesystem;

const fs::path kSkin = fs::path(DW_RESOURCES_DIR) / "skin";
const fs::path kRenders = fs::path(DW_SKIN_RENDER_DIR);

std::string Narrow(const std::wstring& text) { return platform::WideToUtf8(text); }

// The layouts of the skin and the element their tree starts with.
struct LayoutCase {
    const wchar_t* layout;
    const wchar_t* rootClass;  // GetClass() of the root the stand-ins below create
};
const LayoutCase kLayouts[] = {
    {L"XML_MAIN", L"VerticalLayoutUI"},
    {L"XML\\DeviceXml\\keyboarddevice.xml", CKestovarUSBDevice::kClassName},
    {L"XML\\DeviceXml\\mousedevice.xml", CKestovarUSBDevice::kClassName},
    {L"XML\\DeviceXml\\mousepaddevice.xml", CKestovarUSBDevice::kClassName},
    {L"XML\\DeviceXml\\hs6533device.xml", CKestovarUSBDevice::kClassName},
    {L"XML\\CustomControlXML\\DeviceOption.xml", L"HorizontalLayoutUI"},
    {L"XML\\CustomControlXML\\MpDevicePower.xml", L"VerticalLayoutUI"},
};

// What the main window's builder callback gives the skin's own elements until every device
// class exists: the device pages fall back to the device base class.
class SkinCallback : public ui::IDialogBuilderCallback {
public:
    ui::CControlUI* CreateControl(const std::wstring& className) override
    {
        static const wchar_t* const kPages[] = {L"KestovarKeyboardDevice", L"KestovarMouseDevice",
                                                L"KestovarMousePadDevice", L"KestovarHS6533Device"};
        for (const wchar_t* page : kPages) {
            if (ui::EqualsNoCase(className, page))
                return new CKestovarUSBDevice;
        }
        return nullptr;
    }
};

// The list entry, the battery control and its ring are written in a later step; plain
// containers and a progress bar stand in for them so their layouts can be built and looked at.
void RegisterStandIns()
{
    RegisterKeyPanelControls();
    auto& factory = ui::CControlFactory::GetInstance();
    if (!factory.IsRegistered(L"CDeviceOptionUI"))
        factory.RegistControl(L"CDeviceOptionUI", [] { return new ui::CHorizontalLayoutUI; });
    if (!factory.IsRegistered(L"CMpDevicePowerUI"))
        factory.RegistControl(L"CMpDevicePowerUI", [] { return new ui::CVerticalLayoutUI; });
    if (!factory.IsRegistered(L"CCircleProgressUI"))
        factory.RegistControl(L"CCircleProgressUI", [] { return new ui::CProgressUI; });
}

class SkinEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        RegisterStandIns();
        ui::CPaintManagerUI::SetResourcePath((kSkin / "").wstring());
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadResource(L"res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(L"language-keys.xml"));
        fs::create_directories(kRenders);
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

// Builds one layout with a fresh manager; the tree is deleted with the object.
class BuiltLayout {
public:
    explicit BuiltLayout(const std::wstring& layout) { m_root = m_builder.Create(layout, {}, &m_callback, &m_manager); }
    ~BuiltLayout() { delete m_root; }
    BuiltLayout(const BuiltLayout&) = delete;
    BuiltLayout& operator=(const BuiltLayout&) = delete;

    ui::CControlUI* Root() const { return m_root; }
    const ui::CDialogBuilder& Builder() const { return m_builder; }
    ui::CControlUI* Find(const std::wstring& name) const { return FindIn(m_root, name); }

    static ui::CControlUI* FindIn(ui::CControlUI* root, const std::wstring& name)
    {
        if (root == nullptr)
            return nullptr;
        std::wstring wanted = name;
        return root->FindControl([](ui::CControlUI* c, void* data) {
            return c->GetName() == *static_cast<std::wstring*>(data) ? c : nullptr;
        }, &wanted, ui::UIFIND_ALL);
    }

private:
    SkinCallback m_callback;
    ui::CPaintManagerUI m_manager;
    ui::CDialogBuilder m_builder;
    ui::CControlUI* m_root = nullptr;
};

TEST(Skin, EveryLayoutBuildsWithoutProblems)
{
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(Narrow(c.layout));
        BuiltLayout built(c.layout);
        ASSERT_NE(built.Root(), nullptr) << Narrow(built.Builder().GetLastErrorMessage());
        for (const ui::UIBuilderError& e : built.Builder().GetErrors())
            ADD_FAILURE() << Narrow(e.file) << ":" << e.line << ": " << Narrow(e.message);
        for (const ui::UIBuilderError& w : built.Builder().GetWarnings())
            ADD_FAILURE() << Narrow(w.file) << ":" << w.line << ": warning: " << Narrow(w.message);
        EXPECT_EQ(built.Root()->GetClass(), c.rootClass);
    }
}

// The names the code looks up in each layout.
TEST(Skin, LayoutsCarryTheControlsTheCodeLooksUp)
{
    const std::map<std::wstring, std::vector<const wchar_t*>> required = {
        {L"XML_MAIN",
         {L"root", L"closebtn", L"minbtn", L"maxbtn", L"restorebtn", L"skinbtn", L"setbtn", L"gamemodebtn", L"cloudbtn",
          L"smarteyesbtn", L"device_select_layout", L"device_select_prev", L"device_select_next", L"device_power_switch",
          L"device_switch", L"No_device_Link", L"nodevice_ok_btn", L"control_light_status", L"deng_same_mode",
          L"setting_progress"}},
        {L"XML\\DeviceXml\\keyboarddevice.xml",
         {L"keyboard_device_key_light", L"device_function_switch", L"device_key_function_switch", L"windowdeviceset_0"}},
        {L"XML\\DeviceXml\\mousedevice.xml",
         {L"mouse_device_key_light", L"logo", L"device_function_switch", L"device_key_function_switch",
          L"windowdeviceset_1"}},
        {L"XML\\DeviceXml\\mousepaddevice.xml",
         {L"mousepad_device_key_light", L"device_function_switch", L"device_key_function_switch"}},
        {L"XML\\DeviceXml\\hs6533device.xml", {L"device_function_switch", L"device_key_function_switch"}},
        {L"XML\\CustomControlXML\\DeviceOption.xml",
         {L"device_select", L"synchro_device_select", L"device_select_name"}},
        {L"XML\\CustomControlXML\\MpDevicePower.xml",
         {L"device_power_Layout", L"device_power_value", L"device_wuxian_logo", L"device_Power_progress",
          L"device_power_status", L"device_phone_type", L"device_power_title"}},
    };
    for (const auto& [layout, names] : required) {
        BuiltLayout built(layout);
        ASSERT_NE(built.Root(), nullptr) << Narrow(layout);
        for (const wchar_t* name : names)
            EXPECT_NE(built.Find(name), nullptr) << Narrow(layout) << " has no control named " << Narrow(name);
    }
    // Cloud, game mode and eye care are not part of the program, and the window has one size.
    BuiltLayout main(L"XML_MAIN");
    for (const wchar_t* hidden : {L"cloudbtn", L"gamemodebtn", L"smarteyesbtn", L"maxbtn", L"restorebtn"})
        EXPECT_FALSE(main.Find(hidden)->IsOwnVisible()) << Narrow(hidden);
    // The list entry's option is a page tab of the device list's group.
    BuiltLayout entry(L"XML\\CustomControlXML\\DeviceOption.xml");
    auto* option = static_cast<ui::COptionUI*>(entry.Find(L"device_select")->GetInterface(L"Option"));
    ASSERT_NE(option, nullptr);
}

// Function tab pages the device base selects (states 2..8): every page index it can ask for
// exists on the pages that have the tabs.
TEST(Skin, FunctionTabsHaveEveryPageTheDeviceSelects)
{
    struct TabCase {
        const wchar_t* layout;
        int functionPages;
        int keyFunctionPages;
    };
    const TabCase cases[] = {
        {L"XML\\DeviceXml\\keyboarddevice.xml", 4, 3},
        {L"XML\\DeviceXml\\mousedevice.xml", 4, 3},
        {L"XML\\DeviceXml\\hs6533device.xml", 1, 3},
    };
    for (const TabCase& c : cases) {
        BuiltLayout built(c.layout);
        auto* function = static_cast<ui::CTabLayoutUI*>(built.Find(L"device_function_switch")->GetInterface(L"TabLayout"));
        auto* keyFunction = static_cast<ui::CTabLayoutUI*>(built.Find(L"device_key_function_switch")->GetInterface(L"TabLayout"));
        ASSERT_NE(function, nullptr) << Narrow(c.layout);
        ASSERT_NE(keyFunction, nullptr) << Narrow(c.layout);
        EXPECT_GE(function->GetCount(), c.functionPages) << Narrow(c.layout);
        EXPECT_GE(keyFunction->GetCount(), c.keyFunctionPages) << Narrow(c.layout);
    }
}

// The keyboard page as the device binds it: one button per logical key, each the light of the
// same key; the board's 86 shown keys sit inside the panel without overlapping.
TEST(Skin, KeyboardPageBindsEveryLogicalKey)
{
    ui::headless::CHeadlessBackend backend;
    BuiltLayout built(L"XML\\DeviceXml\\keyboarddevice.xml");
    auto* page = static_cast<CKestovarUSBDevice*>(built.Root()->GetInterface(CKestovarUSBDevice::kClassName));
    ASSERT_NE(page, nullptr);
    page->SetPageLayoutPath(L"XML\\DeviceXml\\keyboarddevice.xml");
    page->SetKeyButtonCount(logicalkey::kCount);
    page->SetLightCount(logicalkey::kCount);
    page->BindPageControls();
    ASSERT_NE(page->GetSelectPanel(), nullptr) << "the key panel must be a direct child of the page";
    EXPECT_EQ(page->GetSelectPanel()->GetName(), L"keyboard_device_key_light");

    std::vector<CDeviceKeyButtonUI*> shown;
    for (size_t key = 0; key < logicalkey::kCount; ++key) {
        CDeviceKeyButtonUI* button = page->GetKeyButton(key);
        ASSERT_NE(button, nullptr) << "no button for logical key " << key;
        EXPECT_EQ(page->GetLightControl(key), button) << "logical key " << key;
        if (button->IsOwnVisible())
            shown.push_back(button);
    }
    EXPECT_EQ(shown.size(), 86u);

    // Lay the page out at the content area's size to compare rectangles.
    page->SetPos({0, 0, 751, 590});
    const ui::UIRect panel = page->GetSelectPanel()->GetPos();
    for (size_t i = 0; i < shown.size(); ++i) {
        const ui::UIRect a = shown[i]->GetPos();
        EXPECT_FALSE(a.IsEmpty()) << Narrow(shown[i]->GetName());
        EXPECT_EQ(a.Intersect(panel), a) << Narrow(shown[i]->GetName()) << " leaves the panel";
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_TRUE(a.Intersect(shown[j]->GetPos()).IsEmpty())
                << Narrow(shown[i]->GetName()) << " overlaps " << Narrow(shown[j]->GetName());
    }
    // Keys the 75% board has: the whole function row, the arrows, the knob.
    for (size_t key : {0u, 12u, 13u, 18u, 19u, 20u, 34u, 56u, 108u, 110u, 113u, 114u, 115u})
        EXPECT_TRUE(page->GetKeyButton(key)->IsOwnVisible()) << "logical key " << key;
    // Keys it has not: the numeric pad, Insert, the extra ISO and macro keys.
    for (size_t key : {35u, 38u, 59u, 99u, 104u, 116u, 120u, 125u})
        EXPECT_FALSE(page->GetKeyButton(key)->IsOwnVisible()) << "logical key " << key;
}

// Walks the markup of every layout file (the text of the files, not the built controls).
void ForEachElement(const ui::CMarkupNode& node, const std::function<void(const ui::CMarkupNode&)>& visit)
{
    visit(node);
    for (const auto& child : node.GetChildren())
        ForEachElement(*child, visit);
}

std::vector<fs::path> LayoutFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kSkin / "XML")) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    }
    return files;
}

TEST(Skin, EveryLanguageKeyOfTheLayoutsIsListed)
{
    const auto& resources = ui::CResourceManager::GetInstance();
    for (const fs::path& file : LayoutFiles()) {
        ui::CMarkup markup;
        ASSERT_TRUE(markup.LoadFromFile(file.wstring())) << file;
        ForEachElement(*markup.GetRoot(), [&](const ui::CMarkupNode& node) {
            if (!ui::EqualsNoCase(node.GetAttributeValue(L"resourcetext"), L"true"))
                return;
            for (const wchar_t* attribute : {L"text", L"tooltip"}) {
                const std::wstring key = node.GetAttributeValue(attribute);
                if (!key.empty()) {
                    EXPECT_TRUE(resources.HasText(key)) << file.filename() << ":" << node.GetLine() << ": " << Narrow(key);
                }
            }
        });
    }
}

// Every image a layout names exists at 1x and, except the background, at 2x; the skin stays
// small.
TEST(Skin, EveryImageExistsAtBothScalesAndTheSkinIsSmall)
{
    static const wchar_t* const kImageAttributes[] = {L"bkimage",       L"foreimage",     L"normalimage",  L"hotimage",
                                                      L"pushedimage",   L"selectedimage", L"lightimage",   L"keysetimage",
                                                      L"keyunsetimage", L"disabledimage", L"focusedimage", L"hotforeimage"};
    std::set<std::wstring> images;
    for (const fs::path& file : LayoutFiles()) {
        ui::CMarkup markup;
        ASSERT_TRUE(markup.LoadFromFile(file.wstring())) << file;
        ForEachElement(*markup.GetRoot(), [&](const ui::CMarkupNode& node) {
            for (const wchar_t* attribute : kImageAttributes) {
                if (!node.HasAttribute(attribute))
                    continue;
                const auto parsed = ui::ParseImageAttribute(node.GetAttributeValue(attribute));
                ASSERT_TRUE(parsed.has_value()) << file.filename() << ":" << node.GetLine();
                if (!parsed->file.empty())
                    images.insert(parsed->file);
            }
        });
    }
    // Images the program names itself: the list entry's icons by kind, the battery states, the
    // phones and the skin window's reset background.
    for (const wchar_t* kind : {L"kb", L"ms", L"hard_mp", L"soft_mp", L"hd", L"hub", L"unknow"}) {
        for (const wchar_t* state : {L"normal", L"selected", L"synchro_normal", L"synchro_selected"})
            images.insert(std::wstring(L"common/device_ico/") + kind + L"_device_" + state + L".png");
    }
    for (const wchar_t* name : {L"power/powered.png", L"power/powering.png", L"power/power.png",
                                L"power/Phone_type_iphone.png", L"power/Phone_type_samsung.png",
                                L"power/Phone_type_other.png", L"power/Phone_type_no_device.png",
                                L"common/background.png"})
        images.insert(name);

    for (const std::wstring& image : images) {
        const fs::path one = kSkin / image;
        EXPECT_TRUE(fs::is_regular_file(one)) << Narrow(image);
        if (image == L"common/background.png")
            continue;
        fs::path two = one;
        two.replace_filename(one.stem().string() + "@2x" + one.extension().string());
        EXPECT_TRUE(fs::is_regular_file(two)) << two;
    }

    uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSkin)) {
        if (entry.is_regular_file())
            total += entry.file_size();
    }
    EXPECT_LT(total, 2u * 1024u * 1024u);
}

// ---- pictures -------------------------------------------------------------------------------

class MainWindow : public ui::WindowImplBase {
public:
    ui::CControlUI* CreateControl(const std::wstring& className) override { return m_callback.CreateControl(className); }
    ui::CControlUI* Find(const wchar_t* name) { return GetPaintManager().FindControl(name); }

protected:
    std::wstring GetSkinFile() override { return L"XML_MAIN"; }

private:
    SkinCallback m_callback;
};

// The main window with the four device pages and their list entries and battery controls, put
// together the way the device list does it.
class SkinRender : public ::testing::Test {
protected:
    struct Family {
        const wchar_t* page;
        const wchar_t* iconPart;
        bool battery;
    };
    static constexpr Family kFamilies[] = {
        {L"XML\\DeviceXml\\keyboarddevice.xml", L"kb", false},
        {L"XML\\DeviceXml\\mousedevice.xml", L"ms", true},
        {L"XML\\DeviceXml\\mousepaddevice.xml", L"hard_mp", false},
        {L"XML\\DeviceXml\\hs6533device.xml", L"hd", false},
    };

    void SetUp() override
    {
        ASSERT_TRUE(m_window.Create(m_loop, nullptr, L"VEXLO Dunwake 75 tri-mode", ui::WS_POPUP | ui::WS_VISIBLE, 0,
                                    {0, 0, 1000, 640}));
        m_loop.RunUntilIdle();
        auto& pm = m_window.GetPaintManager();
        m_pages = static_cast<ui::CTabLayoutUI*>(m_window.Find(L"device_switch")->GetInterface(L"TabLayout"));
        m_powers = static_cast<ui::CTabLayoutUI*>(m_window.Find(L"device_power_switch")->GetInterface(L"TabLayout"));
        auto* list = static_cast<ui::CContainerUI*>(m_window.Find(L"device_select_layout")->GetInterface(L"Container"));
        ASSERT_NE(m_pages, nullptr);
        ASSERT_NE(m_powers, nullptr);
        ASSERT_NE(list, nullptr);

        for (const Family& family : kFamilies) {
            ui::CDialogBuilder builder;
            ui::CControlUI* page = builder.Create(family.page, {}, &m_window, &pm);
            ui::CControlUI* entry = builder.Create(L"XML\\CustomControlXML\\DeviceOption.xml", {}, &m_window, &pm);
            ui::CControlUI* power = builder.Create(L"XML\\CustomControlXML\\MpDevicePower.xml", {}, &m_window, &pm);
            ASSERT_TRUE(page && entry && power);
            m_pages->Add(page);
            m_powers->Add(power);
            list->Add(entry);
            auto* device = static_cast<CKestovarUSBDevice*>(page->GetInterface(CKestovarUSBDevice::kClassName));
            device->SetPageLayoutPath(family.page);
            device->SetKeyButtonCount(logicalkey::kCount);
            device->SetLightCount(logicalkey::kCount);
            device->BindPageControls();

            auto* option = static_cast<ui::COptionUI*>(BuiltLayout::FindIn(entry, L"device_select")->GetInterface(L"Option"));
            const std::wstring icons = std::wstring(L"common/device_ico/") + family.iconPart + L"_device_";
            option->SetNormalImage(icons + L"normal.png");
            option->SetSelectedImage(icons + L"selected.png");
            BuiltLayout::FindIn(entry, L"device_select_name")->SetText(std::wstring(family.iconPart) + L"_device_name_text");
            m_entries.push_back(option);

            if (family.battery) {
                BuiltLayout::FindIn(power, L"device_power_Layout")->SetVisible(true);
                BuiltLayout::FindIn(power, L"device_power_value")->SetText(L"85%");
                static_cast<ui::CProgressUI*>(BuiltLayout::FindIn(power, L"device_Power_progress")->GetInterface(L"Progress"))
                    ->SetValue(15);
                BuiltLayout::FindIn(power, L"device_wuxian_logo")->SetVisible(true);
            }
            if (std::wstring(family.iconPart) == L"hard_mp") {
                ui::CControlUI* phone = BuiltLayout::FindIn(power, L"device_phone_type");
                phone->SetVisible(true);
                phone->SetText(L"Phone_type_iphone");
                phone->SetBkImage(L"file='power/Phone_type_iphone.png'");
            }
        }
        m_loop.RunUntilIdle();
    }

    void TearDown() override
    {
        m_window.DestroyWindow();
        m_loop.RunUntilIdle();
    }

    // Shows family i as the device list does when its entry is selected.
    void Show(int i)
    {
        m_window.Find(L"No_device_Link")->SetVisible(false);
        m_entries[static_cast<size_t>(i)]->Selected(true, false);
        m_pages->SelectItem(i, false);
        m_powers->SelectItem(i, false);
        m_window.GetPaintManager().UpdateLayout();
    }

    QImage Save(const std::string& name)
    {
        m_window.GetPaintManager().UpdateLayout();
        const std::string path = (kRenders / name).string();
        EXPECT_TRUE(m_backend.SavePng(m_window.GetHWND(), path)) << path;
        return m_backend.RenderToImage(m_window.GetHWND()).convertToFormat(QImage::Format_ARGB32);
    }

    static size_t ColourCount(const QImage& image)
    {
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        return colours.size();
    }

    ui::headless::CHeadlessBackend m_backend;
    ui::CMessageLoop m_loop{m_backend};
    MainWindow m_window;
    ui::CTabLayoutUI* m_pages = nullptr;
    ui::CTabLayoutUI* m_powers = nullptr;
    std::vector<ui::COptionUI*> m_entries;
};

TEST_F(SkinRender, MainWindowWithoutDevicesShowsTheEmptyState)
{
    for (auto* entry : m_entries)
        entry->GetParent()->SetVisible(false);
    const QImage image = Save("skin_main_nodevice.png");
    ASSERT_EQ(image.width(), 1000);
    ASSERT_EQ(image.height(), 640);
    EXPECT_GT(ColourCount(image), 200u);
    // The accent button of the empty state is drawn where it is laid out.
    const ui::UIRect ok = m_window.Find(L"nodevice_ok_btn")->GetPos();
    const QColor pixel(image.pixel(ok.left + 6, ok.top + ok.GetHeight() / 2));
    EXPECT_LT(std::abs(pixel.red() - 0x19) + std::abs(pixel.green() - 0xC3) + std::abs(pixel.blue() - 0xFF), 24);
}

TEST_F(SkinRender, EachDevicePageRenders)
{
    const char* const names[] = {"skin_keyboard.png", "skin_mouse.png", "skin_mousepad.png", "skin_headset.png"};
    for (int i = 0; i < 4; ++i) {
        Show(i);
        const QImage image = Save(names[i]);
        EXPECT_GT(ColourCount(image), 200u) << names[i];
    }
}

// On a large screen the window is drawn at 144 DPI with the @2x images.
TEST_F(SkinRender, KeyboardPageAtHighDpi)
{
    Show(0);
    m_window.GetPaintManager().SetDPI(144);
    m_window.ResizeClient(1500, 960);
    m_loop.RunUntilIdle();
    const QImage image = Save("skin_keyboard_144dpi.png");
    EXPECT_EQ(image.width(), 1500);
    EXPECT_EQ(image.height(), 960);
    EXPECT_EQ(m_window.GetPaintManager().GetImageScale(L"common/logo.png"), 2);
}

}  // namespace
}  // namespace dw
