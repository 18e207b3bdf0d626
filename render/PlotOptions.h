#pragma once
// The plot engine's switches, its automatic projection choice and its
// plotting pitches, as one value. A drawing takes a copy when it starts, so
// that it draws with one set of switches from its first figure to its last.
#include <QString>
#include <cstdint>

struct PlotOptions {
    bool mProjectionAuto = true;
    bool mGridEi = true;
    bool mGridAuto = true;
    bool mGridOcean = false;
    bool mGridString = true;
    // Kept and saved here for the main window, which draws the accessories.
    bool mAcsEi = false;
    bool mEdgeEi = true;
    bool mTextSlant = false;
    QString mAzimuthLine;
    // Figure kinds drawn: bit 2^(code-1) for codes 1..5.
    int16_t mFigDisp = 31;
    bool mDetailEi = false;
    // Kept and saved here for the main window.
    int16_t mFigPick = 31;
    bool mFigNativeEi = true;
    bool mFigShowModeEi = true;
    bool mThgShowModeEi = true;
    bool mAdmShowModeEi = true;

    // The automatic projection: absolute centre latitudes in seconds of arc,
    // the small-scale divisor of the largest scale, and the indexes chosen.
    int32_t plotHighLat = 270000;
    int32_t plotLowLat = 54000;
    int32_t plotSmallRatio = 5;
    int16_t autoHigh = 6;
    int16_t autoMiddle = 23;
    int16_t autoLow = 12;
    int16_t autoSmall = 19;
    // Millimetres on the output: the widest automatic graticule spacing,
    // the spacing of the points put into lines, and the flattening
    // tolerance of projected lines (0 for the fixed one).
    int32_t plotGridPitch = 50;
    int32_t plotChopPitch = 16;
    int32_t plotFlatPitch = 0;

    // The automatic projection and the pitches from "Environment.txt".
    void ReadEnvironment();
    // The index the automatic choice takes at a centre latitude and scale.
    int16_t AutoProjection(int32_t absLat, double scale) const;
    // Whether figures of the code (1..5) are drawn.
    bool Shows(int32_t code) const { return (mFigDisp & (1 << (code - 1))) != 0; }
};
