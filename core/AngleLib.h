#pragma once
// Angles: seconds of arc (signed 32-bit, 1296000 to the circle) at the
// interfaces, radians inside; plane and sphere vector helpers.
#include "core/AngleUnits.h"
#include "core/CoordTypes.h"

#include <QString>
#include <cstdint>

namespace AngleLib {

double SecToRadian(int32_t sec);
// Nearest whole second (halves to even), saturating at +-2147483647.
int32_t RadianToSec(double rad);

// Direction of (x, y) counter-clockwise from +x, in [-pi, pi): the negative
// x axis gives -pi, (0, 0) gives 0.
double AnglePosToRadian(double x, double y);
void RotateXY(double angle, double& x, double& y);

// Direction on the sphere (longitude a, latitude b in radians) and unit
// vector: x = sin a cos b, y = sin b, z = -cos a cos b.
void AngleToVector(double a, double b, double& x, double& y, double& z);
void VectorToAngle(double x, double y, double z, double& lon, double& lat);

// Longitude into -648000..648000 (540 degrees give +180); latitude first
// normalised like a longitude, then folded over the pole into -324000..324000.
int32_t NormLon(int32_t sec);
int32_t NormLat(int32_t sec);
// The same in 64 bits, for values that may pass 2^31 on the way.
int64_t NormLon64(int64_t sec);
int64_t NormLat64(int64_t sec);
MapPoint NormalizeLL(MapPoint m);
void NormalizeLL(int32_t& lon, int32_t& lat);

// Angle texts. Three process-wide options choose every angle text: format
// 1 d-m-s, 2 d-m (rounded to the minute), 3 seconds, 4 decimal degrees,
// 5 radians; unit marks 1 度分秒, 2 °′″, 3 dms, 4 ﾟ'", 5 "_", 6 blank;
// direction 1 東経/北緯 before, 2 E/N before, 3 E/N after, 4 +/- before.
// A setter refuses a value out of range with false. Unset options read as
// 1, 2 and 2 from the first formatting call on.
bool SetAngleFormat(int16_t f);
bool SetAngleUnit(int16_t u);
bool SetAngleDir(int16_t d);
int16_t AngleFormat(); // 0 until set

// The signed text ("+135°30′15″"); never fails for any 32-bit input
// (degrees keep their last three digits).
QString SecToStr(int32_t seconds);
// SecToStr of minutes x 60; in format 1 without the seconds field.
QString MinToStr(int32_t minutes);
// Replaces the sign of a SecToStr text by the direction marking of kind 1
// (longitude) or 2 (latitude; the hundreds digit of the degrees dropped).
QString AddDirChr(const QString& text, int16_t kind);
QString AngleToStr(int32_t seconds);
QString LonToStr(int32_t seconds);
QString LatToStr(int32_t seconds);
QString LonMinToStr(int32_t minutes);
QString LatMinToStr(int32_t minutes);

// Reads an angle typed in any of the notations users write (東経135度30分,
// W135.5, 35 30 15, N35°30′, 0.5rad, kanji numerals, full-width forms) into
// the 12-character formal string: axis (" ", "X" or "Y"), sign, "dddﾟmm'ss"
// and a double quote. Raises an error when the text is no angle.
QString AngleFormalStr(const QString& text);
int32_t AngleSecStrToVal(const QString& text); // raises when no angle
int32_t AngleStrToSec(const QString& text);    // 0 when no angle

} // namespace AngleLib
