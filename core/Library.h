#pragma once
// General helpers used throughout, in namespace Library, one header per
// theme; this header gathers them all.
// The helpers that take widgets or fonts (SelectComboText, CloneFont,
// CtlWidthPixels, CtlHeightPixels) are in platform/WidgetLib.h.
#include "core/LibraryBytes.h"
#include "core/LibraryFiles.h"
#include "core/LibraryFonts.h"
#include "core/LibraryMaths.h"
#include "core/LibraryMessages.h"
#include "core/LibraryNumberText.h"
#include "core/LibraryNumerals.h"
#include "core/LibraryScreen.h"
#include "core/LibraryText.h"
