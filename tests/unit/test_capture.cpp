#include <gtest/gtest.h>

#include "app/capture.h"

using namespace kirel::capture;
using kirel::isAddress;

TEST(Capture, Addresses) {
    EXPECT_TRUE(isAddress(QStringLiteral("http://example.jp/")));
    EXPECT_TRUE(isAddress(QStringLiteral("https://example.jp/")));
    EXPECT_TRUE(isAddress(QStringLiteral("ftp://example.jp/")));
    EXPECT_TRUE(isAddress(QStringLiteral("file:///tmp/a.htm")));
    EXPECT_FALSE(isAddress(QStringLiteral("HTTP://example.jp/")));  // case-sensitive
    EXPECT_FALSE(isAddress(QStringLiteral("www.example.jp")));
    EXPECT_FALSE(isAddress(QStringLiteral(" http://example.jp/")));
}

TEST(Capture, SnapshotInShiftJisBytes) {
    // 12 full-width characters: 24 bytes, head = first 10 bytes (5 characters).
    const QString text = QStringLiteral("あいうえおかきくけこさし");
    const Snapshot s = snapshotOf(text);
    EXPECT_EQ(s.length, 24);
    EXPECT_EQ(s.head.size(), 10);
    EXPECT_TRUE(isUnchanged(text, s.length, s.head));
    // Same length and head, different tail: still counts as unchanged.
    EXPECT_TRUE(isUnchanged(QStringLiteral("あいうえおXXXXXXXXXXXXXX"), s.length, s.head));
    EXPECT_FALSE(isUnchanged(QStringLiteral("あいうえおかきくけこさ"), s.length, s.head));
    EXPECT_FALSE(isUnchanged(QStringLiteral("かいうえおかきくけこさし"), s.length, s.head));
    // A line break counts as CR LF whichever way the clipboard writes it.
    EXPECT_EQ(snapshotOf(QStringLiteral("a\nb")).length, 4);
    EXPECT_EQ(snapshotOf(QStringLiteral("a\r\nb")).length, 4);
}

TEST(Capture, AddressSnapshotKeepsWholeText) {
    const QString a = QStringLiteral("http://example.jp/thread/12345");
    const Snapshot s = snapshotOf(a);
    EXPECT_EQ(s.head, a.toLatin1());
    EXPECT_FALSE(isUnchanged(QStringLiteral("http://example.jp/thread/12346"), s.length, s.head));
}

TEST(Capture, EmptyHeadNeverMatches) {
    const Snapshot s = snapshotOf(QString());
    EXPECT_EQ(s.length, 0);
    EXPECT_FALSE(isUnchanged(QString(), s.length, s.head));
}

TEST(Capture, HandleName) {
    // 11 bytes with one half-width space.
    const QString name = QStringLiteral("たろう abcd");
    EXPECT_EQ(handleInsertion(name, 20, QStringLiteral(">"), QStringLiteral("さん")),
              QStringLiteral(">たろうabcdさん\n"));
    EXPECT_TRUE(handleInsertion(name, 10, QStringLiteral(">"), QStringLiteral("さん")).isNull());
    EXPECT_FALSE(handleInsertion(name, 11, QStringLiteral(">"), QStringLiteral("さん")).isNull());
    EXPECT_TRUE(handleInsertion(QStringLiteral("a"), 0, QStringLiteral(">"), QString()).isNull());
    // The full-width space is not removed.
    EXPECT_EQ(handleInsertion(QStringLiteral("a　b"), 20, QString(), QString()),
              QStringLiteral("a　b\n"));
}

TEST(Capture, QuoteAppend) {
    EXPECT_EQ(appendQuote(QString(), QStringLiteral("one")), QStringLiteral("one"));
    EXPECT_EQ(appendQuote(QStringLiteral("one"), QStringLiteral("two")),
              QStringLiteral("one\ntwo"));
}
