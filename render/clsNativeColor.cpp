#include "render/clsNativeColor.h"

#include "core/ColorLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/clsRegistry.h"
#include "platform/VospError.h"

#include <cmath>

namespace {

const QString Section = QStringLiteral("NATIVECOLOR");
constexpr int32_t White = 0xFFFFFF;

QString UserKey(int32_t i) { return QStringLiteral("USER%1").arg(i - clsNativeColor::PalUserStart()); }

struct RowRule {
    int32_t grey, saturation, value, hueOffset;
};
constexpr RowRule Rules[9] = {{255, 100, 100, 0}, {224, 67, 100, 15}, {192, 41, 100, 0},
                              {160, 27, 100, 15}, {128, 100, 70, 0},  {96, 67, 70, 15},
                              {64, 41, 70, 0},    {32, 100, 40, 0},   {0, 67, 40, 15}};

int32_t Channel(double x)
{
    const double v = std::nearbyint(x * 256.0);
    return v > 255.0 ? 255 : static_cast<int32_t>(v);
}

int32_t Rgb(int32_t r, int32_t g, int32_t b) { return r + 256 * g + 65536 * b; }

// A stored value as a colour: the number rounded to a 32-bit integer and
// masked to 24 bits; white when it is no number or out of range.
int32_t ToColor(const QString& text)
{
    try {
        const double r = std::nearbyint(Library::CDbl(text));
        if (r < -2147483648.0 || r > 2147483647.0)
            return White;
        return Library::DblToLng(r) & White;
    } catch (...) {
        return White;
    }
}

} // namespace

clsNativeColor::clsNativeColor()
{
    table_[0] = -1;
    size_t next = 1;
    for (const RowRule& row : Rules) {
        table_[next++] = Rgb(row.grey, row.grey, row.grey);
        for (int32_t h = 0; h < 360; h += 30) {
            const ColorTriple c = ColorLib::HSVtoRGB(
                {double(h + row.hueOffset), row.saturation / 100.0, row.value / 100.0});
            table_[next++] = Rgb(Channel(c.c1), Channel(c.c2), Channel(c.c3));
        }
    }
    try {
        ReadRegistry();
    } catch (...) {
        // A settings failure must not stop the palette.
    }
}

int32_t clsNativeColor::Color(int32_t iPal) const
{
    if (iPal < PalStart() || iPal > PalEnd())
        return -2;
    return table_[static_cast<size_t>(iPal + 1)];
}

void clsNativeColor::SetColor(int32_t iPal, int32_t rgb24)
{
    if (iPal < PalUserStart() || iPal > PalUserEnd())
        return;
    table_[static_cast<size_t>(iPal + 1)] = rgb24 & White;
}

int16_t clsNativeColor::Attr(int32_t iPal) const
{
    if (iPal == -1)
        return 1;
    if (iPal >= PalBaseStart() && iPal <= PalBaseEnd())
        return 2;
    if (iPal >= PalUserStart() && iPal <= PalUserEnd())
        return 3;
    return 0;
}

int16_t clsNativeColor::RGBtoPal(int32_t rgb24) const
{
    if (rgb24 == -1)
        return -1;
    if ((rgb24 & ~White) != 0)
        return -2;
    for (int16_t i = 0; i <= PalEnd(); ++i)
        if (table_[static_cast<size_t>(i + 1)] == rgb24)
            return i;
    return -2;
}

int16_t clsNativeColor::PalSpace() const
{
    for (int16_t i = PalUserStart(); i <= PalUserEnd(); ++i)
        if (table_[static_cast<size_t>(i + 1)] == White)
            return i;
    return -1;
}

void clsNativeColor::ReadRegistry()
{
    try {
        clsRegistry reg;
        reg.mSection = Section;
        for (int32_t i = PalUserStart(); i <= PalUserEnd(); ++i) {
            // Each key on its own: one bad value does not lose the others.
            table_[static_cast<size_t>(i + 1)] = ToColor(reg.RegGet(UserKey(i), White));
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, "clsNativeColor", "ReadRegistry");
    }
}

void clsNativeColor::WriteRegistry() const
{
    try {
        clsRegistry reg;
        reg.mSection = Section;
        for (int32_t i = PalUserStart(); i <= PalUserEnd(); ++i)
            reg.RegPut(UserKey(i), table_[static_cast<size_t>(i + 1)]);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, "clsNativeColor", "WriteRegistry");
    }
}
