// The display a copy of the editor runs on: one editor per user and display.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "platform/desktopsession.h"

using kirel::desktopSessionName;

namespace {

QString x11(const char* display) {
    return desktopSessionName("xcb", display, "wayland-0");
}

TEST(DesktopSession, OneXDisplayHasOneNameWhateverTheScreenOrSpelling) {
    EXPECT_EQ(x11(":0"), x11(":0.0"));
    EXPECT_EQ(x11(":0"), x11(":0.1"));
    EXPECT_EQ(x11(":0"), x11("unix:0"));
    EXPECT_EQ(x11(":0"), "x11-0");
}

TEST(DesktopSession, OtherDisplaysAndRemoteSessionsAreApart) {
    EXPECT_NE(x11(":0"), x11(":1"));
    EXPECT_NE(x11(":1"), x11(":10"));
    // A session forwarded over SSH is not the local display of the same number.
    EXPECT_NE(x11("localhost:10.0"), x11(":10"));
    EXPECT_NE(x11("localhost:10.0"), x11("otherhost:10.0"));
    EXPECT_EQ(x11("localhost:10.0"), x11("localhost:10"));
}

TEST(DesktopSession, WaylandIsKeyedByTheCompositorsSocket) {
    // An X display variable left in a Wayland session does not matter.
    EXPECT_EQ(desktopSessionName("wayland", ":0", "wayland-1"),
              desktopSessionName("wayland", ":5", "wayland-1"));
    EXPECT_NE(desktopSessionName("wayland", ":0", "wayland-1"),
              desktopSessionName("wayland", ":0", "wayland-2"));
    EXPECT_EQ(desktopSessionName("wayland", ":0", ""),
              desktopSessionName("wayland-egl", ":0", "wayland-0"));
    EXPECT_NE(desktopSessionName("wayland", "", "wayland-0"), x11(":0"));
}

TEST(DesktopSession, NameIsAShortFileName) {
    const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9._-]{1,40}$"));
    const QString longPath = "/run/user/1000/" + QString(200, QLatin1Char('w'));
    for (const QString& name :
         {x11("[::1]:3.0"), x11("host/with spaces:2"), desktopSessionName("wayland", "", longPath),
          desktopSessionName("wayland", "", "/run/user/1000/wayland-0"),
          desktopSessionName("offscreen", "", "")}) {
        EXPECT_TRUE(safe.match(name).hasMatch()) << name.toStdString();
    }
    EXPECT_NE(desktopSessionName("wayland", "", longPath),
              desktopSessionName("wayland", "", longPath + "2"));
}

}  // namespace
