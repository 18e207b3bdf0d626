#pragma once
// Angles: seconds of arc (signed 32-bit, 1296000 to the circle) at the
// interfaces, radians inside; plane and sphere vector helpers.
#include <cstdint>

namespace AngleLib {

inline constexpr double Pi = 3.14159265358979;
inline constexpr double HalfPi = 1.5707963267949;
inline constexpr double RadPerSec = 4.848136811095355e-6;

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
void NormalizeLL(int32_t& lon, int32_t& lat);

} // namespace AngleLib
