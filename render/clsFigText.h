#pragma once
// A text at its anchor pixel.
#include "render/clsFigPoint.h"

#include <QByteArray>

class clsFigText : public clsFigPoint {
public:
    QString mFont = QStringLiteral("System");
    int32_t mHeight = 10;
    int32_t mAngle = 0;
    uint8_t mStyle = 0;
    int16_t mTextFix = 10;

    int32_t FigCode() const override { return 5; }
    QString FigName() const override { return QStringLiteral("TEXT"); }
    // The bytes of the text in its language's encoding (Latin-1 for the
    // European language 1, the Japanese code page otherwise).
    QByteArray Text() const;
    void SetText(const QByteArray& bytes, int32_t language = 2);
    int32_t Language() const { return language_; }
    // The text as drawn: the bytes before the first zero byte, decoded.
    QString TextString() const;
    bool PlotOn(clsMapGraph* graph, bool detail) override;

private:
    QByteArray text_ = QByteArray(1, '\0');
    int32_t language_ = 2;
};
