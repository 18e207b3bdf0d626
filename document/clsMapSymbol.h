#pragma once
#include "document/clsMapPointBase.h"

// A point symbol at its anchor.
class clsMapSymbol : public clsMapPointBase {
public:
    clsMapSymbol() : clsMapPointBase(HMap::NewFigID()) {}
    explicit clsMapSymbol(double figID) : clsMapPointBase(figID) {}

    int32_t FigCode() const override { return 4; }
    std::shared_ptr<clsMapFigure> Copy() const override;
    bool IsRight() const override { return CommonIsRight(true); }
    void ReadElm(MapBytes& in, int16_t version) override;
};
