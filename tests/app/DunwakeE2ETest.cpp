// The real `dunwake` binary, driven as a user would through its automation channel, on an
// emulated keyboard, drawn off-screen, with a private D-Bus session bus and private per-user
// folders: a second start wakes the first and ends at once; the screenshot shows the window; the
// tray's "exit" path ends the process with every worker stopped; the language switches back and
// forth through the main window's language message, with a picture in each language.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <filesystem>
#include <fstream>
#include <chrono>
#include <set>
#include <thread>
#include <sstream>
#include <string_view>

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

    // Every arrival, and the end of the first scan, bring the window to the front; let the
    // messages of the first scan run out before hiding it.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));

    // The caption's close button hides it to the tray.
    ASSERT_EQ(client.Ask("click closebtn"), "ok") << Log("first.log");
    ASSERT_EQ(client.Ask("get @window"), "ok text= visible=0 enabled=1 selected=0");
    // It stays hidden while the start-up work that follows the first scan runs.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(client.Ask("get @window"), "ok text= visible=0 enabled=1 selected=0") << Log("first.log");

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

// ---- languages ---------------------------------------------------------------------------------

// The main window applies the language at wParam of the language list when it gets this message.
constexpr int kMsgLanguageChosen = 3089;
// A label of the main window that shows a language text, and the key of its text.
constexpr const char* kLabelName = "device_list_title";
constexpr const char* kLabelTextKey = "device_list_title_text";

struct Language {
    std::string file;  // the text file in the skin folder
    qint64 id = 0;     // the number kept in the "LANGUAGE" setting
};

std::vector<Language> ReadLanguageList()
{
    QFile file(QString::fromUtf8(DW_RESOURCES_DIR "/DefaultData/Language.config"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<Language> list;
    for (const QJsonValue& entry : QJsonDocument::fromJson(file.readAll()).object().value("Language").toArray()) {
        const QJsonObject object = entry.toObject();
        list.push_back({object.value("Language_file").toString().toStdString(),
                        object.value("Language_ID").toInteger(-1)});
    }
    return list;
}

// The value of `key` in a language's text file; empty when it has none.
std::string ReadLanguageText(const std::string& fileName, const char* key)
{
    QFile file(QString::fromStdString(std::string(DW_RESOURCES_DIR "/skin/") + fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("Text") &&
            xml.attributes().value("key") == QString::fromUtf8(key))
            return xml.attributes().value("value").toString().toStdString();
    }
    return {};
}

// The decoded text of a "get" answer ("ok text=<percent-encoded> visible=..."); nullopt for
// another answer.
std::optional<std::string> TextOfGetAnswer(const std::string& answer)
{
    constexpr std::string_view kPrefix = "ok text=";
    if (answer.rfind(kPrefix, 0) != 0)
        return std::nullopt;
    const size_t end = answer.find(' ', kPrefix.size());
    const std::string encoded = answer.substr(kPrefix.size(), end == std::string::npos ? end : end - kPrefix.size());
    return QByteArray::fromPercentEncoding(QByteArray::fromStdString(encoded)).toStdString();
}

// The stored "LANGUAGE" setting of the per-user settings document; -1 when there is none.
qint64 StoredLanguageId(const fs::path& configHome)
{
    QFile file(QString::fromStdString((configHome / "VEXLO Dunwake 75 tri-mode" / "registry.json").string()));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return QJsonDocument::fromJson(file.readAll())
        .object()
        .value("SOFTWARE\\VEXLO Dunwake 75 tri-mode")
        .toObject()
        .value("LANGUAGE")
        .toInteger(-1);
}

TEST_F(DunwakeE2ETest, LanguageSwitchesThroughTheRunningProgram)
{
    const std::vector<Language> languages = ReadLanguageList();
    ASSERT_GE(languages.size(), 2u) << "the language list names English and Simplified Chinese";

    struct Step {
        int index;            // in the language list
        std::string picture;  // kept in the build folder
    };
    const std::vector<Step> steps = {
        {1, "main-window-zh.png"},
        {0, "main-window-en.png"},
    };

    const fs::path socket = m_root / "automation.sock";
    std::unique_ptr<ChildProcess> program =
        Start({"--headless", "--emulate", "keyboard", "--automation", socket.string()}, "program.log");
    AutomationClient client;
    ASSERT_TRUE(client.Connect(socket.string(), kStartBound)) << Log("program.log");
    ASSERT_EQ(client.AskUntil("get @window", "visible=1", kStartBound), "ok text= visible=1 enabled=1 selected=0")
        << Log("program.log");

    std::vector<QImage> pictures;
    std::set<std::string> labelTexts;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.picture);
        const Language& language = languages[static_cast<size_t>(step.index)];
        const std::string expected = ReadLanguageText(language.file, kLabelTextKey);
        ASSERT_FALSE(expected.empty()) << language.file << " has no text " << kLabelTextKey;
        labelTexts.insert(expected);

        // The answer comes once the main window has handled the message.
        ASSERT_EQ(client.Ask("post " + std::to_string(kMsgLanguageChosen) + " " + std::to_string(step.index) + " 0"),
                  "ok")
            << Log("program.log");
        const std::string answer = client.Ask(std::string("get ") + kLabelName);
        EXPECT_EQ(TextOfGetAnswer(answer), expected) << answer;
        EXPECT_EQ(StoredLanguageId(m_root / "config"), language.id) << "the choice was not kept";

        const fs::path picture = fs::path(DW_PICTURES_DIR) / step.picture;
        fs::remove(picture);
        ASSERT_EQ(client.Ask("screenshot " + picture.string()), "ok");
        QImage image(QString::fromStdString(picture.string()));
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(CountColours(image, 16), 16u) << "the picture is blank";
        pictures.push_back(std::move(image));
    }
    EXPECT_EQ(labelTexts.size(), steps.size()) << "the languages share the label's text; pick another label";
    EXPECT_NE(pictures.front(), pictures.back()) << "the window looks the same in both languages";

    EXPECT_EQ(client.Ask("quit"), "ok");
    EXPECT_EQ(program->WaitExit(kExitBound), 0) << Log("program.log");
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
