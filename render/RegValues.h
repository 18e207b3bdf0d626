#pragma once
// Typed reads of a settings section: a stored value that does not convert
// gives the default, so bad settings never stop the program.
#include "core/clsRegistry.h"

#include <cstdint>

namespace RegValues {

bool GetBool(const clsRegistry& reg, const QString& key, bool def);
int32_t GetLong(const clsRegistry& reg, const QString& key, int32_t def);
// A 16-bit value; anything outside -32768..32767 gives the default.
int16_t GetInteger(const clsRegistry& reg, const QString& key, int16_t def);
double GetDouble(const clsRegistry& reg, const QString& key, double def);

// Values of "Environment.txt" kept within min..max; the default while no
// store is installed.
double EnvVal(const char* key, double def, double min, double max);
// The same rounded to a whole number.
int32_t EnvInt(const char* key, int32_t def, int32_t min, int32_t max);
QString EnvText(const char* key, const QString& def);

// The conversions themselves, for texts from elsewhere.
bool TextToBool(const QString& text, bool def);
int32_t TextToLong(const QString& text, int32_t def);
double TextToDouble(const QString& text, double def);

} // namespace RegValues
