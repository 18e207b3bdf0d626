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

// The table agrees with the encoder on every character of the BMP.
TEST(Cp932Codec, EncodableIsWhatTheEncoderWrites) {
    int encodable = 0;
    for (char32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u < 0xE000) {
            EXPECT_FALSE(Cp932CanEncode(u));
            continue;
        }
        const QString c(QChar(static_cast<char16_t>(u)));
        const bool written = u == U'?' || Cp932Encode(c) != QByteArray("?");
        if (Cp932CanEncode(u) != written) ADD_FAILURE() << std::hex << uint32_t(u);
        encodable += written;
    }
    // Python's cp932 table holds 9,408 characters of the BMP; iconv lacks
    // its single bytes U+0080 and U+F8F0..F8F3 and adds U+00A5, U+2014 and
    // U+203E.
    EXPECT_EQ(encodable, 9406);
    EXPECT_FALSE(Cp932CanEncode(U'\U0001F600'));
}

TEST(Cp932Codec, BestFitDropsMarksAndFoldsTheUndecomposedLetters) {
    const struct {
        const char* name;
        QString in, out;
    } cases[] = {
        {"circumflex", "Côte d'Ivoire", "Cote d'Ivoire"},
        {"umlaut", "Türkiye", "Turkiye"},
        {"slashed and stroked", "Øresund ø Łódź ł", "Oresund o Lodz l"},
        {"d with stroke", "Đakovo đ", "Dakovo d"},
        {"sharp s", "Straße \u1E9E", "Strasse SS"},
        {"ligatures", "Ærø æ Œuvre œil", "AEro ae OEuvre oeil"},
        {"caron and ogonek", "ǎŠą", "aSa"},
        {"already decomposed", "e\u0301te\u0308", "ete"},
        {"kana and Cyrillic keep their marks", "ガパ東京Ёё", "ガパ東京Ёё"},
        {"minus and wave dash are written", "\u2212\u301C", "\u2212\u301C"},
        {"no closer letters", "한국 € \U0001F600", "한국 € \U0001F600"},
        {"plain", "Paris", "Paris"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(Cp932BestFit(t.in), t.out);
    }
    EXPECT_EQ(Cp932Encode(Cp932BestFit(QStringLiteral("Türkiye 한"))), QByteArray("Turkiye ?"));
}

} // namespace
