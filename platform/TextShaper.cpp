#include "platform/TextShaper.h"

#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace {

QFont ToQFont(const DcFont& f)
{
    QFont q(f.family);
    q.setPixelSize(std::max(f.pixelHeight, 1));
    q.setWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    q.setKerning(false);
    return q;
}

} // namespace

bool TextShaper::Shapeable(const DcFont& f, const QString& text)
{
    if (f.escapement % 3600 != 0 || f.underline || f.strikeOut)
        return false;
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.unicode() == 0x2028 || c.unicode() == 0x2029)
            return false;
    return true;
}

void TextShaper::Select(const DcFont& font)
{
    font_ = ToQFont(font);
    metrics_.emplace(*font_);
    ascent_ = metrics_->ascent();
    descent_ = metrics_->descent();
    haveAdvance_ = false;
    fontKey_ = font_->key();
}

int32_t TextShaper::Advance(const QString& text)
{
    if (!haveAdvance_ || text != advanceText_) {
        advance_ = metrics_->horizontalAdvance(text);
        advanceText_ = text;
        haveAdvance_ = true;
    }
    return advance_;
}

const TextShaper::Shaped& TextShaper::Shape(const QString& text, const QPaintDevice* device)
{
    // Looked up by the text alone: no key is built for each label drawn.
    QHash<QString, Shaped>* texts = &shaped_[fontKey_];
    if (const auto it = texts->constFind(text); it != texts->cend())
        return *it;
    if (shapedCount_ >= shapedMax_) {
        shaped_.clear();
        shapedCount_ = 0;
        texts = &shaped_[fontKey_];
    }
    QTextLayout layout(text, *font_, device);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    Shaped s;
    s.ascent = line.ascent();
    s.runs = layout.glyphRuns();
    ++shapedCount_;
    return *texts->insert(text, std::move(s));
}

void TextShaper::KeepShareOf(int32_t bands) { shapedMax_ = std::max<qsizetype>(kShapedMax / bands, 1024); }
