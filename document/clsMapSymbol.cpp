#include "document/clsMapSymbol.h"

#include "document/MapBytes.h"

std::shared_ptr<clsMapFigure> clsMapSymbol::Copy() const {
    auto f = std::make_shared<clsMapSymbol>();
    CopyAnchorTo(*f);
    return f;
}

void clsMapSymbol::ReadElm(MapBytes& in, int16_t version) {
    switch (version) {
    case 104:
        admin_ = in.Int16();
        thing_ = in.Int16();
        mx_ = in.Int32();
        my_ = in.Int32();
        HMap::DecodeAttr104(in.Int32(), ownShowMode_, ownColor_);
        break;
    case 105:
        admin_ = in.Int16();
        thing_ = in.Int16();
        HMap::DecodeAttr105(in.Int32(), jumpMark_, ownShowMode_, ownColor_);
        mx_ = in.Int32();
        my_ = in.Int32();
        break;
    case 106:
        ReadHead106(in);
        mx_ = in.Int32();
        my_ = in.Int32();
        break;
    default:
        admin_ = in.Int16();
        thing_ = in.Int16();
        mx_ = in.Int32();
        my_ = in.Int32();
        break;
    }
    modify_ = false;
}
