// The automation commands carried out on a skinned window of the headless backend, and the
// socket channel end to end inside one process: a client thread talks to the socket while the
// test thread runs the UI loop.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QColor>
#include <QImage>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/CAppMessageWindow.h"
#include "app/CAutomationChannel.h"
#include "app/CAutomationExecutor.h"
#include "app/CEmulatorControl.h"
#include "emulator/EmulatorFactory.h"
#include "platform/hid/HidBackend.h"
#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIMessages.h"
#include "ui/core/WindowImplBase.h"

namespace dw::app {
namespace {

using ui::headless::CHeadlessBackend;

// A 400 x 300 window: a row of buttons, an edit, a combo, an option, and a button covered by a
// floating overlay.
constexpr const wchar_t* kSkin = LR"(<Window size="400,300">
  <VerticalLayout name="root" bkcolor="#FF1A1D21">
    <HorizontalLayout height="40">
      <Button name="okbtn" width="80" text="OK" bkcolor="#FF1EB4FF" />
      <Button name="hiddenbtn" width="80" visible="false" />
      <Button name="offbtn" width="80" enabled="false" />
    </HorizontalLayout>
    <HorizontalLayout height="40" visible="false">
      <Button name="innerbtn" width="80" />
    </HorizontalLayout>
    <Edit name="nameedit" height="30" text="old" />
    <Edit name="lockededit" height="30" readonly="true" text="fixed" />
    <Combo name="combo" height="30" itemheight="24">
      <ListLabelElement name="c0" text="Static" />
      <ListLabelElement name="c1" text="Wave" />
      <ListLabelElement name="c2" text="Ripple" enabled="false" />
    </Combo>
    <Option name="opt" height="30" text="Option" selected="true" />
    <Container height="40">
      <Button name="underbtn" />
      <Label name="overlay" float="true" pos="0,0,400,40" bkcolor="#FF202020" mouse="true" />
    </Container>
  </VerticalLayout>
</Window>)";

struct Note {
    std::wstring type;
    std::wstring sender;
};

class AutomationWindow : public ui::WindowImplBase {
public:
    std::vector<Note> notes;
    std::vector<std::wstring> menuCommands;
    std::vector<std::tuple<ui::UINT, ui::WPARAM, ui::LPARAM>> messages;
    // The private messages a test posted (the paint manager's own one left out); the count is
    // read by client threads.
    std::vector<std::tuple<ui::UINT, ui::WPARAM, ui::LPARAM>> privateMessages;
    std::atomic<size_t> privateCount{0};
    // A slow handler, so that an answer given before the handling ends would be seen early.
    std::chrono::milliseconds privateHandlingTime{0};

    void Notify(ui::TNotifyUI& msg) override
    {
        if (msg.sType != ui::notify::kTimer)
            notes.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : L""});
        WindowImplBase::Notify(msg);
    }
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override
    {
        if (msg == ui::WM_MENUCLICK) {
            menuCommands.push_back(*reinterpret_cast<const std::wstring*>(wParam));
            handled = true;
            return 0;
        }
        if (msg >= 0xC000)
            messages.emplace_back(msg, wParam, lParam);
        if (msg >= ui::WM_USER && msg < 0xC000 && msg != ui::CPaintManagerUI::kMsgAsyncNotify) {
            privateMessages.emplace_back(msg, wParam, lParam);
            std::this_thread::sleep_for(privateHandlingTime);
            ++privateCount;
        }
        return WindowImplBase::HandleCustomMessage(msg, wParam, lParam, handled);
    }
    size_t Count(const std::wstring& type, const std::wstring& sender) const
    {
        return static_cast<size_t>(std::count_if(notes.begin(), notes.end(), [&](const Note& n) {
            return n.type == type && n.sender == sender;
        }));
    }

protected:
    std::wstring GetSkinFile() override { return kSkin; }
};

class AutomationExecutorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create(loop, nullptr, L"automation", ui::WS_POPUP | ui::WS_VISIBLE, 0, {100, 100, 500, 400}));
        loop.RunUntilIdle();
        window.GetPaintManager().UpdateLayout();
        window.notes.clear();
    }
    void TearDown() override
    {
        window.DestroyWindow();
        loop.RunUntilIdle();
    }

    std::string Run(const std::string& line)
    {
        AutomationParseResult parsed = ParseAutomationCommand(line);
        if (!parsed.command)
            return FormatError(parsed.error);
        std::string answer = executor.Execute(*parsed.command);
        loop.RunUntilIdle();
        return answer;
    }

    CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    AutomationWindow window;
    std::unique_ptr<CEmulatorControl> emulator;
    CAutomationExecutor executor{loop, window, nullptr};
};

TEST_F(AutomationExecutorTest, ClickGoesThroughTheInputPath)
{
    EXPECT_EQ(Run("click okbtn"), "ok");
    EXPECT_EQ(window.Count(ui::notify::kClick, L"okbtn"), 1u);

    const std::vector<std::pair<std::string, std::string>> refused = {
        {"click nosuchbtn", "error no control nosuchbtn"},
        {"click hiddenbtn", "error hiddenbtn is hidden"},
        {"click innerbtn", "error innerbtn is hidden"},
        {"click offbtn", "error offbtn is disabled"},
        {"click underbtn", "error underbtn is covered by overlay"},
    };
    for (const auto& [line, answer] : refused) {
        SCOPED_TRACE(line);
        EXPECT_EQ(Run(line), answer);
    }
    EXPECT_EQ(window.Count(ui::notify::kClick, L"offbtn") + window.Count(ui::notify::kClick, L"underbtn") +
                  window.Count(ui::notify::kClick, L"hiddenbtn"),
              0u);

    window.ShowWindow(false);
    EXPECT_EQ(Run("click okbtn"), "error the window is hidden");
}

TEST_F(AutomationExecutorTest, SelectChoosesAnItemAsAUserWould)
{
    EXPECT_EQ(Run("select combo 1"), "ok");
    EXPECT_EQ(window.Count(ui::notify::kItemSelect, L"combo"), 1u);
    EXPECT_EQ(Run("get combo"), "ok text=Wave visible=1 enabled=1 selected=0");
    EXPECT_EQ(Run("select combo 2"), "error combo has no selectable item 2");
    EXPECT_EQ(Run("select combo 9"), "error combo has no selectable item 9");
    EXPECT_EQ(Run("select okbtn 0"), "error okbtn is not a combo or a list");
}

TEST_F(AutomationExecutorTest, TypeReplacesTheTextAndLeavesTheField)
{
    EXPECT_EQ(Run("type nameedit Dunwake%20pro \xE4\xB8\xAD"), "ok");
    EXPECT_EQ(Run("get nameedit"), "ok text=Dunwake%20pro%20%E4%B8%AD visible=1 enabled=1 selected=0");
    EXPECT_GE(window.Count(ui::notify::kTextChanged, L"nameedit"), 1u);
    EXPECT_EQ(window.Count(ui::notify::kKillFocus, L"nameedit"), 1u);
    EXPECT_EQ(window.GetPaintManager().GetFocus(), nullptr);

    EXPECT_EQ(Run("type nameedit"), "ok");
    EXPECT_EQ(Run("get nameedit"), "ok text= visible=1 enabled=1 selected=0");

    EXPECT_EQ(Run("type lockededit x"), "error lockededit is read-only");
    EXPECT_EQ(Run("type okbtn x"), "error okbtn is not an edit");
}

TEST_F(AutomationExecutorTest, GetReportsStateAndTheWindow)
{
    EXPECT_EQ(Run("get opt"), "ok text=Option visible=1 enabled=1 selected=1");
    EXPECT_EQ(Run("get hiddenbtn"), "ok text= visible=0 enabled=1 selected=0");
    EXPECT_EQ(Run("get offbtn"), "ok text= visible=1 enabled=0 selected=0");
    EXPECT_EQ(Run("get @window"), "ok text= visible=1 enabled=1 selected=0");
    window.ShowWindow(false);
    EXPECT_EQ(Run("get @window"), "ok text= visible=0 enabled=1 selected=0");
    EXPECT_EQ(Run("get okbtn"), "ok text=OK visible=0 enabled=1 selected=0");
}

