#include "render/MonoBitmap.h"

#include "BmpFiles.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(MonoBitmap, TextRowsGiveInkAndPaperAndRoundTrip) {
    const QStringList rows{"#..#", ".##.", "...."};
    const auto bm = MonoBitmap::FromText(rows);
    ASSERT_TRUE(bm);
    EXPECT_EQ(bm->Width(), 4);
    EXPECT_EQ(bm->Height(), 3);
    EXPECT_TRUE(bm->Ink(0, 0));
    EXPECT_FALSE(bm->Ink(1, 0));
    EXPECT_TRUE(bm->Ink(3, 0));
    EXPECT_TRUE(bm->Ink(2, 1));
    EXPECT_EQ(bm->InkCount(), 4);
    // Outside the picture is paper, and setting there changes nothing.
    EXPECT_FALSE(bm->Ink(-1, 0));
    EXPECT_FALSE(bm->Ink(4, 0));
    EXPECT_FALSE(bm->Ink(0, 3));
    MonoBitmap copy = *bm;
    copy.SetInk(4, 0, true);
    copy.SetInk(0, -1, true);
    EXPECT_EQ(copy, *bm);
    EXPECT_EQ(bm->ToText(), rows);
}

TEST(MonoBitmap, MalformedTextIsRefused) {
    EXPECT_FALSE(MonoBitmap::FromText({}));
    EXPECT_FALSE(MonoBitmap::FromText({""}));
    EXPECT_FALSE(MonoBitmap::FromText({"##", "#"}));     // ragged
    EXPECT_FALSE(MonoBitmap::FromText({"#.", "#x"}));    // stray character
    EXPECT_FALSE(MonoBitmap::FromText({"# "}));          // blank is not paper
    EXPECT_FALSE(MonoBitmap::FromText({QString(257, u'.')}));
    EXPECT_FALSE(MonoBitmap::FromText(BmpFiles::Rows(257, "#")));
    const auto largest = MonoBitmap::FromText(BmpFiles::Rows(256, QString(256, u'#')));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->InkCount(), 256 * 256);
}

TEST(MonoBitmap, ImagesAreThresholdedAtGrey128) {
    QImage img(4, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(127, 127, 127));  // grey 127: ink
    img.setPixel(1, 0, qRgb(128, 128, 128));  // grey 128: paper
    img.setPixel(2, 0, qRgb(255, 0, 0));      // pure red: grey 87, ink
    img.setPixel(3, 0, qRgb(0, 255, 0));      // pure green: grey 127, ink
    const auto bm = MonoBitmap::FromImage(img);
    ASSERT_TRUE(bm);
    EXPECT_EQ(bm->ToText(), QStringList{"#.##"});
    EXPECT_FALSE(MonoBitmap::FromImage(QImage()));
    EXPECT_FALSE(MonoBitmap::FromImage(QImage(257, 2, QImage::Format_RGB32)));
    EXPECT_FALSE(MonoBitmap::FromImage(QImage(2, 257, QImage::Format_RGB32)));
    EXPECT_TRUE(MonoBitmap::FromImage(QImage(256, 256, QImage::Format_Mono)));
}

TEST(MonoBitmap, BitmapFilesOfEitherDepthLoad) {
    TestFolder t;
    const QStringList rows{"#.......#", "..#......", "........#"};  // 9 wide: a row spans two bytes
    const auto one = MonoBitmap::LoadFile(t.write("one.bmp", BmpFiles::Make(rows, 1)));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->ToText(), rows);
    // 24 bits: dark grey 100 is ink, light grey 160 paper.
    const auto deep = MonoBitmap::LoadFile(t.write("deep.bmp", BmpFiles::Make(rows, 24, 100, 160)));
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->ToText(), rows);
}

TEST(MonoBitmap, BadFilesGiveNothing) {
    TestFolder t;
    EXPECT_FALSE(MonoBitmap::LoadFile(t.file("missing.bmp")));
    EXPECT_FALSE(MonoBitmap::LoadFile(t.write("junk.bmp", "BM this is no bitmap")));
    EXPECT_FALSE(MonoBitmap::LoadFile(t.write("empty.bmp", "")));
    EXPECT_FALSE(MonoBitmap::LoadFile(t.write("wide.bmp", BmpFiles::Make({QString(257, u'#')}, 1))));
    // A header that claims a huge picture is refused before anything is decoded.
    QByteArray forged = BmpFiles::Make({"#"}, 1);
    forged.replace(18, 4, QByteArray("\x40\x42\x0F\x00", 4));  // width 1000000
    EXPECT_FALSE(MonoBitmap::LoadFile(t.write("forged.bmp", forged)));
    const auto edge = MonoBitmap::LoadFile(t.write("edge.bmp", BmpFiles::Make(BmpFiles::Rows(256, "#"), 1)));
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->Height(), 256);
}

} // namespace
