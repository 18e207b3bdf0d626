// The context keeps the selected font's toolkit objects and the last advance
// it measured; whatever it reuses must give what a fresh context gives.
#include "platform/DeviceContext.h"

#include "support/GuiApp.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

DcFont FontOf(int32_t pixels, bool bold = false) { return DcFont{QStringLiteral("Sans"), pixels, 0, bold}; }

QImage Paper(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The width a context that has measured nothing before reports.
int32_t FreshWidth(const DcFont& font, const QString& text)
{
    QImage image(8, 8, QImage::Format_RGB32);
    DeviceContext dc(image);
    EXPECT_TRUE(dc.SelectFont(font));
    int32_t w = -1, h = -1;
    EXPECT_TRUE(dc.GetTextExtentPoint(text, w, h));
    return w;
}

TEST(DeviceContextTextReuse, WidthsFollowTheFontAndTheText)
{
    EnsureGuiApp();
    const QString a = QStringLiteral("Abc 地名"), b = QStringLiteral("Abcdefgh");
    const int32_t small = FreshWidth(FontOf(12), a), large = FreshWidth(FontOf(30), a);
    ASSERT_GT(large, small);

    QImage image(8, 8, QImage::Format_RGB32);
    DeviceContext dc(image);
    int32_t w = 0, h = 0;
    ASSERT_TRUE(dc.SelectFont(FontOf(12)));
    ASSERT_TRUE(dc.GetTextExtentPoint(a, w, h));
    EXPECT_EQ(w, small);
    // The same text with another font, and back.
    ASSERT_TRUE(dc.SelectFont(FontOf(30)));
    ASSERT_TRUE(dc.GetTextExtentPoint(a, w, h));
    EXPECT_EQ(w, large);
    ASSERT_TRUE(dc.SelectFont(FontOf(12)));
    ASSERT_TRUE(dc.GetTextExtentPoint(a, w, h));
    EXPECT_EQ(w, small);
    // Another text with the same font, and a font differing only in weight.
    ASSERT_TRUE(dc.GetTextExtentPoint(b, w, h));
    EXPECT_EQ(w, FreshWidth(FontOf(12), b));
    ASSERT_TRUE(dc.SelectFont(FontOf(12, true)));
    ASSERT_TRUE(dc.GetTextExtentPoint(b, w, h));
    EXPECT_EQ(w, FreshWidth(FontOf(12, true), b));
    // Deselected, then selected again.
    dc.DeselectFont();
    EXPECT_FALSE(dc.GetTextExtentPoint(b, w, h));
    ASSERT_TRUE(dc.SelectFont(FontOf(30)));
    ASSERT_TRUE(dc.GetTextExtentPoint(b, w, h));
    EXPECT_EQ(w, FreshWidth(FontOf(30), b));
}

// Right- and centre-aligned text is placed by its advance: a text drawn
// after another was measured or drawn lands where a fresh context puts it.
TEST(DeviceContextTextReuse, AlignedTextIgnoresEarlierMeasurements)
{
    EnsureGuiApp();
    const QString first = QStringLiteral("W"), second = QStringLiteral("WWWW 地名");
    for (const int32_t align : {Gdi::TA_RIGHT, Gdi::TA_CENTER}) {
        QImage fresh = Paper(160, 40), reused = Paper(160, 40);
        {
            DeviceContext dc(fresh);
            dc.SetBkMode(Gdi::TRANSPARENT);
            dc.SelectFont(FontOf(16));
            dc.SetTextAlign(align + Gdi::TA_BASELINE);
            EXPECT_TRUE(dc.TextOut(150, 30, second));
        }
        {
            DeviceContext dc(reused);
            dc.SetBkMode(Gdi::TRANSPARENT);
            dc.SelectFont(FontOf(16));
            dc.SetTextAlign(align + Gdi::TA_BASELINE);
            int32_t w = 0, h = 0;
            dc.GetTextExtentPoint(first, w, h);
            // White on white leaves no trace but is measured and drawn.
            dc.SetTextColor(0xFFFFFF);
            dc.TextOut(150, 30, first);
            dc.SelectFont(FontOf(16));
            dc.SetTextColor(0);
            EXPECT_TRUE(dc.TextOut(150, 30, second));
        }
        EXPECT_EQ(fresh, reused) << "alignment " << align;
        EXPECT_NE(fresh, Paper(160, 40)); // something was drawn at all
    }
}

// A text drawn again (a halo's copies, a repeated name) comes from its
// shaping kept by the context: the pixels are those of the toolkit's own
// text drawing of each copy, with fonts of several sizes and weights.
TEST(DeviceContextTextReuse, KeptShapingDrawsTheToolkitsPixels)
{
    EnsureGuiApp();
    const int offsets[][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {0, -2}, {0, 2}, {-2, 0}, {2, 0}};
    const QString texts[] = {QStringLiteral("東京 Tokyo"), QStringLiteral("AVAWToTa fi"), QStringLiteral("地名12"),
                             QStringLiteral("Zürich – ŁÓDŹ")};
    const DcFont fonts[] = {{QStringLiteral("IPAPGothic"), 11},
                            {QStringLiteral("Liberation Sans"), 17, 0, true},
                            {QStringLiteral("Liberation Serif"), 30, 0, false, true}};
    for (const DcFont& f : fonts) {
        SCOPED_TRACE(f.family.toStdString());
        QImage kept = Paper(420, 160), plain = Paper(420, 160);
        {
            DeviceContext dc(kept);
            dc.SetBkMode(Gdi::TRANSPARENT);
            dc.SetTextAlign(Gdi::TA_LEFT + Gdi::TA_BASELINE);
            ASSERT_TRUE(dc.SelectFont(f));
            for (int t = 0; t < 4; ++t) {
                dc.SetTextColor(0x00FFFF);
                for (const auto& o : offsets) dc.TextOut(10 + o[0], 35 * (t + 1) + o[1], texts[t]);
                dc.SetTextColor(0x0000C0);
                EXPECT_TRUE(dc.TextOut(10, 35 * (t + 1), texts[t]));
            }
        }
        {
            QPainter p(&plain);
            QFont q(f.family);
            q.setPixelSize(f.pixelHeight);
            q.setWeight(f.bold ? QFont::Bold : QFont::Normal);
            q.setItalic(f.italic);
            q.setKerning(false);
            p.setFont(q);
            for (int t = 0; t < 4; ++t) {
                p.setPen(QColor(255, 255, 0));
                for (const auto& o : offsets) p.drawText(QPoint(10 + o[0], 35 * (t + 1) + o[1]), texts[t]);
                p.setPen(QColor(0xC0, 0, 0));
                p.drawText(QPoint(10, 35 * (t + 1)), texts[t]);
            }
        }
        EXPECT_EQ(kept, plain);
    }
}

} // namespace
