// The program message bus: the behaviour both buses share (the D-Bus one on a private daemon
// and the in-process double), then what only the D-Bus one does.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

#include "PrivateDBus.h"
#include "platform/ipc/CDBusProgramMessageBus.h"
#include "platform/ipc/CLocalProgramMessageBus.h"
#include "platform/ipc/CLocalProgramMessageHub.h"
#include "platform/ipc/DBusAddress.h"
#include "platform/ipc/DBusNames.h"
#include "ui/core/CMessageLoop.h"

namespace dw::platform {
namespace {

using test::CPrivateDBus;
using test::EnsureCoreApplication;
using test::PumpUntil;

constexpr wchar_t kTitle[] = L"VEXLO Dunwake 75 tri-mode";
constexpr wchar_t kLightingHandOver[] = L"{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";

struct Received {
    ui::UINT id;
    ui::WPARAM wParam;
    ui::LPARAM lParam;
};

struct ReceivedBlock {
    uintptr_t dwData;
    std::vector<uint8_t> bytes;
};

// One program's bus with what reached it.
struct Program {
    std::unique_ptr<IProgramMessageBus> bus;
    std::vector<Received> messages;
    std::vector<ReceivedBlock> blocks;

    explicit Program(std::unique_ptr<IProgramMessageBus> b) : bus(std::move(b))
    {
        bus->SetMessageHandler([this](ui::UINT id, ui::WPARAM w, ui::LPARAM l) { messages.push_back({id, w, l}); });
        bus->SetCopyDataHandler([this](uintptr_t dwData, std::vector<uint8_t> bytes) { blocks.push_back({dwData, std::move(bytes)}); });
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
};

struct LocalWorld {
    CLocalProgramMessageHub hub;
    bool Ready(std::string&) { return true; }
    std::unique_ptr<IProgramMessageBus> NewBus() { return std::make_unique<CLocalProgramMessageBus>(&hub); }
    // Delivery is immediate: the condition either holds already or never will.
    bool Pump(const std::function<bool()>& done) { return done(); }
};

struct DBusWorld {
    CPrivateDBus daemon;
    bool Ready(std::string& why)
    {
        EnsureCoreApplication();
        if (!daemon.Start()) {
            why = daemon.Error();
            return false;
        }
        return true;
    }
    std::unique_ptr<IProgramMessageBus> NewBus() { return CDBusProgramMessageBus::ConnectToAddress(daemon.Address()); }
    bool Pump(const std::function<bool()>& done) { return PumpUntil(done); }
};

template <class World>
class ProgramMessageBusContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        ASSERT_TRUE(world.Ready(why)) << why;
    }
    // Returned as a prvalue: a Program never moves, as its handlers point into it.
    Program NewProgram() { return Program(world.NewBus()); }

