#include "core/LibraryFonts.h"

#include "platform/FontCatalog.h"

namespace Library {

bool FontExists(const QString& faceName) {
    // Under any name fontconfig gives the family, not only the one the font
    // database lists in the current locale.
    return !FontCatalog::Find(faceName, FontCatalog::InstalledNames()).isEmpty();
}

} // namespace Library
