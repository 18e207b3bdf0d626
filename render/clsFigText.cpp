#include "render/clsFigText.h"

#include "core/PublicVal.h"
#include "platform/Cp932Codec.h"
#include "render/clsMapGraph.h"

QByteArray clsFigText::Text() const {
    QByteArray copy = text_;
    copy.detach();
    return copy;
}

void clsFigText::SetText(const QByteArray& bytes, int32_t language) {
    text_ = bytes.isEmpty() ? QByteArray(1, '\0') : bytes;
    text_.detach();
    language_ = language;
}

QString clsFigText::TextString() const {
    const qsizetype end = text_.indexOf('\0');
    const QByteArray b = end < 0 ? text_ : text_.left(end);
    if (b.isEmpty()) return {};
    return language_ == 1 ? QString::fromLatin1(b) : Cp932Decode(b);
}

bool clsFigText::PlotOn(clsMapGraph* graph, bool) {
    if (!graph) return false;
    if (!graph->SetFont(mFont, mHeight, mAngle, mStyle, mFore, mBack))
        graph->SetFont(PublicVal::gvDefaultFont, 10, 0, 0, mFore, -1);
    return graph->DrawText(CanvasPoint{mx, my}, mTextFix, TextString());
}
