#include "document/clsMapFigure.h"

#include "document/MapBytes.h"
#include "document/clsMapPolygon.h"
#include "document/clsMapPolyline.h"
#include "document/clsMapRem.h"
#include "document/clsMapSymbol.h"
#include "document/clsMapText.h"

clsMapFigure::~clsMapFigure() = default;

void clsMapFigure::SetFigID(double id) {
    figID_ = id;
    modify_ = true;
}

void clsMapFigure::SetOwnColor(int32_t colour) {
    if (!HMap::IsRightColor(colour)) return;
    ownColor_ = colour;
    modify_ = true;
}

void clsMapFigure::SetOwnShowMode(int32_t mode) {
    if (!HMap::IsRightShowMode(mode)) return;
    ownShowMode_ = static_cast<int16_t>(mode);
    modify_ = true;
}

void clsMapFigure::SetAdmin(int32_t code) {
    if (!HMap::IsRightCode(code)) return;
    admin_ = static_cast<int16_t>(code);
    modify_ = true;
}

void clsMapFigure::SetThing(int32_t code) {
    if (!HMap::IsRightCode(code)) return;
    thing_ = static_cast<int16_t>(code);
    modify_ = true;
}

bool clsMapFigure::CommonIsRight(bool withThing) const {
    return HMap::IsRightCode(admin_) && (!withThing || HMap::IsRightCode(thing_)) &&
           HMap::IsRightColor(ownColor_) && HMap::IsRightShowMode(ownShowMode_);
}

void clsMapFigure::CopyCommonTo(clsMapFigure& to) const {
    to.SetAdmin(admin_);
    to.SetThing(thing_);
    to.SetOwnColor(ownColor_);
    to.SetOwnShowMode(ownShowMode_);
}

void clsMapFigure::ReadHead106(MapBytes& in) {
    const char* p = in.Bytes(26);
    MapBytes h(p, 26);
    h.Skip(4); // reserved, not interpreted
    figID_ = h.Double();
    admin_ = h.Int16();
    thing_ = h.Int16();
    ownColor_ = h.Int32();
    ownShowMode_ = static_cast<int16_t>(static_cast<int16_t>(h.Byte()) - 1);
    jumpMark_ = h.Byte();
    reserve_ = h.Int32();
}

void clsMapFigure::ReadCodesBeforeBody(MapBytes& in, int16_t version) {
    if (version == 106) {
        ReadHead106(in);
        return;
    }
    admin_ = in.Int16();
    thing_ = in.Int16();
    if (version == 105) HMap::DecodeAttr105(in.Int32(), jumpMark_, ownShowMode_, ownColor_);
}

void clsMapFigure::ReadAttrAfterBody(MapBytes& in, int16_t version) {
    if (version == 104) HMap::DecodeAttr104(in.Int32(), ownShowMode_, ownColor_);
}

std::shared_ptr<clsMapFigure> clsMapFigure::Create(int32_t code, double figID) {
    switch (code) {
    case 1: return std::make_shared<clsMapRem>(figID);
    case 2: return std::make_shared<clsMapPolyline>(figID);
    case 3: return std::make_shared<clsMapPolygon>(figID);
    case 4: return std::make_shared<clsMapSymbol>(figID);
    case 5: return std::make_shared<clsMapText>(figID);
    default: return nullptr;
    }
}
