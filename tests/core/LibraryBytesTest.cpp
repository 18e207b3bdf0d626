#include "core/LibraryBytes.h"

#include <gtest/gtest.h>

using namespace Library;

TEST(LibraryBytes, BytesAndTexts) {
    EXPECT_EQ(BytesToStr(QByteArray("\0abc", 4)), "");
    EXPECT_EQ(BytesToStr(QByteArray("\xe9\x82")), QString(QChar(0xe9)) + QChar(0x82)); // one character per byte
    EXPECT_EQ(BytesToStr(QStringLiteral("表")), QStringLiteral("表"));
    EXPECT_EQ(StrToBytes(QString()), QByteArray(1, '\0'));
    EXPECT_EQ(StrToBytes(QStringLiteral("表a")), QByteArray("\x95\x5c" "a"));
    EXPECT_EQ(StrToBytes(QByteArray("\0x", 2)), QByteArray("\0x", 2));
}