    World world;
};

using Worlds = ::testing::Types<LocalWorld, DBusWorld>;
TYPED_TEST_SUITE(ProgramMessageBusContract, Worlds);

TYPED_TEST(ProgramMessageBusContract, BroadcastReachesOtherProgramUnderItsOwnNumberAndNotTheSender)
{
    struct Case {
        ui::WPARAM wParam;
        ui::LPARAM lParam;
    };
    const Case cases[] = {{0, 1}, {2, -1}, {UINTPTR_MAX, INTPTR_MIN}, {0x1234567890ABCDEFull, INTPTR_MAX}};
    Program first = this->NewProgram();
    Program second = this->NewProgram();
    ASSERT_TRUE(first.bus->IsConnected());
    ASSERT_TRUE(second.bus->IsConnected());
    first.bus->Listen(kTitle);
    first.bus->Listen(kLightingHandOver);
    second.bus->Listen(kTitle);
    const ui::UINT titleId = ui::CMessageLoop::RegisterWindowMessage(kTitle);

    for (const Case& c : cases)
        EXPECT_EQ(first.bus->Broadcast(kTitle, c.wParam, c.lParam), kIpcOk);
    ASSERT_TRUE(this->world.Pump([&] { return second.messages.size() == std::size(cases); }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(second.messages[i].id, titleId);
        EXPECT_EQ(second.messages[i].wParam, cases[i].wParam);
        EXPECT_EQ(second.messages[i].lParam, cases[i].lParam);
    }

    // An answer sent after the broadcasts arrived reaches the sender after its own broadcasts
    // would have: so once it is there, none of those came back.
    EXPECT_EQ(second.bus->Broadcast(kLightingHandOver, 1, 1), kIpcOk);
    ASSERT_TRUE(this->world.Pump([&] { return !first.messages.empty(); }));
    ASSERT_EQ(first.messages.size(), 1u);
    EXPECT_EQ(first.messages[0].id, ui::CMessageLoop::RegisterWindowMessage(kLightingHandOver));
}

TYPED_TEST(ProgramMessageBusContract, OnlyListenedNamesArriveWhateverTheirCase)
{
    Program sender = this->NewProgram();
    Program receiver = this->NewProgram();
    receiver.bus->Listen(L"Game_Start");

    EXPECT_EQ(sender.bus->Broadcast(L"Game_Unheard_Name", 5, 5), kIpcOk);
    EXPECT_EQ(sender.bus->Broadcast(L"GAME_START", 7, 8), kIpcOk);
    ASSERT_TRUE(this->world.Pump([&] { return !receiver.messages.empty(); }));
    ASSERT_EQ(receiver.messages.size(), 1u);
    EXPECT_EQ(receiver.messages[0].id, ui::CMessageLoop::RegisterWindowMessage(L"game_start"));
    EXPECT_EQ(receiver.messages[0].wParam, 7u);
}

TYPED_TEST(ProgramMessageBusContract, InvalidMessageNamesAreRefused)
{
    Program sender = this->NewProgram();
    EXPECT_EQ(sender.bus->Broadcast(L"", 0, 0), kIpcBadArgument);
    EXPECT_EQ(sender.bus->Broadcast(std::wstring(kMaxMessageNameChars + 1, L'x'), 0, 0), kIpcBadArgument);
}

TYPED_TEST(ProgramMessageBusContract, BlocksReachTheProgramHoldingTheNameUpToTheBound)
{
    Program sender = this->NewProgram();
    Program capture = this->NewProgram();
    ASSERT_TRUE(capture.bus->ClaimProgramName(std::string(kAudioCaptureProgramName)));

    std::vector<uint8_t> colour(40, 0);
    colour[0] = 0xFF;
    colour[4] = 1;
    const std::vector<uint8_t> largest(kMaxCopyDataBytes, 0x5A);
    const std::vector<uint8_t> tooLarge(kMaxCopyDataBytes + 1, 0x5A);

    EXPECT_EQ(sender.bus->SendCopyData(std::string(kAudioCaptureProgramName), 10, colour), kIpcOk);
    EXPECT_EQ(sender.bus->SendCopyData(std::string(kAudioCaptureProgramName), 11, tooLarge), kIpcBadArgument);
    EXPECT_EQ(sender.bus->SendCopyData(std::string(kAudioCaptureProgramName), 12, largest), kIpcOk);
    // A program that is not running is not the sender's error.
    EXPECT_EQ(sender.bus->SendCopyData("org.dunwake.NobodyHere", 1, colour), kIpcOk);

    ASSERT_TRUE(this->world.Pump([&] { return capture.blocks.size() == 2; }));
    EXPECT_EQ(capture.blocks[0].dwData, 10u);
    EXPECT_EQ(capture.blocks[0].bytes, colour);
    EXPECT_EQ(capture.blocks[1].dwData, 12u);
    EXPECT_EQ(capture.blocks[1].bytes, largest);
    EXPECT_TRUE(sender.blocks.empty());
}

TYPED_TEST(ProgramMessageBusContract, AProgramNameHasOneHolder)
{
    Program first = this->NewProgram();
    Program second = this->NewProgram();
    EXPECT_TRUE(first.bus->ClaimProgramName(std::string(kMainProgramName)));
    EXPECT_FALSE(second.bus->ClaimProgramName(std::string(kMainProgramName)));
}

// What only the D-Bus bus does: foreign senders, flushing, fallback without a bus.
class DBusProgramMessageBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        ASSERT_TRUE(daemon.Start()) << daemon.Error();
    }
    // A connection that is not one of our buses: another program, or a misbehaving one.
    QDBusConnection Foreign()
    {
        QDBusConnection c = QDBusConnection::connectToBus(QString::fromStdString(daemon.Address()), QStringLiteral("foreign"));
        EXPECT_TRUE(c.isConnected());
        return c;
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(QStringLiteral("foreign")); }

