// The real `dunwake` binary, driven as a user would through its automation channel, on an
// emulated keyboard, drawn off-screen, with a private D-Bus session bus and private per-user
// folders: a second start wakes the first and ends at once; the screenshot shows the window; the
// tray's "exit" path ends the process with every worker stopped.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "DunwakeProcess.h"

namespace dw::app::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kStartBound = 20s;  // start-up on a loaded machine
constexpr auto kExitBound = 15s;   // the workers have 1 s each; the rest is slack for the machine

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DunwakeE2ETest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("dw_e2e_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        for (const char* folder : {"run", "data", "config"})
            fs::create_directories(m_root / folder);
        fs::permissions(m_root / "run", fs::perms::owner_all, fs::perm_options::replace);

        const fs::path busSocket = m_root / "bus";
        ASSERT_TRUE(fs::exists("/usr/bin/dbus-daemon")) << "the e2e tests need dbus-daemon (package dbus)";
        m_bus = std::make_unique<ChildProcess>(
            "/usr/bin/dbus-daemon",
            std::vector<std::string>{"--session", "--nofork", "--nopidfile", "--address=unix:path=" + busSocket.string()},
            std::map<std::string, std::string>{}, (m_root / "dbus.log").string());
        ASSERT_TRUE(m_bus->Started());
        for (int i = 0; i < 200 && !fs::exists(busSocket); ++i)
            std::this_thread::sleep_for(25ms);
        ASSERT_TRUE(fs::exists(busSocket)) << ReadFile(m_root / "dbus.log");

        m_env = {
            {"XDG_RUNTIME_DIR", (m_root / "run").string()},
            {"XDG_DATA_HOME", (m_root / "data").string()},
            {"XDG_CONFIG_HOME", (m_root / "config").string()},
            {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + busSocket.string()},
            {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (m_root / "no-system-bus").string()},
            {"QT_QPA_PLATFORM", "offscreen"},
            {"DISPLAY", ""},
            {"WAYLAND_DISPLAY", ""},
            {"DUNWAKE_DEBUG", "1"},
        };
    }

    void TearDown() override
    {
        m_bus.reset();
        if (!HasFailure())
            fs::remove_all(m_root);
        else
            std::cout << "output of the run kept in " << m_root << '\n';
    }

    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& args, const std::string& logName)
    {
        auto process = std::make_unique<ChildProcess>(DUNWAKE_BINARY, args, m_env, (m_root / logName).string());
        EXPECT_TRUE(process->Started());
        return process;
    }

    std::string Log(const std::string& logName) { return ReadFile(m_root / logName); }

    fs::path m_root;
    std::unique_ptr<ChildProcess> m_bus;
    std::map<std::string, std::string> m_env;
};

// Distinct colours of the picture, up to `limit`.
size_t CountColours(const QImage& image, size_t limit)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < limit; y += 3)
        for (int x = 0; x < image.width() && colours.size() < limit; x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

TEST_F(DunwakeE2ETest, SecondStartWakesTheFirstWhichQuitsThroughTheTrayExit)
{
    const fs::path socket = m_root / "automation.sock";
    std::unique_ptr<ChildProcess> first =
        Start({"--headless", "--emulate", "keyboard", "--automation", socket.string()}, "first.log");
    AutomationClient client;
    ASSERT_TRUE(client.Connect(socket.string(), kStartBound)) << Log("first.log");

    // The first device scan shows the window.
    ASSERT_EQ(client.AskUntil("get @window", "visible=1", kStartBound), "ok text= visible=1 enabled=1 selected=0")
        << Log("first.log");

    // The caption's close button hides it to the tray.
    ASSERT_EQ(client.Ask("click closebtn"), "ok") << Log("first.log");
    ASSERT_EQ(client.Ask("get @window"), "ok text= visible=0 enabled=1 selected=0");

    // A second start ends at once with 0 and brings the first back.
    std::unique_ptr<ChildProcess> second = Start({"--headless", "--emulate", "keyboard"}, "second.log");
    EXPECT_EQ(second->WaitExit(kExitBound), 0) << Log("second.log");
    EXPECT_EQ(client.AskUntil("get @window", "visible=1", kStartBound), "ok text= visible=1 enabled=1 selected=0")
        << Log("first.log");

    // A picture of the window as shown now.
    const fs::path picture = m_root / "main window.png";
    ASSERT_EQ(client.Ask("screenshot " + picture.string()), "ok");
    const QImage image(QString::fromStdString(picture.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 800);
    EXPECT_GE(image.height(), 572);
    EXPECT_GE(CountColours(image, 16), 16u) << "the picture is blank";

    // The emulator's controls reach the emulated keyboard.
    EXPECT_EQ(client.Ask("emulate plug keyboard-receiver"), "ok");
    EXPECT_EQ(client.Ask("emulate power keyboard off"), "ok");
    EXPECT_EQ(client.Ask("emulate plug toaster").rfind("error unknown device toaster", 0), 0u);

    // Quit leaves through the tray's "exit": the window closes, every worker stops, the process
    // ends with 0 and the socket goes.
    EXPECT_EQ(client.Ask("quit"), "ok");
    EXPECT_EQ(first->WaitExit(kExitBound), 0) << Log("first.log");
    EXPECT_FALSE(fs::exists(socket));
}

TEST_F(DunwakeE2ETest, CommandLineWithoutADisplay)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string output;  // a part of what the program prints
    };
    const fs::path picture = m_root / "startup.png";
    m_env["QT_QPA_PLATFORM"] = "";
    const std::vector<Case> cases = {
        {{}, 0, "xvfb-run"},
        {{"--help"}, 0, "--automation PATH"},
        {{"--frobnicate"}, 2, "Unknown option"},
        {{"--emulate", "toaster", "--headless"}, 2, "Unknown emulated device \"toaster\""},
        {{"--emulate", "", "--screenshot", picture.string()}, 0, "window shown"},
    };
    int run = 0;
    for (const Case& c : cases) {
        const std::string logName = "run" + std::to_string(run++) + ".log";
        SCOPED_TRACE(logName);
        std::unique_ptr<ChildProcess> process = Start(c.args, logName);
        EXPECT_EQ(process->WaitExit(kExitBound + kStartBound), c.exitCode) << Log(logName);
        EXPECT_NE(Log(logName).find(c.output), std::string::npos) << Log(logName);
    }
    const QImage image(QString::fromStdString(picture.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(CountColours(image, 16), 16u);
}

}  // namespace
}  // namespace dw::app::test
