#pragma once
// The colour-coded map: up to eight page colours derived from the land
// thing's page 1, and a page for every area, from a preset area file or at
// random, so that the land is coloured area by area.
#include <QString>
#include <cstdint>
#include <functional>

class clsAdmins;
class clsThing;

class ColoredMap {
public:
    enum Mode { Pattern, Saturation, Hue };

    // The number of colours from "ColoredMapNum" (4..8, 8 otherwise).
    static int16_t ColorCount();
    // Pages 2..n of `land` from its page 1; pages n+1..8 stay copies of
    // page 1. Returns the variant chosen by the land colour.
    static Mode MakePages(clsThing& land, int16_t n);
    // Every area takes the page of the preset area of the same code; other
    // areas keep theirs. False when the preset file cannot be loaded.
    static bool ApplyPreset(clsAdmins& admins, const QString& presetPath);
    // Pages 1..n at random; `random` gives r in [0, 1).
    static void RandomPages(clsAdmins& admins, int16_t n, const std::function<double()>& random);
    // The preset file for n colours when group 1 is "ASIA", else "".
    static QString PresetPath(const clsAdmins& admins, int16_t n);
};
