#include "core/LibraryFonts.h"

#include "platform/FontCatalog.h"

#include <algorithm>
#include <vector>

namespace Library {

bool FontExists(const QString& faceName) {
    const std::vector<FontCatalog::FamilyInfo> families = FontCatalog::InstalledFamilies();
    return std::any_of(families.begin(), families.end(),
                       [&](const FontCatalog::FamilyInfo& f) { return f.name.compare(faceName, Qt::CaseInsensitive) == 0; });
}

} // namespace Library
