#pragma once
// A text at its anchor, in a European (1) and a Japanese (2) version, kept as
// bytes: Latin-1 and the Japanese code page. An empty text is one zero byte.
#include "document/clsMapPointBase.h"

#include <QByteArray>

class clsMapText : public clsMapPointBase {
public:
    clsMapText() : clsMapPointBase(HMap::NewFigID()) {}
    explicit clsMapText(double figID) : clsMapPointBase(figID) {}

    int32_t FigCode() const override { return 5; }
    std::shared_ptr<clsMapFigure> Copy() const override;
    bool IsRight() const override;
    void ReadElm(MapBytes& in, int16_t version) override;

    // Anchoring code 0..24; other values are refused.
    void SetTextFix(int32_t fix);
    int16_t TextFix() const { return textFix_; }
    // Degrees, brought into -180..180.
    void SetAngle(int32_t degrees);
    int16_t Angle() const { return angle_; }

    // A copy of the bytes; any other language gives an empty text.
    QByteArray TextAnsi(int32_t lang) const;
    // Language 1 goes through the circumflex rule; other languages are ignored.
    void SetTextAnsi(int32_t lang, const QByteArray& bytes);
    QString TextUnicode(int32_t lang) const;
    // The code page of the stored bytes: 1 Latin-1, 2 the Japanese one. A
    // European text set from characters beyond Latin-1 (a graticule label
    // with its angle marks) is kept in the Japanese one so nothing is lost.
    int32_t TextCodePage(int32_t lang) const { return lang == 1 && !euroInCp932_ ? 1 : 2; }
    void SetTextUnicode(int32_t lang, const QString& text);

    // "A^" -> "Â" and the like for the ten vowels; any other "^" stays.
    static QByteArray Circumflex(const QByteArray& bytes);
    // Brings degrees into -180..180 (180 and -180 both stay).
    static int16_t NormalAngle(int64_t v);

private:
    int16_t textFix_ = 10;
    int16_t angle_ = 0;
    QByteArray text_[2] = {QByteArray(1, '\0'), QByteArray(1, '\0')};
    bool euroInCp932_ = false;
};