TEST_F(AutomationExecutorTest, MessageQuitAndScreenshot)
{
    EXPECT_EQ(Run("message Game_Start 1 -5"), "ok");
    const ui::UINT id = ui::CMessageLoop::RegisterWindowMessage(L"Game_Start");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], std::make_tuple(id, ui::WPARAM{1}, ui::LPARAM{-5}));

    EXPECT_EQ(Run("quit"), "ok");
    EXPECT_EQ(window.menuCommands, std::vector<std::wstring>{L"exit"});

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "dw_automation_shot.png";
    std::filesystem::remove(file);
    EXPECT_EQ(Run("screenshot " + file.string()), "ok");
    const QImage image(QString::fromStdString(file.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(5, 280), QColor(0x1A, 0x1D, 0x21));
    EXPECT_NE(image.pixelColor(20, 20), image.pixelColor(5, 280));
    std::filesystem::remove(file);

    EXPECT_EQ(Run("screenshot /nonexistent-folder/x.png"), "error cannot save the window to /nonexistent-folder/x.png");
    EXPECT_EQ(Run("emulate plug keyboard"), "error not running on emulated devices (start with --emulate)");
}

TEST_F(AutomationExecutorTest, PostQueuesAPrivateMessageForTheMainWindow)
{
    // The message goes through the queue: it is not handled while the command runs.
    const AutomationParseResult parsed = ParseAutomationCommand("post 0x0401 7 -8");
    ASSERT_TRUE(parsed.command.has_value()) << parsed.error;
    EXPECT_EQ(executor.Execute(*parsed.command), "ok");
    EXPECT_TRUE(window.privateMessages.empty());
    loop.RunUntilIdle();
    EXPECT_EQ(window.privateMessages, (std::vector<std::tuple<ui::UINT, ui::WPARAM, ui::LPARAM>>{
                                          {0x0401, 7, -8}}));
    EXPECT_TRUE(AnswerWaitsForQueue(AutomationVerb::Post));
    EXPECT_FALSE(AnswerWaitsForQueue(AutomationVerb::Message));

    // The menu's choice carries the address of a name: typed numbers there would be read as
    // memory, so it is refused and nothing reaches the window.
    EXPECT_EQ(Run("post " + std::to_string(ui::WM_MENUCLICK) + " 1 0"),
              "error message " + std::to_string(ui::WM_MENUCLICK) + " carries an address and cannot be posted");
    EXPECT_TRUE(window.menuCommands.empty());

    // A command built by hand is held to the private range too.
    AutomationCommand outside;
    outside.verb = AutomationVerb::Post;
    outside.messageNumber = ui::WM_LBUTTONDOWN;
    EXPECT_EQ(executor.Execute(outside), "error message number 513 is outside 0x0400..0xBFFF");
    loop.RunUntilIdle();
    EXPECT_EQ(window.privateMessages.size(), 1u);
}

TEST(EmulatorControlTest, ControlsTheEmulatedDevices)
{
    std::string error;
    EXPECT_EQ(CEmulatorControl::Create("keyboard,toaster", error), nullptr);
    EXPECT_NE(error.find("toaster"), std::string::npos);

    // An empty list starts with nothing plugged in.
    std::unique_ptr<CEmulatorControl> emulator = CEmulatorControl::Create("", error);
    ASSERT_NE(emulator, nullptr);
    EXPECT_TRUE(emulator->Backend()->ListNodes().empty());
    EXPECT_EQ(emulator->Unplug("keyboard"), "keyboard is not plugged in");
    EXPECT_EQ(emulator->Notify("keyboard", 0x1001), "keyboard has no connection to notify through");
    EXPECT_EQ(emulator->Plug("keyboard"), "");
    const size_t cableNodes = emulator->Backend()->ListNodes().size();
    EXPECT_GT(cableNodes, 0u);
    EXPECT_EQ(emulator->Plug("keyboard"), "keyboard is already plugged in");
    EXPECT_EQ(emulator->Plug("keyboard-receiver"), "");
    EXPECT_GT(emulator->Backend()->ListNodes().size(), cableNodes);
    EXPECT_EQ(emulator->SetPower("keyboard", false), "");
    EXPECT_EQ(emulator->Notify("keyboard", 0x1001), "");
    EXPECT_EQ(emulator->Unplug("keyboard"), "");
    EXPECT_EQ(emulator->Unplug("keyboard-receiver"), "");
    EXPECT_TRUE(emulator->Backend()->ListNodes().empty());
    EXPECT_NE(emulator->Plug("all").find("unknown device"), std::string::npos);
    EXPECT_EQ(emulator->SetPower("mouse", true), "mouse was never plugged in");
}

