// The request a second start sends the running editor: the launcher's
// activation token gets through, and nothing a token holds can turn the line
// into something else.
#include <gtest/gtest.h>

#include "platform/activationrequest.h"

using kirel::activationRequest;
using kirel::activationToken;

namespace {

// What the running editor reads from the line a second start sends.
std::optional<QString> handedOver(const QString& token) {
    QByteArray line = activationRequest(token);
    EXPECT_TRUE(line.endsWith('\n'));
    EXPECT_EQ(line.count('\n'), 1) << line.constData();
    line.chop(1);
    return activationToken(line);
}

TEST(ActivationRequest, TheLaunchersTokenReachesTheRunningEditor) {
    // Tokens as compositors and launchers make them.
    for (const char* token : {"a0b1c2d3-e4f5-4789-9abc-def012345678", "kwin-42",
                              "gnome-shell/Terminal/2185-4-host_TIME123456"}) {
        EXPECT_EQ(handedOver(QString::fromLatin1(token)), QString::fromLatin1(token));
    }
    // Started without a token: still a request, without one.
    EXPECT_EQ(activationRequest(QString()), QByteArray("activate\n"));
    EXPECT_EQ(handedOver(QString()), QString());
}

TEST(ActivationRequest, ATokenThatCannotBePassedOnSafelyIsLeftOut) {
    // Line breaks would make a second request, blanks and control characters
    // have no place in the environment or the compositor's protocol.
    for (const QString& token : {QStringLiteral("tok\nactivate other"), QStringLiteral("two words"),
                                 QStringLiteral("tab\there"), QStringLiteral("bell\a"),
                                 QStringLiteral("トークン"), QString(513, QLatin1Char('x'))}) {
        EXPECT_EQ(handedOver(token), QString()) << qPrintable(token);
    }
    EXPECT_EQ(handedOver(QString(512, QLatin1Char('x'))), QString(512, QLatin1Char('x')));
}

TEST(ActivationRequest, OnlyARequestLineIsTakenAsOne) {
    for (const char* line : {"", "activated", "ACTIVATE", "activate\r", " activate", "xactivate",
                             "activatetoken", "quit"}) {
        EXPECT_EQ(activationToken(QByteArray(line)), std::nullopt) << line;
    }
    // A request whose token is not passable still brings the window forward.
    EXPECT_EQ(activationToken("activate "), QString());
    EXPECT_EQ(activationToken("activate a b"), QString());
    EXPECT_EQ(activationToken(QByteArray("activate \x01", 10)), QString());
}

}  // namespace
