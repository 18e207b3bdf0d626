#pragma once
// A remark: a text with an area code and no thing. Remarks of the form
// "# key：value" carry the map's header values.
#include "document/clsMapFigure.h"

class clsMapRem : public clsMapFigure {
public:
    clsMapRem() : clsMapFigure(HMap::NewFigID()) {}
    explicit clsMapRem(double figID) : clsMapFigure(figID) {}

    int32_t FigCode() const override { return 1; }
    void SetThing(int32_t) override {}
    int16_t Thing() const override { return -1; }
    void SetPoly(std::shared_ptr<clsPoly>) override {}
    std::shared_ptr<clsPoly> Poly() override;
    std::shared_ptr<clsMapFigure> Copy() const override;
    bool IsRight() const override { return CommonIsRight(false); }
    bool IsInner(const clsRect&) override { return false; }
    void ReadElm(MapBytes& in, int16_t version) override;

    void SetComment(const QString& text);
    const QString& Comment() const { return comment_; }
    // Of a comment "# key：value" (or ":"), the colon at position 5..20.
    QString Key() const;
    QString Value() const;

private:
    // The 1-based colon position that makes a key, or 0.
    qsizetype KeyColon() const;

    QString comment_;
};
