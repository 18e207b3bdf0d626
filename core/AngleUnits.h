#pragma once
// The engine's one set of angle constants, free of every other header so
// that the lowest maths can use them. Pi and pi/2 are the 15-digit values
// the engine has always computed with, not the full double (3.14159265358979
// lies 3.2e-15 below M_PI): every projection, bearing and angle text
// depends on them to the last bit.
namespace AngleLib {

inline constexpr double Pi = 3.14159265358979;
inline constexpr double HalfPi = 1.5707963267949;
inline constexpr double RadPerSec = 4.848136811095355e-6;

} // namespace AngleLib
