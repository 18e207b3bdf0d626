#include "document/clsMapCell.h"

#include "document/clsAdmin.h"
#include "document/clsMapFigure.h"
#include "document/clsThing.h"

bool clsMapCell::IsValid() const {
    return mMapFig && mAdmin && mThing && mMapFig->IsRight();
}

int32_t clsMapCell::RealColor() const {
    if (!mMapFig) return -1;
    const int32_t own = mMapFig->OwnColor();
    if (own != -1) return own;
    if (!mThing || !mAdmin) return -1;
    mThing->SetPage(mAdmin->Page());
    return mThing->Fore();
}
