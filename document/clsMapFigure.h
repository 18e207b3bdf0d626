#pragma once
// The one interface of map figures (remark, polyline, polygon, symbol, text),
// with the fields and setters that all five kinds share.
#include "document/HMap.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>

class clsPoly;
class clsRect;
class MapBytes;

class clsMapFigure {
public:
    virtual ~clsMapFigure();
    clsMapFigure(const clsMapFigure&) = delete;
    clsMapFigure& operator=(const clsMapFigure&) = delete;

    virtual int32_t FigCode() const = 0;
    // The kind name in language 1 or 2; "" for any other language.
    QString FigName(int32_t lang) const { return HMap::FigCodeName(FigCode(), lang); }

    void SetFigID(double id);
    double FigID() const { return figID_; }
    QDateTime FigDate() const { return HMap::FigIDToDate(figID_); }

    virtual void SetModify(bool on) { modify_ = on; }
    virtual bool Modify() { return modify_; }

    // Refused values leave the field as it is and report nothing.
    void SetOwnColor(int32_t colour);
    int32_t OwnColor() const { return ownColor_; }
    void SetOwnShowMode(int32_t mode);
    int16_t OwnShowMode() const { return ownShowMode_; }
    void SetAdmin(int32_t code);
    int16_t Admin() const { return admin_; }
    virtual void SetThing(int32_t code);
    virtual int16_t Thing() const { return thing_; }

    // Kept from the map file, not interpreted.
    int16_t JumpMark() const { return jumpMark_; }
    int32_t Reserve() const { return reserve_; }

    virtual void SetPoly(std::shared_ptr<clsPoly> poly) = 0;
    virtual std::shared_ptr<clsPoly> Poly() = 0;
    // A new figure of the same kind with a new id, built through the setters.
    virtual std::shared_ptr<clsMapFigure> Copy() const = 0;
    virtual bool IsRight() const = 0;
    virtual bool IsInner(const clsRect& rect) = 0;
    // Reads the record body (after the figure code) of a map file of the
    // given version; values are stored as read. Throws MapBytes::Short when
    // the file ends inside the record.
    virtual void ReadElm(MapBytes& in, int16_t version) = 0;

    // A new figure of code 1..5 whose id is `figID`; nullptr for other codes.
    static std::shared_ptr<clsMapFigure> Create(int32_t code, double figID);

protected:
    explicit clsMapFigure(double figID) : figID_(figID) {}

    // Admin, colour and show mode in range (and Thing when `withThing`).
    bool CommonIsRight(bool withThing) const;
    // Copies the values every kind copies, through the target's setters.
    void CopyCommonTo(clsMapFigure& to) const;
    // The 26-byte head of a version 106 record.
    void ReadHead106(MapBytes& in);
    // The codes and attribute around a record body: version 105 puts the
    // attribute before the body, 104 after it, 106 has its own head.
    void ReadCodesBeforeBody(MapBytes& in, int16_t version);
    void ReadAttrAfterBody(MapBytes& in, int16_t version);

    bool modify_ = false;
    double figID_;
    int16_t admin_ = -1;
    int16_t thing_ = -1;
    int32_t ownColor_ = -1;
    int16_t ownShowMode_ = -1;
    int16_t jumpMark_ = 0;
    int32_t reserve_ = 0;
};
