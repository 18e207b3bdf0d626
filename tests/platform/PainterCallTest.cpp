// Every call that reaches the toolkit's painter must return with the upper
// halves of the wide vector registers clean: the plain SSE code that runs
// after it (every projection, every pixel loop) is otherwise slowed down
// many times over by the processor's state transitions.
#include "platform/DeviceContext.h"

#include "support/GuiApp.h"

#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

#if defined(__x86_64__)

// XGETBV with ECX = 1 reports which state components are in use; bit 2 is
// the upper halves of YMM0-15, bit 6 the upper halves of ZMM0-15.
bool CanReadStateInUse()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE) || !(c & bit_AVX))
        return false;
    // The system must have switched the YMM state on as well.
    unsigned xcr0 = 0, high = 0;
    asm volatile("xgetbv" : "=a"(xcr0), "=d"(high) : "c"(0));
    if ((xcr0 & 6u) != 6u)
        return false;
    if (!__get_cpuid_count(0xD, 1, &a, &b, &c, &d))
        return false;
    return (a & (1u << 2)) != 0;
}

bool UpperHalvesInUse()
{
    unsigned lo = 0, hi = 0;
    asm volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
    return (lo & ((1u << 2) | (1u << 6))) != 0;
}

// Leaves the upper half of ymm1 non-zero, as a vectorised routine may.
void DirtyUpperHalves() { asm volatile("vpcmpeqd %%ymm1, %%ymm1, %%ymm1" ::: "xmm1"); }

TEST(DeviceContextVectorState, PainterCallsLeaveTheUpperHalvesClean)
{
    if (!CanReadStateInUse())
        GTEST_SKIP() << "the processor cannot report the vector state in use";
    // The probe itself must see a dirty state, or the checks below prove nothing.
    DirtyUpperHalves();
    ASSERT_TRUE(UpperHalvesInUse());

    EnsureGuiApp();
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(image);
    DcFont font;
    font.family = QStringLiteral("Sans");
    font.pixelHeight = 12;
    const int32_t square[8] = {4, 4, 40, 4, 40, 30, 4, 30};
    const int32_t zigzag[8] = {2, 40, 20, 10, 38, 40, 60, 12};
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"SetROP2", [&] { dc.SetROP2(Gdi::R2_XORPEN); dc.SetROP2(Gdi::R2_COPYPEN); }},
        {"SetClipRect", [&] { dc.SetClipRect(1, 1, 60, 44); }},
        {"AndPolygonClip", [&] { dc.AndPolygonClip(square, 4); }},
        {"ResetPolygonClip", [&] { dc.ResetPolygonClip(); }},
        {"solid fill", [&] { dc.SelectBrush(DcBrush::SolidBrush(0x00FF00)); dc.SelectPen({Gdi::PS_NULL, 1, 0, false}); dc.Polygon(square, 4); }},
        {"hatch fill", [&] { dc.SelectBrush(DcBrush::HatchBrush(Gdi::HS_CROSS, 0xFF0000)); dc.Polygon(zigzag, 4); }},
        {"FillRect", [&] { dc.FillRect(2, 2, 30, 20, DcBrush::SolidBrush(0x0000FF)); }},
        {"wide Polyline", [&] { dc.SelectPen({Gdi::PS_SOLID, 3, 0x000080, false}); dc.Polyline(zigzag, 4); }},
        {"geometric dashed LineTo", [&] { dc.SelectPen({Gdi::PS_DASH, 4, 0x808000, true}); dc.MoveTo(0, 0); dc.LineTo(63, 47); }},
        {"wide Rectangle", [&] { dc.SelectPen({Gdi::PS_SOLID, 2, 0, false}); dc.Rectangle(5, 5, 50, 40); }},
        {"SelectFont", [&] { dc.SelectFont(font); }},
        {"TextOut", [&] { dc.TextOut(10, 30, QStringLiteral("地名 Abc")); }},
        {"GetTextExtentPoint", [&] { int32_t w = 0, h = 0; dc.GetTextExtentPoint(QStringLiteral("地名"), w, h); }},
        {"GetTextMetrics", [&] { DcTextMetrics tm; dc.GetTextMetrics(tm); }},
    };
    for (const auto& [name, call] : calls) {
        DirtyUpperHalves();
        call();
        EXPECT_FALSE(UpperHalvesInUse()) << name;
    }
    DirtyUpperHalves();
    {
        QImage other(8, 8, QImage::Format_RGB32);
        DeviceContext made(other);
        EXPECT_FALSE(UpperHalvesInUse()) << "constructor";
        DirtyUpperHalves();
    }
    EXPECT_FALSE(UpperHalvesInUse()) << "destructor";
}

#endif

} // namespace
