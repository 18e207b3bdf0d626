#pragma once
// A resolution kept in the settings carries a marker beside it, the key's
// name plus "Auto": "True" when the value came from the screen, so that it
// follows the screen of the next start (a device pixel ratio of 2 doubles
// it), "False" when the user entered it, so that it stays.
#include <QString>
#include <cstdint>

class clsRegistry;

namespace ScreenDpiMark {

QString MarkerKey(const QString& key);

// Whether the stored value came from the screen. A marker that reads as
// neither "True" nor "False" (a file written before the markers, or none)
// leaves it to the value: the screen's resolution now, or one the screen
// gives at a device pixel ratio from 1 to 4 in quarter steps, counts as the
// screen's, for the program stored no other on its own.
bool FromScreen(int32_t stored, const QString& marker);
bool IsScreenLike(int32_t dpi);
// The marker of `key` in `reg`'s section, judged with the stored value.
bool FromScreen(const clsRegistry& reg, const QString& key, int32_t stored);

// Empties the markers of the resolutions in `reg`'s section, so that an
// imported block without them is judged by its own values.
void Forget(clsRegistry& reg);

} // namespace ScreenDpiMark
