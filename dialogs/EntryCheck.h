#pragma once
// The checks the settings dialogs' entries share. Each reads the entry's
// text, stores the value only when it is acceptable, and otherwise tells the
// user (the out-of-range message names the range) and returns false.
#include <QString>
#include <cstdint>

class EntryCheck {
public:
    // The number the text holds; 0 when it holds none.
    static double Number(const QString& text);
    // The out-of-range message for the range "low～high".
    static void SayRange(const QString& low, const QString& high);
    // Whether v lies within [low, high]; says the range when not.
    static bool Within(int32_t v, int32_t low, int32_t high);
    // A scale denominator within the projection's scale limits.
    static bool Scale(const QString& text, double& scale);
    // A longitude or latitude in the program's angle format.
    static bool Longitude(const QString& text, int32_t& lon);
    static bool Latitude(const QString& text, int32_t& lat);
};
