// AngleLib's angle texts: formats, units and directions written and read back.
#include "core/AngleLib.h"

#include "core/ErrorMng.h"
#include "platform/VospError.h"

#include <QList>
#include <gtest/gtest.h>

using namespace AngleLib;

namespace {

void Opts(int16_t f, int16_t u, int16_t d) {
    ASSERT_TRUE(SetAngleFormat(f));
    ASSERT_TRUE(SetAngleUnit(u));
    ASSERT_TRUE(SetAngleDir(d));
}

// The options are process-wide: leave them as an unconfigured program has them.
class AngleText : public ::testing::Test {
protected:
    void TearDown() override {
        SetAngleFormat(1);
        SetAngleUnit(2);
        SetAngleDir(2);
    }
};

// The formatter a table row names.
using Fn = QString (*)(int32_t);
const Fn Sec = SecToStr, Lon = LonToStr, Lat = LatToStr, Min = MinToStr, LonMin = LonMinToStr, LatMin = LatMinToStr,
         Angle = AngleToStr;

VospError ErrorOf(const QString& text) {
    try {
        AngleSecStrToVal(text);
    } catch (const VospError& e) {
        return e;
    }
    return VospError(0, {}, {});
}

} // namespace

TEST_F(AngleText, SettersRefuseValuesOutOfRange) {
    Opts(3, 2, 2);
    for (int16_t bad : {0, 6}) EXPECT_FALSE(SetAngleFormat(bad)) << "format " << bad;
    for (int16_t bad : {0, 7}) EXPECT_FALSE(SetAngleUnit(bad)) << "unit " << bad;
    for (int16_t bad : {0, 5}) EXPECT_FALSE(SetAngleDir(bad)) << "direction " << bad;
    EXPECT_EQ(AngleFormat(), 3);
}

TEST_F(AngleText, FormatsUnitsAndDirections) {
    const struct {
        int16_t f, u, d;
        Fn fn;
        int32_t v;
        const char* text;
    } rows[] = {
        {1, 2, 2, Lon, 488115, "E135°35′15″"},
        {1, 2, 2, Lat, -126000, "S35°00′00″"},
        {1, 2, 2, Sec, 0, "+000°00′00″"},
        {2, 2, 2, Sec, 3570, "+001°00′"}, // format 2 rounds to minutes
        {2, 2, 2, Sec, 3569, "+000°59′"},
        {4, 1, 2, Sec, 1, "+000.0002778度"},
        {3, 1, 2, Sec, 486000, "+0486000秒"},
        {2, 5, 2, Sec, 488115, "+135_35"},
        {1, 6, 2, Sec, -488115, "-135 35 15"},
        {4, 6, 2, Sec, 487800, "+135.5000000"},
        {1, 4, 2, Sec, 488115, "+135ﾟ35'15\""},
        {1, 3, 2, Sec, 488115, "+135d35m15s"},
        {5, 1, 2, Sec, 486000, "+2.356194490弧度"},
        {5, 2, 2, Sec, -486000, "-2.356194490ｒａｄ"},
        {5, 5, 2, Sec, 486000, "+2.356194490"},
        // Minutes: format 1 cuts the seconds, format 3 counts seconds.
        {1, 1, 2, Min, 8135, "+135度35分"},
        {1, 6, 2, Min, -8135, "-135 35"},
        {3, 2, 2, Min, 8135, "+0488100″"},
        {1, 2, 1, LonMin, -8135, "西経135°35′"},
        {1, 2, 1, LatMin, 6000, "北緯80°00′"}, // 100 degrees fold to 80
        {1, 2, 1, LatMin, -2130, "南緯35°30′"},
        {1, 2, 1, LatMin, -6000, "南緯80°00′"}, // and -100 to -80
        {1, 4, 2, Min, 8135, "+135ﾟ35'"},
        // Directions.
        {1, 1, 1, Lon, -488115, "西経135度35分15秒"},
        {1, 1, 1, Lat, 127815, "北緯35度30分15秒"},
        {1, 2, 3, Lon, -488115, "135°35′15″W"},
        {1, 2, 3, Lat, 127815, "35°30′15″N"},
        {1, 2, 4, Lat, -126000, "-35°00′00″"},
        {1, 2, 4, Lon, 488115, "+135°35′15″"},
        // Latitudes keep all digits in format 3 and drop the hundreds digit in 4.
        {3, 2, 2, Lat, 126000, "N0126000″"},
        {4, 2, 2, Lat, 127800, "N35.5000000°"},
        {5, 4, 2, Lat, 126000, "N0.610865238rad"},
    };
    for (const auto& r : rows) {
        Opts(r.f, r.u, r.d);
        EXPECT_EQ(r.fn(r.v), QString::fromUtf8(r.text)) << r.f << r.u << r.d << " " << r.v;
    }
    // Kinds other than 1 and 2, and short texts, give nothing except with direction 4.
    EXPECT_EQ(AddDirChr(QStringLiteral("+135°35′15″"), 3), QString());
    EXPECT_EQ(AddDirChr(QStringLiteral("+135°35′15″"), 0), QString());
    EXPECT_EQ(AddDirChr(QStringLiteral("+1"), 1), QString());
    Opts(1, 2, 4);
    EXPECT_EQ(AddDirChr(QStringLiteral("+135°35′15″"), 3), QStringLiteral("+135°35′15″"));
}