// ---- the socket -----------------------------------------------------------------------------

class Client {
public:
    explicit Client(const std::string& path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~Client() { ::close(m_fd); }
    bool Connected() const { return m_connected; }
    void Send(const std::string& data) { ASSERT_EQ(::write(m_fd, data.data(), data.size()), static_cast<ssize_t>(data.size())); }
    // One answer line; empty when the server closed the connection.
    std::string ReadLine()
    {
        for (;;) {
            const size_t newline = m_buffer.find('\n');
            if (newline != std::string::npos) {
                std::string line = m_buffer.substr(0, newline);
                m_buffer.erase(0, newline + 1);
                return line;
            }
            char chunk[512];
            const ssize_t count = ::read(m_fd, chunk, sizeof(chunk));
            if (count <= 0)
                return {};
            m_buffer.append(chunk, static_cast<size_t>(count));
        }
    }

private:
    int m_fd = -1;
    bool m_connected = false;
    std::string m_buffer;
};

TEST_F(AutomationExecutorTest, ChannelServesLinesWithoutBlockingTheUI)
{
    const std::string path = (std::filesystem::temp_directory_path() / ("dw_automation_" + std::to_string(::getpid()))).string();
    CAppMessageWindow mailbox;
    ASSERT_TRUE(mailbox.Create(loop));
    window.privateHandlingTime = std::chrono::milliseconds(200);
    std::vector<std::string> answers;
    {
        CAutomationChannel channel(loop, mailbox, executor, path);
        ASSERT_EQ(channel.Start(), kAutomationOk);

        std::atomic<bool> clientDone{false};
        std::thread client([&] {
            Client c(path);
            if (c.Connected()) {
                c.Send("get okbtn\nclick okbtn\n");
                answers.push_back(c.ReadLine());
                answers.push_back(c.ReadLine());
                c.Send(std::string(5000, 'x') + "\nbogus\n");
                answers.push_back(c.ReadLine());
                answers.push_back(c.ReadLine());
                c.Send("get  \x01\nget opt\n");
                answers.push_back(c.ReadLine());
                answers.push_back(c.ReadLine());
                // The answer to post comes after the window has handled the message.
                c.Send("post 0x0402 3 4\n");
                answers.push_back(c.ReadLine());
                answers.push_back("handled " + std::to_string(window.privateCount.load()));
            }
            clientDone = true;
        });
        // The UI thread keeps running its loop while the reader waits for each answer.
        while (!clientDone) {
            loop.RunUntilIdle();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        client.join();

        // A client that is still connected does not keep the channel from stopping.
        Client idle(path);
        ASSERT_TRUE(idle.Connected());
        idle.Send("get okbtn\n");
        channel.Stop();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(answers, (std::vector<std::string>{
                           "ok text=OK visible=1 enabled=1 selected=0",
                           "ok",
                           "error line too long",
                           "error unknown command bogus",
                           "error control character in command (escape it as %XX in a text)",
                           "ok text=Option visible=1 enabled=1 selected=1",
                           "ok",
                           "handled 1",
                       }));
    EXPECT_EQ(window.Count(ui::notify::kClick, L"okbtn"), 1u);
    mailbox.DestroyWindow();
}

TEST(AutomationServerTest, RefusesToReplaceAnOrdinaryFile)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "dw_automation_plain_file";
    { std::FILE* f = std::fopen(path.c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
    CAutomationServer server(path.string(), [](const std::string&, const std::atomic<bool>&) { return std::string("ok"); });
    EXPECT_EQ(server.Start(), kAutomationBadPath);
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
    CAutomationServer tooLong(std::string(200, 'a'), [](const std::string&, const std::atomic<bool>&) { return std::string(); });
    EXPECT_EQ(tooLong.Start(), kAutomationBadPath);
}

}  // namespace
}  // namespace dw::app
