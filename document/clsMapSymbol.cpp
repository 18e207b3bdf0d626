#include "document/clsMapSymbol.h"

#include "document/MapBytes.h"

std::shared_ptr<clsMapFigure> clsMapSymbol::Copy() const {
    auto f = std::make_shared<clsMapSymbol>();
    CopyAnchorTo(*f);
    return f;
}

void clsMapSymbol::ReadElm(MapBytes& in, int16_t version) {
    ReadCodesBeforeBody(in, version);
    mx_ = in.Int32();
    my_ = in.Int32();
    ReadAttrAfterBody(in, version);
    modify_ = false;
}
