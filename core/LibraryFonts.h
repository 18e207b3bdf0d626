#pragma once
// Fonts: whether a face is installed.
#include <QString>

namespace Library {

bool FontExists(const QString& faceName);

} // namespace Library
