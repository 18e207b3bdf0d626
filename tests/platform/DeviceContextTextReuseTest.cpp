// The context keeps the selected font's toolkit objects and the last advance
// it measured; whatever it reuses must give what a fresh context gives.
#include "platform/DeviceContext.h"

#include "support/GuiApp.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

DcFont FontOf(int32_t pixels, bool bold = false)
{
    DcFont f;
    f.family = QStringLiteral("Sans");
    f.pixelHeight = pixels;
    f.bold = bold;
    return f;
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
        QImage fresh(160, 40, QImage::Format_RGB32), reused(160, 40, QImage::Format_RGB32);
        fresh.fill(Qt::white);
        reused.fill(Qt::white);
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
        // Something was drawn at all.
        QImage blank(160, 40, QImage::Format_RGB32);
        blank.fill(Qt::white);
        EXPECT_NE(fresh, blank);
    }
}

} // namespace
