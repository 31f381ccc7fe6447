// The real `dunwake` binary on emulated devices, driven through its automation channel: devices
// plugged and pulled appear in and leave the device list, with pictures of the list holding one,
// two and no devices kept in the build folder for review.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../app/DunwakeProcess.h"

namespace dw::app::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kStartBound = 20s;
constexpr auto kChangeBound = 10s;
constexpr auto kExitBound = 15s;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DeviceListE2ETest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("dw_devlist_e2e_" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        for (const char* folder : {"run", "data", "config"})
            fs::create_directories(m_root / folder);
        fs::permissions(m_root / "run", fs::perms::owner_all, fs::perm_options::replace);
        m_env = {
            {"XDG_RUNTIME_DIR", (m_root / "run").string()},
            {"XDG_DATA_HOME", (m_root / "data").string()},
            {"XDG_CONFIG_HOME", (m_root / "config").string()},
            // No session bus: the program runs without messages between programs.
            {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (m_root / "no-session-bus").string()},
            {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (m_root / "no-system-bus").string()},
            {"QT_QPA_PLATFORM", "offscreen"},
            {"DISPLAY", ""},
            {"WAYLAND_DISPLAY", ""},
            {"DUNWAKE_DEBUG", "1"},
        };
    }

    void TearDown() override
    {
        if (!HasFailure())
            fs::remove_all(m_root);
        else
            std::cout << "output of the run kept in " << m_root << '\n';
    }

    // Saves the window beside the test binary and checks the picture is a real one.
    QImage Screenshot(AutomationClient& client, const std::string& name)
    {
        const fs::path picture = fs::current_path() / name;
        EXPECT_EQ(client.Ask("screenshot " + picture.string()), "ok");
        QImage image(QString::fromStdString(picture.string()));
        EXPECT_FALSE(image.isNull()) << picture;
        return image;
    }

    fs::path m_root;
    std::map<std::string, std::string> m_env;
};

TEST_F(DeviceListE2ETest, DevicesPluggedAndPulledComeAndGoInTheList)
{
    const fs::path socket = m_root / "automation.sock";
    const std::string log = (m_root / "dunwake.log").string();
    ChildProcess program(DUNWAKE_BINARY, {"--headless", "--emulate", "", "--automation", socket.string()}, m_env, log);
    ASSERT_TRUE(program.Started());
    AutomationClient client;
    ASSERT_TRUE(client.Connect(socket.string(), kStartBound)) << ReadFile(log);
    ASSERT_EQ(client.AskUntil("get @window", "visible=1", kStartBound).rfind("ok", 0), 0u) << ReadFile(log);
    EXPECT_NE(client.Ask("get No_device_Link").find("visible=1"), std::string::npos) << "nothing is plugged in";

    // One device: the overlay goes, the list shows it alone (no synchronised-lighting box).
    ASSERT_EQ(client.Ask("emulate plug mouse"), "ok");
    EXPECT_NE(client.AskUntil("get No_device_Link", "visible=0", kChangeBound).find("visible=0"), std::string::npos)
        << ReadFile(log);
    EXPECT_NE(client.Ask("get synchro_device_select").find("visible=0"), std::string::npos);
    // Its battery, read once its link check has run.
    EXPECT_NE(client.AskUntil("get device_power_value", "text=85%25", kChangeBound).find("text=85%25"), std::string::npos);
    const QImage one = Screenshot(client, "device_list_one_device.png");

    // Two devices: the synchronised-lighting boxes appear.
    ASSERT_EQ(client.Ask("emulate plug mousepad"), "ok");
    EXPECT_NE(client.AskUntil("get synchro_device_select", "visible=1", kChangeBound).find("visible=1"), std::string::npos)
        << ReadFile(log);
    const QImage two = Screenshot(client, "device_list_two_devices.png");
    EXPECT_NE(one, two) << "the second entry shows in the picture";

    // Both pulled: "No_device_Link" again.
    ASSERT_EQ(client.Ask("emulate unplug mouse"), "ok");
    ASSERT_EQ(client.Ask("emulate unplug mousepad"), "ok");
    EXPECT_NE(client.AskUntil("get No_device_Link", "visible=1", kChangeBound).find("visible=1"), std::string::npos)
        << ReadFile(log);
    Screenshot(client, "device_list_no_device.png");

    // The mouse through its receiver, switched off: no entry until it is switched on.
    ASSERT_EQ(client.Ask("emulate power mouse off"), "ok");
    ASSERT_EQ(client.Ask("emulate plug mouse-receiver"), "ok");
    std::this_thread::sleep_for(1500ms);
    EXPECT_NE(client.Ask("get device_select").find("visible=0"), std::string::npos);

    EXPECT_EQ(client.Ask("quit"), "ok");
    EXPECT_EQ(program.WaitExit(kExitBound), 0) << ReadFile(log);
}

}  // namespace
}  // namespace dw::app::test
