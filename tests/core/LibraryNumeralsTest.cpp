// Library's numbers in text: kanji numerals, half-width and upper-case tables, strict parsing, lengths, tokens.
#include "core/Library.h"

#include "platform/VospError.h"

#include <functional>
#include <tuple>
#include <gtest/gtest.h>

using namespace Library;

namespace {

int32_t ErrorNumberOf(const std::function<void()>& f, QString* source = nullptr) {
    try {
        f();
    } catch (const VospError& e) {
        if (source) *source = e.source;
        return e.number;
    }
    return 0;
}

} // namespace

TEST(LibraryNumerals, KansujiToArabicExamples) {
    const QList<QPair<QString, QString>> cases = {
        {"二千五百", "2500"}, {"三万二千", "32000"}, {"1億2000万", "120000000"}, {"三割五分", "0.35"},
        {"a,b", "a,b"}, {"1,a", "1,a"}, {"二,三", "23"}, {"1.2.3", "1.23"}, {"東経百三十五度", "東経135度"},
        {"万", "万"}, {"毛", "毛"}, {"１２", "12"}, {"十五", "15"}, {"二十", "20"}, {"千二百万", "12000000"},
        {"廿", "20"}, {"卅五", "35"}, {"壱萬弐阡", "12000"}, {"〇.五", "0.5"}, {"三・五", "3.5"}, {"１．５", "1.5"},
        {"－５", "-5"}, {"＋五", "+5"}, {"5分", "0.05"}, {"3割", "0.3"}, {"二十 三十", "20 30"},
        {"1兆", "1000000000000"}, {"1京", "1E+16"},
        {"0.00001", "0.00001"}, // small values stay plain decimals
        {"三毛", "0.0003"}, {"1毛5", "5.0001"}, // the ones after a unit are added
        {"x.y", "x.y"}, {"1.", "1."}, {"百年", "100年"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(KansujiToArabic(c.first), c.second) << c.first.toStdString();
}

TEST(LibraryNumerals, NarrowAndUpperFollowTheExplicitTables) {
    EXPECT_EQ(NarrowStr(QStringLiteral("ＡＢｃ１２！～　x")), "ABc12!~ x");
    EXPECT_EQ(NarrowStr(QStringLiteral("キロメートル")), QStringLiteral("ｷﾛﾒｰﾄﾙ"));
    EXPECT_EQ(NarrowStr(QStringLiteral("ガパヴッヲン")), QStringLiteral("ｶﾞﾊﾟｳﾞｯｦﾝ"));
    EXPECT_EQ(NarrowStr(QStringLiteral("漢字ひらがな゛")), QStringLiteral("漢字ひらがな゛"));
    EXPECT_EQ(UpperLatin(QStringLiteral("abzｑλφé")), QStringLiteral("ABZＱλφé"));
}

TEST(LibraryNumerals, StrictNumberConversion) {
    for (auto [text, v] : {std::pair{" 1,234.5 ", 1234.5}, {"-.5", -0.5}, {"1.5E3", 1500.0}, {"2D2", 200.0},
                           {"&HFFFF", -1.0}, {"&O10", 8.0}})
        EXPECT_EQ(CDbl(text), v) << text;
    for (const char* bad : {"", " ", "abc", "12abc", "1 2", "-", ".", "1e", ",1", "1,", "&H", "&HG", "1..2", "--1"})
        EXPECT_EQ(ErrorNumberOf([&] { CDbl(bad); }), 13) << bad;
    EXPECT_EQ(ErrorNumberOf([] { CDbl("1e400"); }), 6);
}

TEST(LibraryNumerals, JstrToDoubleAndLong) {
    EXPECT_EQ(JstrToDouble(QStringLiteral("  ３．５ ")), 3.5);
    EXPECT_EQ(JstrToDouble(QStringLiteral("三万")), 30000);
    EXPECT_EQ(JstrToDouble(QStringLiteral("１ｅ３")), 1000);
    QString source;
    EXPECT_EQ(ErrorNumberOf([] { JstrToDouble("abc"); }, &source), 13);
    EXPECT_EQ(source, "basLibrary.JstrToDouble/");
    const std::pair<QString, int32_t> longs[] = {
        {"abc", 0}, {"2.5", 2}, {"-2.5", -2}, {QStringLiteral("二十"), 20}, {"2147483647", 2147483647},
        {"2147483648", 0}, {"-2147483648", -2147483647 - 1}, {"-2147483649", 0}, {"1e400", 0}};
    for (const auto& [text, v] : longs) EXPECT_EQ(JstrToLong(text), v) << text.toStdString();
}

TEST(LibraryNumerals, StrToMeterSumsNumberUnitPairs) {
    const struct {
        QString text, unit;
        double metres;
    } rows[] = {
        {"1km 200m", "", 1200},
        {QStringLiteral("5尺3寸"), "", 5 * 0.30303 + 3 * 0.030303},
        {QStringLiteral("三尺"), "", 3 * 0.30303},
        {QStringLiteral("３キロ"), "", 3000},
        {QStringLiteral("1センチメートル"), "", 0.01},
        {QStringLiteral("１ｍ"), "", 1},
        {"1 mile", "", 1609.344},
        {"1M", "", 1852}, // letter case decides: M is the nautical mile
        {"1nmi", "", 1852},
        {"1nm", "", 1e-9},
        {"2ft 6in", "", 2 * 0.3048 + 6 * 0.0254},
        {"5'", "", 5 * 0.3048},
        {"2\"", "", 2 * 0.0254},
        {QStringLiteral("1天文単位"), "", 149600000000.0},
        {"72pt", "", 72 * 0.000352778},
        {"3", "km", 3000},
        {"3", "furlong", 3},
        {"3", "KM", 3}, // the default unit matches exactly
        {"2km3", "m", 2003},
        // Signs: a trailing sign wins; a second leading sign belongs to the number.
        {"10-", "", -10},
        {"+5m-", "", -5},
        {"-5m+", "", 5},
        {QStringLiteral("－３ｍ"), "", -3},
        {"--5", "", 5},
        {"", "", 0},
        {"-", "", 0},
        {"  ", "", 0},
    };
    for (const auto& r : rows) EXPECT_DOUBLE_EQ(StrToMeter(r.text, r.unit), r.metres) << r.text.toStdString();
}

TEST(LibraryNumerals, StrToMeterErrors) {
    QString source;
    EXPECT_EQ(ErrorNumberOf([] { StrToMeter("km", ""); }, &source), 13); // a unit with no number
    EXPECT_EQ(source, "basLibrary.StrToMeter/basLibrary.JstrToDouble/");
    EXPECT_EQ(ErrorNumberOf([] { StrToMeter("2kmx", ""); }), 13);  // text after the unit
    EXPECT_EQ(ErrorNumberOf([] { StrToMeter("1e5e5m", ""); }), 13); // an unreadable number
    EXPECT_EQ(ErrorNumberOf([] { StrToMeter("5 - 3m", ""); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { StrToMeter("1e400m", ""); }), 6);
}

TEST(LibraryNumerals, NumToKanjiUnits) {
    const std::tuple<double, bool, const char*> rows[] = {
        {25000, false, "2万5000"}, {25000, true, "2.5万"}, {25500, true, "2.55万"}, {25050, true, "2万5050"},
        {1000000, true, "100万"}, {150000000, false, "1億5000万"}, {150000000, true, "1.5億"}, {1.5e12, true, "1.5兆"},
        {1.23e12, true, "1.23兆"}, {1e12, true, "1兆"}, {12345.5, false, "1万2345.5"}, {-25000, true, "-2.5万"},
        {999, true, "999"}, {0, false, ""}};
    for (const auto& [v, rounded, text] : rows) EXPECT_EQ(NumToKanjiUnits(v, rounded), QString::fromUtf8(text)) << v;
}

TEST(LibraryNumerals, StrToTokensModeMatrix) {
    using L = QStringList;
    const struct {
        QString in;
        int16_t mode;
        bool keepLast; // the list files keep an empty last field; the line end after it does not count
        L out;
    } rows[] = {
        {"a,,b", 2, false, {"a", "", "b"}}, {"a,", 2, false, {"a"}}, {",a", 2, false, {"", "a"}},
        {"\"x,y\",z", 2, false, {"x,y", "z"}}, {"a,\"\",b", 2, false, {"a", "", "b"}}, {"a b,c", 2, false, {"a b", "c"}},
        {"a\r\nb", 2, false, {"a", "b"}}, {"a,\r\nb", 2, false, {"a", "b"}}, {"\"a\rb\",c", 2, false, {"a\rb", "c"}},
        {"a  b", 1, false, {"a", "b"}}, {"a,b", 1, false, {"a,b"}}, {QStringLiteral("a\u3000b\tc "), 1, false, {"a", "b", "c"}},
        {"\"a b\" c", 1, false, {"a b", "c"}}, {"a b\tc\t\td", 3, false, {"a b", "c", "d"}},
        {"a b,c", 0, false, {"a", "b", "c"}}, {"a ,b", 0, false, {"a", "", "b"}}, {QStringLiteral("a\u3000b"), 9, false, {"a", "b"}},
        {"", 2, false, {""}}, {"   ", 1, false, {""}},
        {"a,\"\"", 2, true, {"a", ""}}, {"a,,", 2, true, {"a", "", ""}}, {",", 2, true, {"", ""}},
        {"a,\r\n", 2, true, {"a"}}, {"a b ", 1, true, {"a", "b"}}, {"", 2, true, {""}},
    };
    for (const auto& r : rows) EXPECT_EQ(StrToTokens(r.in, r.mode, r.keepLast), r.out) << r.in.toStdString() << " " << r.mode;
}

TEST(LibraryNumerals, StrToTokensKeepsTheLastFieldAfterAnUnbalancedQuote) {
    using L = QStringList;
    EXPECT_EQ(StrToTokens("a,\"b,c", 2), (L{"a", "b,c"}));
    EXPECT_EQ(StrToTokens("\"open", 1), (L{"open"}));
    EXPECT_EQ(StrToTokens("x \"y z", 1), (L{"x", "y z"}));
}