    CPrivateDBus daemon;
};

TEST_F(DBusProgramMessageBusTest, SecondInstanceWakesTheFirstAndMayEndAtOnce)
{
    Program first(CDBusProgramMessageBus::ConnectToAddress(daemon.Address()));
    first.bus->Listen(kTitle);
    {
        auto second = CDBusProgramMessageBus::ConnectToAddress(daemon.Address());
        ASSERT_EQ(second->Broadcast(kTitle, 0, 1), kIpcOk);
        EXPECT_TRUE(second->Flush(5000));
    }
    ASSERT_TRUE(PumpUntil([&] { return !first.messages.empty(); }));
    EXPECT_EQ(first.messages[0].id, ui::CMessageLoop::RegisterWindowMessage(kTitle));
    EXPECT_EQ(first.messages[0].wParam, 0u);
    EXPECT_EQ(first.messages[0].lParam, 1);
}

TEST_F(DBusProgramMessageBusTest, ReceiverRefusesBlocksItCannotTake)
{
    struct Case {
        const char* name;
        size_t size;
        bool withHandler;
        const char* expectedError;
    };
    const Case cases[] = {
        {"oversized block", kMaxCopyDataBytes + 1, true, kDBusErrorTooLarge},
        {"nobody takes blocks", 16, false, kDBusErrorNotHandled},
    };
    QDBusConnection foreign = Foreign();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bus = CDBusProgramMessageBus::ConnectToAddress(daemon.Address());
        int delivered = 0;
        if (c.withHandler)
            bus->SetCopyDataHandler([&](uintptr_t, std::vector<uint8_t>) { ++delivered; });
        QDBusMessage call = QDBusMessage::createMethodCall(QString::fromStdString(static_cast<CDBusProgramMessageBus&>(*bus).UniqueName()),
            QString::fromLatin1(kDBusObjectPath), QString::fromLatin1(kDBusInterface), QString::fromLatin1(kDBusCopyDataMethod));
        call << static_cast<qulonglong>(1) << QByteArray(static_cast<qsizetype>(c.size), 'x');
        QDBusPendingCall pending = foreign.asyncCall(call);
        ASSERT_TRUE(PumpUntil([&] { return pending.isFinished(); }));
        EXPECT_TRUE(pending.isError());
        EXPECT_EQ(pending.error().name().toStdString(), c.expectedError);
        EXPECT_EQ(delivered, 0);
    }
}

