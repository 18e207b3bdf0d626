#pragma once
// The sphere every map is drawn on, the range of scales the program accepts,
// and the catalogue of the 30 projection indexes (names, property words,
// help topics) with the viewing-distance helpers.
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

class clsEnvironment;

namespace MapProjection {

// The radius used whenever the configured one is missing or unusable.
inline constexpr double DefaultGlobeRadius = 6371000.78997414;

// Set by InitGlobe, 0 before it; nothing else writes them.
extern double GlobeRadius;      // metres
extern double GlobeCircum;      // 2 x radius x pi, metres
extern double GlobeSecLength;   // metres per second of arc along a great circle
extern int32_t GlobeCircumLong; // GlobeCircum rounded, saturated to 32 bits
extern double ScaleMax;         // largest scale denominator accepted
extern double ScaleMin;         // smallest scale denominator accepted

// Reads "GlobeRadius" from the global environment store (a missing store
// counts as a missing key).
void InitGlobe();
// The same from a given store; nullptr counts as a missing key.
void InitGlobe(const clsEnvironment* env);
// The same from the text of the key (a length, default unit metres).
void InitGlobeText(const QString& text);
// Sets every sphere variable from a radius in metres; a radius outside
// 10000 .. 53 x the default falls back to the default.
void InitGlobeRadius(double metres);

double LightDistanceMin();
double LightDistanceMax();
bool IsValidLight(double light);
// Eye altitude above the surface in whole metres.
double LightToAltitude(double light);
double AltitudeToLight(double metres);

bool IsValidScale(double scale);
double LimitScale(double scale);

// Display name from the environment store keys PrjName01..PrjName30.
QString PrjName(int16_t index);
QString PrjName(int16_t index, const clsEnvironment* env);
int PrjNameToIndex(const QString& name);
int PrjNameToIndex(const QString& name, const clsEnvironment* env);

// The built-in standard Japanese name of an index ("" outside 1..30).
QString StandardPrjName(int16_t index);

int32_t PrjStatus(int16_t index);

// The outline of the whole globe in a projection (byte 1 of the property
// word) and what the drawing decides from it, named so that no caller
// decodes the word itself.
struct PrjShape {
    uint8_t outline = 0;

    static constexpr uint8_t Circle = 0x01;
    static constexpr uint8_t Rectangle = 0x02;
    static constexpr uint8_t Fan = 0x04;
    static constexpr uint8_t Ellipse = 0x08;
    static constexpr uint8_t Spindle = 0x10;
    static constexpr uint8_t Barrel = 0x20;
    static constexpr uint8_t Other = 0x40;

    // Circle, fan, ellipse, spindle or barrel: the graticule widens its
    // longitude step by the centre's latitude and stops short of the poles.
    bool IsRounded() const { return (outline & (Circle | Fan | Ellipse | Spindle | Barrel)) != 0; }
    // Meridians and parallels stay straight: lines need no extra points.
    bool IsRectangular() const { return (outline & Rectangle) != 0; }
    // Ellipse, spindle or beyond: meridians bend in x too, so lines get
    // points in both directions.
    bool BendsMeridians() const { return (outline & 0xF8) != 0; }
    // The frame of the projected globe has parallels (every outline but
    // ellipse and spindle) and meridians (every outline but circle).
    bool FramesParallels() const { return (outline & ~(Ellipse | Spindle)) != 0; }
    bool FramesMeridians() const { return (outline & ~Circle & 0xFF) != 0; }
};
PrjShape PrjShapeOf(int16_t index);
QList<int> PrjListByStatus(int32_t mask);
int32_t PrjHelpID(int16_t index);

// Altitudes in metres offered for the viewing distance, ascending.
std::vector<double> AltitudeSteps();

} // namespace MapProjection
