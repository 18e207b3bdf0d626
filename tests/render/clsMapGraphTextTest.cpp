// clsMapGraph's text drawing: alignment, turning, halos, heights and faces.
#include "TestCanvas.h"

#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"

#include <QFile>
#include <QFont>
#include <gtest/gtest.h>

namespace {

struct TextDrawing : Drawing {
    TextDrawing() : Drawing(240, 240) {}
};

TEST(MapGraphText, AlignmentOffsetTable) {
    // gap 6, cap 20: row dy 6*5\4 + 20 = 27, 20, 10, 0, -(30)\4 = -7.
    const int gap = 6, cap = 20;
    const int dxs[5] = {6, 0, 0, 0, -6};
    const int aligns[5] = {Gdi::TA_LEFT, Gdi::TA_LEFT, Gdi::TA_CENTER, Gdi::TA_RIGHT, Gdi::TA_RIGHT};
    const int dys[5] = {27, 20, 10, 0, -7};
    for (int code = -1; code <= 25; ++code) {
        const int c = code < 0 ? 24 : code % 25;
        int32_t dx = 0, dy = 0, align = 0;
        clsMapGraph::AlignOffset(code, gap, cap, dx, dy, align);
        EXPECT_EQ(dx, dxs[c % 5]) << code;
        EXPECT_EQ(dy, dys[c / 5]) << code;
        EXPECT_EQ(align, aligns[c % 5]) << code;
    }
}

TEST(MapGraphText, OffsetsTurnWithTheFont) {
    auto turn = [](int angle, int dx, int dy) {
        clsMapGraph::RotateOffset(angle, dx, dy);
        return std::make_pair(dx, dy);
    };
    // 45 degrees counter-clockwise on the canvas (y down): right -> up-right;
    // 30 degrees: (10 cos 30, -10 sin 30) = (8.66, -5) -> (9, -5).
    const int cases[][5] = {{0, 5, 7, 5, 7},     {3600, 5, 7, 5, 7},  {900, 5, 7, 7, -5},   {-2700, 5, 7, 7, -5},
                            {2700, 5, 7, -7, 5}, {-900, 5, 7, -7, 5}, {1800, 5, 7, -5, -7}, {450, 10, 0, 7, -7},
                            {300, 10, 0, 9, -5}, {450, 0, 0, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(turn(c[0], c[1], c[2]), std::make_pair(c[3], c[4])) << c[0];
}

TEST(MapGraphText, InkBoxOfAnHAroundItsPoint) {
    // Horizontal: L the ink starts at the point, C centred on it; vertical:
    // T hangs below it, M centred, B stands on it.
    const struct {
        int code;
        char h, v;
    } cases[] = {{6, 'L', 'T'}, {7, 'C', 'T'}, {11, 'L', 'M'}, {12, 'C', 'M'}, {17, 'C', 'B'}};
    for (const auto& c : cases) {
        TextDrawing t;
        ASSERT_TRUE(t.g.SetFont("Liberation Sans", 20, 0, 0, kRed, -1));
        EXPECT_EQ(t.g.FontFace(), "Liberation Sans");
        EXPECT_EQ(t.dc->Font().pixelHeight, 26); // 20 x 96 \ 72
        ASSERT_TRUE(t.g.DrawText(120, 120, int16_t(c.code), "H"));
        const auto b = t.Box();
        EXPECT_NEAR(c.h == 'L' ? b[0] : (b[0] + b[2]) / 2, 120, 2) << c.code;
        EXPECT_NEAR(c.v == 'T' ? b[1] : c.v == 'M' ? (b[1] + b[3]) / 2 : b[3] + 1, 120, 2) << c.code;
    }
}

TEST(MapGraphText, TurnedTextRunsUpwards) {
    TextDrawing t;
    ASSERT_TRUE(t.g.SetFont("Liberation Sans", 14, 90, 0, kRed, -1));
    EXPECT_EQ(t.g.FontAngle(), 900);
    ASSERT_TRUE(t.g.DrawText(100, 200, 11, "HHHHH"));
    const auto b = t.Box();
    EXPECT_GT(b[3] - b[1], 2 * (b[2] - b[0]));
    EXPECT_LE(b[3], 200 + 2);
    EXPECT_LT(b[1], 150);
}

TEST(MapGraphText, HaloAndOpaqueBoxInTheBackColour) {
    // Halo; opaque box (the cell is filled: far more back colour than a halo
    // gives); opaque without a back colour.
    const struct {
        uint8_t style;
        int32_t back;
    } cases[] = {{0, kBlue}, {clsMapGraph::FS_OPAQUE, kBlue}, {clsMapGraph::FS_OPAQUE, -1}};
    for (const auto& c : cases) {
        TextDrawing t;
        ASSERT_TRUE(t.g.SetFont("Liberation Sans", 20, 0, c.style, kRed, c.back));
        t.g.DrawText(120, 120, 12, "HH");
        int32_t w = 0, h = 0;
        ASSERT_TRUE(t.g.GetTextSize("HH", w, h));
        const size_t minBack = c.back < 0 ? 0 : c.style ? size_t(w * h / 2) : 20u;
        EXPECT_TRUE(c.back < 0 ? t.Count(kBlue) == 0 : t.Count(kBlue) > minBack) << c.style << " " << c.back;
        EXPECT_GT(t.Count(kRed), 20u);
    }
    {
        // Outside the view or empty: True, nothing drawn.
        TextDrawing t;
        ASSERT_TRUE(t.g.SetFont("Liberation Sans", 20, 0, 0, kRed, -1));
        EXPECT_TRUE(t.g.DrawText(-1, 10, 12, "H"));
        EXPECT_TRUE(t.g.DrawText(10, 10, 12, ""));
        EXPECT_TRUE(t.g.DrawText(10, 10, 12, QString(QChar(0)) + "H"));
        EXPECT_EQ(t.Count(kWhite), 240u * 240u);
    }
}

TEST(MapGraphText, HeightsAreLimitedAndScaledAndToolkitFonts) {
    TextDrawing t;
    ASSERT_TRUE(t.g.SetFont("Liberation Sans", 2, 0, 0, kRed, -1));
    EXPECT_EQ(t.dc->Font().pixelHeight, 6); // at least 5 points: 5 x 96 \ 72
    ASSERT_TRUE(t.g.SetFont("Liberation Sans", 200, 0, 0, kRed, -1));
    EXPECT_EQ(t.dc->Font().pixelHeight, 133); // at most 100 points
    t.g.SetTextRatio(150);
    // The same arguments at a new ratio: 133 x 150 \ 100.
    ASSERT_TRUE(t.g.SetFont("Liberation Sans", 200, 0, 0, kRed, -1));
    EXPECT_EQ(t.dc->Font().pixelHeight, 199);
    // Gap: the larger of cap * 6 \ 10 + 1 and ratio * dpi \ 1800.
    EXPECT_EQ(t.g.TextGap(), std::max(t.g.CapHeight() * 6 / 10 + 1, 150 * 96 / 1800));
    ASSERT_TRUE(t.g.SetFont("Liberation Sans", 12, 0, clsMapGraph::FS_BOLD | clsMapGraph::FS_ITALIC, kRed, -1));
    EXPECT_TRUE(t.dc->Font().bold);
    EXPECT_TRUE(t.dc->Font().italic);
    EXPECT_FALSE(t.dc->Font().underline);
    // A toolkit font, at the plain ratio.
    t.g.SetTextRatio(100);
    QFont f("Liberation Mono");
    f.setPointSizeF(12.5); // halves go to even
    f.setUnderline(true);
    ASSERT_TRUE(t.g.SetFontObject(f, kRed));
    EXPECT_EQ(t.g.FontFace(), "Liberation Mono");
    EXPECT_EQ(t.dc->Font().pixelHeight, 16); // 12 x 96 \ 72
    EXPECT_TRUE(t.dc->Font().underline);
}

TEST(MapGraphText, WindowsFacesAndUnknownFaces) {
    TextDrawing t;
    ASSERT_FALSE(t.g.FontList().empty());
    ASSERT_TRUE(t.g.SetFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 12, 0, 0, kRed, -1));
    // The set-up installs the first stand-in, listed as "IPA Pゴシック" under ja_JP.
    EXPECT_TRUE(FontCatalog::SameFamily(t.g.FontFace(), "IPAPGothic")) << t.g.FontFace().toStdString();
    ASSERT_TRUE(t.g.SetFont("arial", 12, 0, 0, kRed, -1));
    EXPECT_EQ(t.g.FontFace(), "Liberation Sans");
    ASSERT_TRUE(t.g.SetFont("No Such Face 123", 12, 0, 0, kRed, -1));
    EXPECT_EQ(t.g.FontFace(), t.g.FontList().front().name);
    t.g.SetDefaultFont("Liberation Serif");
    ASSERT_TRUE(t.g.SetFont("(Default)", 12, 0, 0, kRed, -1));
    EXPECT_EQ(t.g.FontFace(), "Liberation Serif");
    // Family names without foundry, each once.
    QSet<QString> seen;
    for (const auto& f : t.g.FontList()) {
        EXPECT_FALSE(f.name.contains(" [")) << f.name.toStdString();
        EXPECT_FALSE(seen.contains(f.name.toCaseFolded())) << f.name.toStdString();
        seen.insert(f.name.toCaseFolded());
        EXPECT_EQ(f.faceBytes.back(), '\0');
    }
}

TEST(MapGraphText, FoldTextWithAFakeMeasurer) {
    EnsureGuiApp();
    clsMapGraph g;
    FixedMeasurer m(10, 12);
    g.SetTextMeasurer(&m);
    EXPECT_EQ(g.FoldText("", 100), QStringList{""});
    EXPECT_EQ(g.FoldText("ab\r\nc", 1000), (QStringList{"ab", "c"}));
    EXPECT_EQ(g.FoldText("abc", 5), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(g.FoldText("abcde", 15), (QStringList{"ab", "cd", "e"}));
    EXPECT_EQ(g.FoldText("\n\n", 100), QStringList{});
    EXPECT_EQ(g.FoldText("\r", 100), QStringList{""});
    EXPECT_EQ(g.FoldText("a\r\rb", 100), (QStringList{"a", "", "b"}));
    // The check comes before a character is added, so a line keeps the
    // first character that takes it past the width; spaces are no breaks.
    EXPECT_EQ(g.FoldText("ab cd", 20), (QStringList{"ab ", "cd"}));
    int32_t w = 0, h = 0;
    EXPECT_TRUE(g.GetTextSize("xyz", w, h));
    EXPECT_EQ(w, 30);
    w = -7;
    EXPECT_FALSE(g.GetTextSize("", w, h));
    EXPECT_EQ(w, -7);
    EXPECT_TRUE(g.GetTextExtent(nullptr, "", w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST(MapGraphText, FontListFileAndFailures) {
    TestFolder folder;
    FileSystem::SetProgramFolder(folder.path());
    TextDrawing t;
    std::vector<clsMapGraph::FontRecord> list(2);
    list[0].name = "A";
    list[0].weight = 400;
    list[0].pitchAndFamily = 2;
    list[1].name = QString::fromUtf8("日本");
    list[1].weight = 700;
    list[1].pitchAndFamily = 1;
    list[1].charSet = 128;
    t.g.SetFontList(list);
    t.g.WritearFont();
    const QByteArray header = "\"No., TypeFaceName, Weight, PitchAndFamily, CharSet\"\r\n";
    EXPECT_EQ(folder.read("arFont.TXT"), header + "0,\"A\",400,2,0\r\n1,\"\x93\xfa\x96{\",700,1,128\r\n");

    // An empty list: the font cannot be made; the header alone is written,
    // once per face that fails; the old font stays.
    ASSERT_TRUE(t.g.SetFont("A", 12, 0, 0, kRed, -1));
    t.g.SetFontList({});
    EXPECT_FALSE(t.g.SetFont("B", 12, 0, 0, kRed, -1));
    EXPECT_EQ(folder.read("arFont.TXT"), header);
    EXPECT_EQ(t.g.FontFace(), "A");
    QFile::remove(folder.file("arFont.TXT"));
    EXPECT_FALSE(t.g.SetFont("B", 12, 0, 0, kRed, -1));
    EXPECT_FALSE(QFile::exists(folder.file("arFont.TXT")));
    EXPECT_FALSE(t.g.SetFont("C", 12, 0, 0, kRed, -1));
    EXPECT_TRUE(QFile::exists(folder.file("arFont.TXT")));
    FileSystem::SetProgramFolder(QString());
}

} // namespace