TEST_F(AngleText, ExtremesNeverOverflowInAnyFormat) {
    const int32_t lo = -2147483647 - 1, hi = 2147483647;
    const struct {
        int16_t f;
        Fn fn;
        int32_t v;
        const char* text;
    } rows[] = {
        {1, Sec, lo, "-523°14′08″"}, {1, Sec, hi, "+523°14′07″"}, {1, Angle, lo, "-003°14′08″"},
        {1, Lon, hi, "E003°14′07″"}, {1, Min, hi, "+394°07′"},    {1, LonMin, hi, "W165°53′"},
        {1, Lat, lo, "S03°14′08″"},  {2, Sec, lo, "-523°14′"},    {2, Sec, hi, "+523°14′"},
        {3, Sec, lo, "-7483648″"},   {3, Sec, hi, "+7483647″"},   {3, Min, hi, "+9018820″"},
        {4, Sec, lo, "-523.2355556°"}, {4, Sec, hi, "+523.2352778°"},
        {5, Sec, lo, "-10411.294525094ｒａｄ"}, {5, Sec, hi, "+10411.294520246ｒａｄ"},
    };
    for (const auto& r : rows) {
        Opts(r.f, 2, 2);
        EXPECT_EQ(r.fn(r.v), QString::fromUtf8(r.text)) << r.f << " " << r.v;
    }
    // Every format and unit answers at both ends (the sanitizers watch the arithmetic).
    for (int16_t f = 1; f <= 5; ++f)
        for (int16_t u = 1; u <= 6; ++u) {
            Opts(f, u, 1);
            for (int32_t v : {lo, hi})
                EXPECT_FALSE(MinToStr(v).isEmpty() || LonMinToStr(v).isEmpty() || LatMinToStr(v).isEmpty() ||
                             AngleToStr(v).isEmpty() || LatToStr(v).isEmpty())
                    << "format " << f << " unit " << u << " value " << v;
        }
}

TEST_F(AngleText, ReadingExamplesKeywordsMarksAndWidths) {
    const std::pair<const char*, int32_t> rows[] = {
        {"135.5", 487800}, {"北緯35度30分15秒", 127815}, {"W135", -486000}, {"35 30 15", 127815},
        {"0.5R", 103132}, {"35S", 35}, {"S35", -126000}, {"東経百三十五度", 486000},
        {"135.30,15", 487815}, // European marks
        {"λ135.5", 487800}, {"φ-35", -126000}, {"longitude135", 486000}, {"lat35n", 126000},
        {"35deg30min15sec", 127815}, {"south35degree", -126000}, {"Ｅ１３５°", 486000}, {"35°30’15”", 127815},
        {"35゜30′15゛", 127815}, {"35ー30'", 127800}, {"南緯三十五度", -126000}, {"0.5rad", 103132},
        {"lon:135", 486000}, {"LAT=35", 126000}, {"1234.5", 844200}, {"596523", 523 * 3600},
    };
    for (auto [text, sec] : rows) EXPECT_EQ(AngleSecStrToVal(QString::fromUtf8(text)), sec) << text;
    EXPECT_EQ(AngleFormalStr(QStringLiteral("φ-35")), QStringLiteral("Y-035ﾟ00'00\""));
    EXPECT_EQ(AngleFormalStr(QStringLiteral("λ135.5")), QStringLiteral("X+135ﾟ30'00\""));
}

