// Suspend and resume: logind's PrepareForSleep played on a private bus, and the mapping to the
// window library's power broadcasts.

#include <QDBusConnection>
#include <QDBusMessage>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "PrivateDBus.h"
#include "platform/power/CLogindPowerEvents.h"
#include "platform/power/CManualPowerEvents.h"
#include "ui/core/UIMessages.h"

namespace dw::platform {
namespace {

using test::CPrivateDBus;
using test::EnsureCoreApplication;
using test::PumpUntil;

struct Broadcast {
    ui::UINT msg;
    ui::WPARAM event;
    friend bool operator==(const Broadcast&, const Broadcast&) = default;
};

QDBusMessage PrepareForSleep(bool starting)
{
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"));
    signal << starting;
    return signal;
}

TEST(PowerBroadcast, SleepAnnouncementMapsToSuspendAndResume)
{
    EXPECT_EQ(PowerBroadcastForSleep(true), ui::PBT_APMSUSPEND);
    EXPECT_EQ(PowerBroadcastForSleep(false), ui::PBT_APMRESUMEAUTOMATIC);

    CManualPowerEvents events;
    std::vector<Broadcast> seen;
    events.SetHandler([&](ui::UINT msg, ui::WPARAM event) { seen.push_back({msg, event}); });
    events.AnnounceSleep(true);
    events.AnnounceSleep(false);
    EXPECT_EQ(seen, (std::vector<Broadcast>{{ui::WM_POWERBROADCAST, ui::PBT_APMSUSPEND}, {ui::WM_POWERBROADCAST, ui::PBT_APMRESUMEAUTOMATIC}}));
}

// Waits for the bus to answer a call; the bus has then routed everything sent before it.
void RoundTrip(QDBusConnection& connection)
{
    connection.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
}

class LogindPowerEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        ASSERT_TRUE(daemon.Start()) << daemon.Error();
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
        QDBusConnection::disconnectFromBus(QStringLiteral("impostor"));
    }
    QDBusConnection Connect(const QString& name)
    {
        QDBusConnection c = QDBusConnection::connectToBus(QString::fromStdString(daemon.Address()), name);
        EXPECT_TRUE(c.isConnected());
        return c;
    }

    CPrivateDBus daemon;
};

TEST_F(LogindPowerEventsTest, PrepareForSleepFromLogindBecomesPowerBroadcasts)
{
    QDBusConnection logind = Connect(QStringLiteral("logind"));
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    QDBusConnection impostor = Connect(QStringLiteral("impostor"));

    auto events = CLogindPowerEvents::ConnectToAddress(daemon.Address());
    ASSERT_TRUE(events->IsConnected());
    std::vector<Broadcast> seen;
    events->SetHandler([&](ui::UINT msg, ui::WPARAM event) { seen.push_back({msg, event}); });

    const Broadcast suspend{ui::WM_POWERBROADCAST, ui::PBT_APMSUSPEND};
    const Broadcast resume{ui::WM_POWERBROADCAST, ui::PBT_APMRESUMEAUTOMATIC};

    // Subscribing takes a round trip to the bus; until it is in place logind's signals are not
    // seen. Logind announces sleep until one arrives.
    ASSERT_TRUE(PumpUntil([&] {
        logind.send(PrepareForSleep(true));
        return !seen.empty();
    }));
    // Each blocking call returns once the bus has routed everything its caller sent before, so
    // what reaches us is ordered: logind's announcements, the impostor's resume, logind's
    // resume, logind's last announcement.
    RoundTrip(logind);
    ASSERT_TRUE(impostor.send(PrepareForSleep(false)));
    RoundTrip(impostor);
    ASSERT_TRUE(logind.send(PrepareForSleep(false)));
    ASSERT_TRUE(logind.send(PrepareForSleep(true)));
    ASSERT_TRUE(PumpUntil([&] {
        const auto firstResume = std::find(seen.begin(), seen.end(), resume);
        return firstResume != seen.end() && std::find(firstResume, seen.end(), suspend) != seen.end();
    }));

    // Exactly one resume: logind's. A program that is not logind cannot fake one.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), resume), 1);
    EXPECT_EQ(seen.back(), suspend);
}

TEST_F(LogindPowerEventsTest, WithoutABusNothingIsReported)
{
    for (const char* address : {"", "unix:path=/nonexistent/dunwake/system_bus_socket"}) {
        SCOPED_TRACE(address);
        auto events = CLogindPowerEvents::ConnectToAddress(address);
        EXPECT_FALSE(events->IsConnected());
        events->SetHandler([](ui::UINT, ui::WPARAM) { ADD_FAILURE() << "no event expected"; });
    }
}

}  // namespace
}  // namespace dw::platform
