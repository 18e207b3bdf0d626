#include "platform/Cp932Codec.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> b) {
    QByteArray out;
    for (int x : b) out.append(static_cast<char>(x));
    return out;
}

TEST(Cp932Codec, DecodesTheWindowsMappingsAndKeepsTrailByte5CInsideItsCharacter) {
    // 0x8160 and 0x817C are the forms Windows gives (SHIFT_JIS maps them elsewhere).
    EXPECT_EQ(Cp932Decode(Bytes({0x81, 0x60})), QString(QChar(0xFF5E)));
    EXPECT_EQ(Cp932Decode(Bytes({0x81, 0x7C})), QString(QChar(0xFF0D)));
    EXPECT_EQ(Cp932Decode(Bytes({0x87, 0x40})), QStringLiteral("①"));
    EXPECT_EQ(Cp932Decode(Bytes({0x87, 0x71})), QStringLiteral("㎞"));
    EXPECT_EQ(Cp932Decode(QByteArray("a\\b")), QStringLiteral("a\\b"));
    // "表" is 0x95 0x5C: the second byte is a backslash when read alone.
    EXPECT_EQ(Cp932Decode(Bytes({0x95, 0x5C, 0x5C})), QStringLiteral("表\\"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("表示")), Bytes({0x95, 0x5C, 0x8E, 0xA6}));
}

TEST(Cp932Codec, InvalidBytesBecomeReplacementCharactersAndKatakanaRoundTrips) {
    EXPECT_EQ(Cp932Decode(Bytes({'A', 0x81})), QStringLiteral("A\uFFFD"));
    EXPECT_EQ(Cp932Decode(Bytes({0xFD, 'B'})), QStringLiteral("\uFFFDB"));
    EXPECT_EQ(Cp932Decode(QByteArray()), QString());
    const QString s = QStringLiteral("ｱｲｳ漢字かな");
    EXPECT_EQ(Cp932Decode(Cp932Encode(s)), s);
    for (auto [b, lead] : {std::pair{0x81, true}, {0xFC, true}, {0xA0, false}, {0x80, false}})
        EXPECT_EQ(Cp932IsLeadByte(static_cast<unsigned char>(b)), lead) << b;
}

TEST(Cp932Codec, EncodesMinusAndWaveDashAsFullWidthAndTheUnmappableAsQuestionMarks) {
    EXPECT_EQ(Cp932Encode(QString(QChar(0x2212))), Bytes({0x81, 0x7C}));
    EXPECT_EQ(Cp932Encode(QString(QChar(0x301C))), Bytes({0x81, 0x60}));
    EXPECT_EQ(Cp932Encode(QStringLiteral("～－")), Bytes({0x81, 0x60, 0x81, 0x7C}));
    // The write goes on after a character without a code.
    EXPECT_EQ(Cp932Encode(QStringLiteral("a\u00E9b")), QByteArray("a?b"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("東京")), Bytes({0x93, 0x8C, 0x8B, 0x9E}));
}

} // namespace
