// Monitor sizes from Qt's screens, on the offscreen platform.

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "platform/screen/CQtScreenInfo.h"

namespace dw::platform {
namespace {

TEST(QtScreenInfo, NoDisplayWithoutAGuiApplicationThenTheOffscreenMonitor)
{
    CQtScreenInfo screens;
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(screens.PrimaryScreen(), std::nullopt);
    EXPECT_EQ(screens.ScreenNearest(0, 0), std::nullopt);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "platform_screen_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const auto primary = screens.PrimaryScreen();
    ASSERT_TRUE(primary.has_value());
    const QScreen* qtScreen = QGuiApplication::primaryScreen();
    EXPECT_EQ(primary->widthPixels, qRound(qtScreen->geometry().width() * qtScreen->devicePixelRatio()));
    EXPECT_EQ(primary->heightPixels, qRound(qtScreen->geometry().height() * qtScreen->devicePixelRatio()));
    EXPECT_GT(primary->widthPixels, 0);
    EXPECT_GT(primary->widthMm, 0);
    // A point far off every monitor takes the nearest one.
    EXPECT_EQ(screens.ScreenNearest(-100000, 100000), primary);
    EXPECT_EQ(screens.ScreenNearest(10, 10), primary);
}

}  // namespace
}  // namespace dw::platform