TEST_F(AngleText, FormalStringsAndTheirThreeDegreeDigits) {
    // 0.000139 degrees are 0.5004 s, 0.000125 are 0.45 s; a half second goes to even.
    const std::pair<const char*, const char*> rows[] = {
        {"W135 30 15", "X-135ﾟ30'15\""}, {"135.30,15", " +135ﾟ30'15\""}, {"0", " +000ﾟ00'00\""},
        {"1000", " +000ﾟ00'00\""}, {"0.000139", " +000ﾟ00'01\""}, {"0.000125", " +000ﾟ00'00\""},
        {"00ﾟ00'00.5\"", " +000ﾟ00'00\""}, {"00ﾟ00'01.5\"", " +000ﾟ00'02\""}};
    for (auto [in, out] : rows) EXPECT_EQ(AngleFormalStr(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST_F(AngleText, InvalidTextsRaiseTheModuleError) {
    for (const char* bad : {"E 135", "35ﾟ 30'", "E", "", "abc", "R", "35 30 15 10", "0.5 RADIAN", "1e10",
                            "99999999999", "596523.2355", "LONGITUDE 135"}) {
        const VospError e = ErrorOf(QString::fromUtf8(bad));
        EXPECT_EQ(e.number, ErrBase + 1002) << bad;
        EXPECT_TRUE(e.source.startsWith("basAngle.AngleSecStrToVal/basAngle.AngleFormalStr/")) << bad;
        EXPECT_EQ(AngleStrToSec(QString::fromUtf8(bad)), 0) << bad;
    }
    EXPECT_EQ(AngleSecStrToVal("E135"), 486000);
    EXPECT_EQ(AngleSecStrToVal("35ﾟ30'"), 127800);
    // A number beyond a double keeps its own error number.
    EXPECT_EQ(ErrorOf("1e400").number, 6);
    EXPECT_EQ(AngleStrToSec("1e400"), 0);
}

// Every option combination reads its own text back. Two kinds of text carry
// no information to read them by and are left out: a seconds or radians
// figure without any mark (units 5 and 6 in formats 3 and 5) reads as
// degrees, and a mark-less south latitude written with the mark after the
// number (units 5 and 6, direction 3) reads its "S" as seconds.
TEST_F(AngleText, EveryFormatUnitAndDirectionReadsItsOwnTextBack) {
    QList<int32_t> lons = {0, 1, -1, 59, -59, 60, 3599, 3600, 29, 30, 31, 648000, -648000, 647999, -647999,
                           648001, 1944000, -1944000, 2147483647, -2147483647 - 1, 488115, -488115};
    for (int32_t v = -648000; v <= 648000; v += 12347) lons.append(v);
    QList<int32_t> lats = {0, 1, -1, 324000, -324000, 323999, -323999, 324001, 360000, -360000, 127815, -127815,
                           2147483647, -2147483647 - 1};
    for (int32_t v = -324000; v <= 324000; v += 7919) lats.append(v);
    for (int16_t f = 1; f <= 5; ++f)
        for (int16_t u = 1; u <= 6; ++u)
            for (int16_t d = 1; d <= 4; ++d) {
                if (u >= 5 && (f == 3 || f == 5)) continue;
                Opts(f, u, d);
                const int32_t tol = f == 2 ? 30 : f == 5 ? 1 : 0;
                for (int32_t v : lons) {
                    const QString t = LonToStr(v);
                    EXPECT_NEAR(AngleStrToSec(t), NormLon(v), tol) << f << u << d << " " << t.toStdString();
                }
                for (int32_t v : lats) {
                    const int32_t want = NormLat(v);
                    if (u >= 5 && d == 3 && want < 0) continue;
                    const QString t = LatToStr(v);
                    EXPECT_NEAR(AngleStrToSec(t), want, tol) << f << u << d << " " << t.toStdString();
                }
            }
}