TEST_F(DBusProgramMessageBusTest, MalformedSignalsAreIgnored)
{
    Program receiver(CDBusProgramMessageBus::ConnectToAddress(daemon.Address()));
    receiver.bus->Listen(kTitle);
    QDBusConnection foreign = Foreign();
    const auto signal = [] {
        return QDBusMessage::createSignal(QString::fromLatin1(kDBusObjectPath), QString::fromLatin1(kDBusInterface),
            QString::fromLatin1(kDBusRegisteredMessageSignal));
    };
    QDBusMessage nameOnly = signal();
    nameOnly << QString::fromStdWString(kTitle);
    QDBusMessage wrongTypes = signal();
    wrongTypes << QString::fromStdWString(kTitle) << QString("0") << QString("1");
    QDBusMessage overlongName = signal();
    overlongName << QString(static_cast<qsizetype>(kMaxMessageNameChars + 1), 'V') << qulonglong(0) << qlonglong(1);
    QDBusMessage good = signal();
    good << QString::fromStdWString(kTitle) << qulonglong(3) << qlonglong(4);
    for (const QDBusMessage& m : {nameOnly, wrongTypes, overlongName, good})
        ASSERT_TRUE(foreign.send(m));

    // Signals of one sender arrive in order: the good one last.
    ASSERT_TRUE(PumpUntil([&] { return !receiver.messages.empty(); }));
    ASSERT_EQ(receiver.messages.size(), 1u);
    EXPECT_EQ(receiver.messages[0].wParam, 3u);
    EXPECT_EQ(receiver.messages[0].lParam, 4);
}

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value == nullptr)
            unsetenv(name);
        else
            setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(DBusProgramMessageBusFallback, WithoutABusEverythingAnswersNotSent)
{
    EnsureCoreApplication();
    ScopedEnv noSession("DBUS_SESSION_BUS_ADDRESS", nullptr);
    ScopedEnv noRuntime("XDG_RUNTIME_DIR", nullptr);
    std::vector<std::pair<const char*, std::unique_ptr<CDBusProgramMessageBus>>> buses;
    buses.emplace_back("no session bus in the environment", CDBusProgramMessageBus::ConnectToSessionBus());
    buses.emplace_back("no address", CDBusProgramMessageBus::ConnectToAddress(""));
    buses.emplace_back("nothing listening", CDBusProgramMessageBus::ConnectToAddress("unix:path=/nonexistent/dunwake/bus"));
    const std::vector<uint8_t> block(8, 1);
    for (auto& [what, bus] : buses) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(bus->IsConnected());
        bus->Listen(kTitle);
        bus->SetMessageHandler([](ui::UINT, ui::WPARAM, ui::LPARAM) {});
        EXPECT_EQ(bus->Broadcast(kTitle, 0, 1), kIpcNotSent);
        EXPECT_EQ(bus->SendCopyData(std::string(kAudioCaptureProgramName), 1, block), kIpcNotSent);
        EXPECT_FALSE(bus->ClaimProgramName(std::string(kMainProgramName)));
        EXPECT_FALSE(bus->Flush(100));
    }
}

TEST(LocalProgramMessageBus, WithoutAHubNothingIsSent)
{
    CLocalProgramMessageBus bus(nullptr);
    const std::vector<uint8_t> block(8, 1);
    EXPECT_FALSE(bus.IsConnected());
    EXPECT_EQ(bus.Broadcast(kTitle, 0, 1), kIpcNotSent);
    EXPECT_EQ(bus.SendCopyData(std::string(kAudioCaptureProgramName), 1, block), kIpcNotSent);
    EXPECT_FALSE(bus.ClaimProgramName(std::string(kMainProgramName)));
}

TEST(SessionBusAddress, ChosenFromTheEnvironment)
{
    struct Case {
        const char* what;
        const char* sessionAddress;
        const char* runtimeDir;
        bool socketExists;
        std::string expected;
    };
    const Case cases[] = {
        {"explicit address wins", "unix:path=/tmp/x", "/run/user/1000", true, "unix:path=/tmp/x"},
        {"user bus socket", nullptr, "/run/user/1000", true, "unix:path=/run/user/1000/bus"},
        {"empty address falls through", "", "/run/user/1000/", true, "unix:path=/run/user/1000/bus"},
        {"no socket there", nullptr, "/run/user/1000", false, ""},
        {"relative runtime folder", nullptr, "run/user", true, ""},
        {"nothing set", nullptr, nullptr, true, ""},
        {"escaped path", nullptr, "/run/a b;c", true, "unix:path=/run/a%20b%3bc/bus"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SessionBusAddressFrom(c.sessionAddress, c.runtimeDir, [&](const std::string&) { return c.socketExists; }), c.expected);
    }
}

}  // namespace
}  // namespace dw::platform
