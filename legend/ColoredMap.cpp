#include "legend/ColoredMap.h"

#include "core/ColorLib.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "core/clsEnvironment.h"
#include "document/clsAdmins.h"
#include "document/clsThing.h"

#include <cmath>

namespace {

ColorTriple hsvOf(int32_t rgb) { return ColorLib::RGBtoHSV(ColorLib::RGBtoDbl(rgb)); }

int32_t rgbOf(const ColorTriple& hsv) { return ColorLib::DblToRGB(ColorLib::HSVtoRGB(hsv)); }

// The hue turned by `step` whole degrees, from the hue rounded to degrees.
double turned(double hue, int32_t step) { return double((int32_t(std::nearbyint(hue)) + step) % 360); }

} // namespace

int16_t ColoredMap::ColorCount()
{
    const clsEnvironment* env = PublicVal::gvEnvironment;
    return env ? int16_t(env->GetVal(QStringLiteral("ColoredMapNum"), 8, 4, 8)) : int16_t(8);
}

ColoredMap::Mode ColoredMap::MakePages(clsThing& land, int16_t n)
{
    land.SameOne();
    land.SetPage(1);
    ColorTriple f = hsvOf(land.Fore());
    ColorTriple b = hsvOf(land.Back());
    Mode mode = Hue;
    if (f.c3 < 0.25) {
        // Dark land: pale colours and hatch patterns tell the pages apart.
        mode = Pattern;
        f.c3 = 0.75;
        f.c2 /= 4;
        land.SetFore(rgbOf(f));
        b.c3 = 1.0;
        b.c2 /= 4;
        land.SetBack(rgbOf(b));
        land.SetStyle(1);
        land.SameOne();
    } else if (f.c2 < 0.1) {
        // Grey land: the pages grow more saturated.
        mode = Saturation;
        b.c2 = f.c2;
        land.SetBack(rgbOf(b));
    }
    const int32_t step = 360 / n;
    for (int16_t p = 2; p <= n; ++p) {
        land.SetPage(p);
        switch (mode) {
        case Pattern:
            land.SetStyle(int16_t(p % 6));
            break;
        case Saturation:
            f.c2 += 0.64 / n;
            land.SetFore(rgbOf(f));
            b.c2 += 0.64 / n;
            land.SetBack(rgbOf(b));
            break;
        case Hue:
            f.c1 = turned(f.c1, step);
            land.SetFore(rgbOf(f));
            if (land.Back() != -1) {
                b.c1 = turned(b.c1, step);
                land.SetBack(rgbOf(b));
            }
            break;
        }
    }
    land.SetPage(1);
    return mode;
}

QString ColoredMap::PresetPath(const clsAdmins& admins, int16_t n)
{
    if (admins.AreaName(1, 1).compare(QStringLiteral("ASIA"), Qt::CaseInsensitive) != 0)
        return {};
    const clsEnvironment* env = PublicVal::gvEnvironment;
    const QString file = env ? env->GetString(QString::number(n) + QStringLiteral("ColoredMapAdm"), {}) : QString();
    return file.isEmpty() ? QString() : Library::JoinPath(PublicVal::gvMapFolder, file);
}

bool ColoredMap::ApplyPreset(clsAdmins& admins, const QString& presetPath)
{
    clsAdmins preset;
    preset.SetFileName(presetPath);
    if (preset.Load() != 0)
        return false;
    for (const auto& a : admins) {
        if (const auto p = preset.Item(a->AdminCode()))
            a->SetPage(p->Page());
    }
    return true;
}

void ColoredMap::RandomPages(clsAdmins& admins, int16_t n, const std::function<double()>& random)
{
    for (const auto& a : admins) {
        const auto page = int32_t(std::floor(random() * n)) + 1;
        a->SetPage(int16_t(Library::Clamp(page, 1, n)));
    }
}
