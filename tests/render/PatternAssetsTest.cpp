// The compiled-in pattern assets: complete, of the right sizes, named
// exactly, and drawn so that a map reader can tell them apart.
#include "render/PatternAssets.h"

#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <vector>

namespace {

using PatternAssets::Bitmap;
using PatternAssets::String;

bool AllPaper(const MonoBitmap& bm) { return bm.InkCount() == 0; }

// The bounding box of the ink.
QRect InkBox(const MonoBitmap& bm) {
    QRect box;
    for (int y = 0; y < bm.Height(); ++y)
        for (int x = 0; x < bm.Width(); ++x)
            if (bm.Ink(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

bool IsUserSymbol(int i) { return (i >= 19 && i <= 23) || i >= 43; }

TEST(PatternAssets, TheCompiledInTextsAreSound) { EXPECT_EQ(PatternAssets::Problems(), QStringList()); }

// Every entry of both sets: present, of an allowed size, user entries blank.
TEST(PatternAssets, AllEntriesArePresentInTheirSizes) {
    const struct {
        int low, first, last, firstUser;
        std::vector<int> lowW, lowH, highW, highH;
    } kinds[] = {
        // Symbols 0..47 (user 19..23 and 43..47 are 2 x 2 placeholders).
        {2100, 0, 47, 19, {23}, {23}, {47}, {47}},
        {3100, 100, 131, 124, {8, 16}, {8, 16}, {8, 16, 32}, {8, 16, 32}},
        {4100, 102, 145, 134, {32}, {1, 2, 3, 4, 5, 6, 7}, {32}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    int count = 0;
    for (const auto& k : kinds) {
        for (int i = k.first; i <= k.last; ++i) {
            for (int set = 0; set < 2; ++set) {
                SCOPED_TRACE(k.low + 100 * set + i);
                const MonoBitmap* bm = Bitmap(k.low + 100 * set + i);
                ASSERT_NE(bm, nullptr);
                ++count;
                const bool user = k.low == 2100 ? IsUserSymbol(i) : i >= k.firstUser;
                EXPECT_EQ(AllPaper(*bm), user);
                if (user && k.low == 2100) {
                    EXPECT_TRUE(bm->Width() == 2 && bm->Height() == 2);
                    continue;
                }
                const auto& ws = set ? k.highW : k.lowW;
                const auto& hs = set ? k.highH : k.lowH;
                EXPECT_NE(std::find(ws.begin(), ws.end(), bm->Width()), ws.end()) << bm->Width();
                EXPECT_NE(std::find(hs.begin(), hs.end(), bm->Height()), hs.end()) << bm->Height();
                EXPECT_TRUE(k.low != 3100 || bm->Width() == bm->Height()); // tiles are square
                // Never a plain solid line: that is what pen style 0 is for.
                EXPECT_TRUE(k.low != 4100 || set || user || bm->InkCount() < 32 * bm->Height());
            }
        }
        for (int outside : {k.low + k.first - 1, k.low + k.last + 1, k.low + 100 + k.last + 1})
            EXPECT_EQ(Bitmap(outside), nullptr) << outside;
    }
    EXPECT_EQ(count, 248);
}

TEST(PatternAssets, NamesAreExact) {
    const char* symbols[] = {"都市１・小", "都市２・小", "都市３・小",   "都市４・小",   "都市５・小",
                             "山岳・小",   "滝・小",     "空港・小",     "港湾・小",     "油井・小",
                             "鉱産地・小", "燈台・小",   "史跡・小",     "世界遺産・小", "核関連施設・小",
                             "病院・小",   "ホテル・小", "その他Ａ・小", "その他Ｂ・小"};
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(String(2000 + i), QString::fromUtf8(symbols[i]));
        QString large = QString::fromUtf8(symbols[i]);
        large.replace(QStringLiteral("小"), QStringLiteral("大"));
        EXPECT_EQ(String(2024 + i), large);
    }
    EXPECT_EQ(String(2019), "ユーザー01");
    EXPECT_EQ(String(2023), "ユーザー05");
    EXPECT_EQ(String(2043), "ユーザー06");
    EXPECT_EQ(String(2047), "ユーザー10");

    const char* tiles[] = {"明度０", "明度１",   "明度２",   "明度３",   "明度４",       "明度５",
                           "明度６", "明度７",   "横縞",     "縦縞",     "右下がり斜線", "右上がり斜線",
                           "格子",   "斜め格子", "水玉",     "レンガ",   "砂漠",         "ステップ",
                           "耕地",   "湿地",     "針葉樹林", "広葉樹林", "熱帯雨林",     "市松"};
    for (int i = 0; i < 24; ++i) EXPECT_EQ(String(3100 + i), QString::fromUtf8(tiles[i]));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(String(3124 + i), QStringLiteral("ユーザー0%1").arg(i + 1));

    const char* lines[] = {"破線小細",   "点線小細",  "１点鎖線小細", "２点鎖線小細", "側破線細",     "側点線細",
                           "破線小太",   "点線小太",  "１点鎖線小太", "２点鎖線小太", "側破線太",     "側点線太",
                           "波線",       "三角線",    "丸点線",       "薄線",         "道路２重実線", "道路２重破線",
                           "鉄道小",     "鉄道中",    "鉄道大",       "サンゴ礁",     "永久氷",       "運河",
                           "送油管",     "城壁",      "矢印細線",     "矢印太線",     "極小点線細",   "極小点線太",
                           "十字点線細", "十字点線太"};
    for (int i = 0; i < 32; ++i) EXPECT_EQ(String(4102 + i), QString::fromUtf8(lines[i]));
    EXPECT_EQ(String(4134), "ユーザー01");
    EXPECT_EQ(String(4145), "ユーザー12");

    const char* pens[] = {"標準実線", "標準破線", "標準点線", "標準一点鎖線", "標準二点鎖線", "標準透明"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(String(4000 + i), QString::fromUtf8(pens[i]));
    const char* brushes[] = {"標準横縞", "標準縦縞",     "標準右下がり斜線", "標準右上がり斜線",
                             "標準格子", "標準斜め格子", "標準単色"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(String(3000 + i), QString::fromUtf8(brushes[i]));

    EXPECT_EQ(String(2048), "");
    EXPECT_EQ(String(3099), "");
    EXPECT_EQ(String(4146), "");
}

// City marks grow with their class, large symbols are larger than small
// ones, and the ink is centred on the pixel the drawing layer puts on the
// point, (w \ 2, h \ 2).
TEST(PatternAssets, SymbolSizesAndCentres) {
    for (int base : {2100, 2200}) {
        for (int first : {0, 24}) {
            int lastWidth = 0;
            for (int c = 0; c < 5; ++c) {
                const QRect box = InkBox(*Bitmap(base + first + c));
                EXPECT_GT(box.width(), lastWidth) << base + first + c;
                EXPECT_EQ(box.width(), box.height());
                lastWidth = box.width();
            }
        }
        for (int i = 0; i <= 18; ++i) {
            const QRect small = InkBox(*Bitmap(base + i));
            const QRect large = InkBox(*Bitmap(base + 24 + i));
            EXPECT_GT(large.width(), small.width() + 2) << base + i;
            EXPECT_GT(large.height(), small.height() + 2) << base + i;
        }
        for (int i : {0, 1, 2, 3, 4, 24, 25, 26, 27, 28, 17, 41}) {
            const MonoBitmap& bm = *Bitmap(base + i);
            const QRect box = InkBox(bm);
            EXPECT_EQ(box.left() + box.right(), bm.Width() - 1) << base + i;
            EXPECT_EQ(box.top() + box.bottom(), bm.Height() - 1) << base + i;
        }
    }
}

TEST(PatternAssets, GreyLevelsGoFromDarkToLight) {
    for (int base : {3100, 3200}) {
        double last = 2.0;
        for (int i = 100; i <= 107; ++i) {
            const MonoBitmap& bm = *Bitmap(base + i);
            const double ink = double(bm.InkCount()) / (bm.Width() * bm.Height());
            EXPECT_LT(ink, last) << base + i;
            last = ink;
        }
        EXPECT_EQ(Bitmap(base + 100)->InkCount(), Bitmap(base + 100)->Width() * Bitmap(base + 100)->Height());
        EXPECT_GT(Bitmap(base + 107)->InkCount(), 0);
    }
}

TEST(PatternAssets, RoadsLeavePaperBetweenTwoInkEdges) {
    // The back colour fills the road between its two edges.
    for (int base : {4100, 4200}) {
        const MonoBitmap& solid = *Bitmap(base + 118);
        const MonoBitmap& dashed = *Bitmap(base + 119);
        for (const MonoBitmap* bm : {&solid, &dashed}) {
            SCOPED_TRACE(bm == &solid ? base + 118 : base + 119);
            // Ink edges, then one paper band between them; the edges are mirror images.
            const QStringList rows = bm->ToText();
            std::string marks;
            for (const QString& r : rows) marks += r.contains(u'#') ? '#' : '.';
            EXPECT_TRUE(std::regex_match(marks, std::regex("#+\\.+#+"))) << marks;
            EXPECT_EQ(QStringList(rows.rbegin(), rows.rend()), rows);
        }
        EXPECT_LT(dashed.InkCount(), solid.InkCount());
    }
}

TEST(PatternAssets, TicksAndTeethStandOnTheLeftOfTravel) {
    // Row 0 is the left of the direction of travel: the one-sided patterns
    // have their solid edge in the last row and their marks towards row 0.
    for (int base : {4100, 4200}) {
        for (int i : {106, 107, 112, 113, 115, 124, 127}) {
            const QStringList rows = Bitmap(base + i)->ToText();
            EXPECT_EQ(rows.last(), QString(32, u'#')) << base + i;
            EXPECT_TRUE(rows.first().contains(u'#') && rows.first().contains(u'.')) << base + i;
        }
    }
}

TEST(PatternAssets, BothSetsOfALinePatternLookAlike) {
    // The high set is drawn at half scale: its 32 columns and 2n rows cover
    // 16 columns and n rows of the low set. Mostly the same pixels, then.
    for (int i = 102; i <= 133; ++i) {
        const MonoBitmap& low = *Bitmap(4100 + i);
        const MonoBitmap& high = *Bitmap(4200 + i);
        EXPECT_EQ(high.Height(), 2 * low.Height()) << i;
        int same = 0;
        for (int y = 0; y < high.Height(); ++y)
            for (int x = 0; x < 32; ++x) same += high.Ink(x, y) == low.Ink(x / 2, y / 2);
        EXPECT_GE(same, 32 * high.Height() * 80 / 100) << i;
    }
}

TEST(PatternAssets, MalformedBitmapTextIsReported) {
    const auto parsed = PatternAssets::ParseBitmapText(QStringLiteral("; comment\r\n"
                                                                      "[1] fine\r\n##\r\n..\r\n\r\n"
                                                                      "[2] ragged\n##\n#\n\n"
                                                                      "[3] empty\n\n"
                                                                      "stray\n"
                                                                      "[4] interrupted\n#.\nxx\n#.\n\n"
                                                                      "[1] again\n#\n"
                                                                      "[5] last block without a blank line\n.#"));
    ASSERT_EQ(parsed.bitmaps.size(), 2u);
    EXPECT_EQ(parsed.bitmaps.at(1).ToText(), (QStringList{"##", ".."}));
    EXPECT_EQ(parsed.bitmaps.at(5).ToText(), QStringList{".#"});
    EXPECT_EQ(parsed.problems.size(), 6) << parsed.problems.join("\n").toStdString();
}

TEST(PatternAssets, BlockNumbersAreOneToNineAsciiDigitsInBrackets) {
    struct Row {
        const char* name;
        QString header;
        int32_t id; // 0: the line is not a block header
    } const rows[] = {
        {"one digit", QStringLiteral("[7]"), 7},
        {"nine digits", QStringLiteral("[999999999] widest"), 999999999},
        {"leading zeros", QStringLiteral("[0042]"), 42},
        {"text right after", QStringLiteral("[12]x"), 12},
        {"ten digits", QStringLiteral("[1234567890]"), 0},
        {"no digits", QStringLiteral("[]"), 0},
        {"unclosed", QStringLiteral("[12"), 0},
        {"blank inside", QStringLiteral("[ 12]"), 0},
        {"sign", QStringLiteral("[-12]"), 0},
        {"full-width digit", QStringLiteral("[１]"), 0},
        {"not at the start", QStringLiteral(" [12]"), 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto parsed = PatternAssets::ParseBitmapText(r.header + QStringLiteral("\n#.\n"));
        if (r.id == 0) {
            EXPECT_TRUE(parsed.bitmaps.empty());
            EXPECT_EQ(parsed.problems.size(), 2); // the header line and the row under no header
        } else {
            ASSERT_EQ(parsed.bitmaps.size(), 1u);
            EXPECT_EQ(parsed.bitmaps.begin()->first, r.id);
            EXPECT_TRUE(parsed.problems.isEmpty());
        }
    }
}

TEST(PatternAssets, MalformedStringTextIsReported) {
    const auto parsed = PatternAssets::ParseStringText(
        QStringLiteral("; names\n2000 都市１・小\r\n\n2001  two blanks\nx 3\n2000 again\n2002\n"));
    EXPECT_EQ(parsed.strings.size(), 2u);
    EXPECT_EQ(parsed.strings.at(2000), "都市１・小");
    EXPECT_EQ(parsed.strings.at(2001), " two blanks");
    EXPECT_EQ(parsed.problems.size(), 3);
}

} // namespace

// A replacement file in the program folder is found whatever its letter
// case, the exact spelling first; one added later is seen whether the folder
// has settled since (its listing is taken again) or has just changed.
TEST(PatternAssets, ProgramFilesAreFoundWithoutRegardToCase) {
    const QString saved = FileSystem::ProgramFolder();
    QTemporaryDir dir;
    FileSystem::SetProgramFolder(dir.path());
    auto touch = [&](const QString& n) {
        QFile f(dir.filePath(n));
        return f.open(QIODevice::WriteOnly);
    };
    auto settle = [&](int secondsAgo) {
        timespec t[2] = {{time(nullptr) - secondsAgo, 0}, {time(nullptr) - secondsAgo, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(dir.path()).constData(), t, 0), 0);
    };
    ASSERT_TRUE(touch(QStringLiteral("line01.bmp")) && touch(QStringLiteral("Sym02.BMP")) && touch(QStringLiteral("SYM02.BMP")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("FOLDER.BMP")));
    for (const bool settled : {true, false}) {
        SCOPED_TRACE(settled ? "settled" : "just changed");
        if (settled) settle(3600);
        EXPECT_EQ(PatternAssets::ProgramFile(QStringLiteral("LINE01.BMP")), dir.filePath(QStringLiteral("line01.bmp")));
        EXPECT_EQ(PatternAssets::ProgramFile(QStringLiteral("Sym02.BMP")), dir.filePath(QStringLiteral("Sym02.BMP")));
        EXPECT_EQ(PatternAssets::ProgramFile(QStringLiteral("sym02.bmp")), dir.filePath(QStringLiteral("SYM02.BMP")));
        EXPECT_EQ(PatternAssets::ProgramFile(QStringLiteral("folder.bmp")), QString());
        EXPECT_EQ(PatternAssets::ProgramFile(QStringLiteral("LATE.BMP")), QString());
        ASSERT_TRUE(touch(QStringLiteral("late.bmp")));
        if (settled) settle(1800);
        EXPECT_EQ(PatternAssets::ProgramFile(QStringLiteral("LATE.BMP")), dir.filePath(QStringLiteral("late.bmp")));
        ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("late.bmp"))));
    }
    FileSystem::SetProgramFolder(saved);
}
