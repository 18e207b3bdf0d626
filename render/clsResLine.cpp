#include "render/clsResLine.h"

#include "core/ErrorMng.h"
#include "platform/VospError.h"
#include "render/PatternAssets.h"

clsResLine::LinePattern clsResLine::ReadPattern(const MonoBitmap* bitmap)
{
    LinePattern p;
    if (!bitmap || bitmap->Width() != 32)
        return p;
    p.bitmap = bitmap;
    p.masks.reserve(static_cast<size_t>(bitmap->Height()));
    for (int32_t y = 0; y < bitmap->Height(); ++y) {
        uint32_t mask = 0;
        for (int32_t x = 0; x < 32; ++x)
            if (!bitmap->Ink(x, y))
                mask |= uint32_t{1} << (31 - x);
        p.masks.push_back(mask);
    }
    return p;
}

clsResLine::clsResLine()
{
    try {
        table_.reserve(IndexLast - IndexFirst + 1);
        for (int32_t i = IndexFirst; i <= IndexLast; ++i) {
            const QString file = QStringLiteral("LINE%1%2.BMP").arg(i);
            PatternAssets::ResEntry e = PatternAssets::LoadResEntry(4000 + i, 4100 + i, 4200 + i,
                                                                    file.arg(QChar(u'L')), file.arg(QChar(u'H')));
            table_.push_back(Entry{std::move(e.name), std::move(e.low), std::move(e.high), {}, {}});
        }
        // The table no longer moves: the patterns may point into it.
        for (Entry& e : table_) {
            e.lowPattern = ReadPattern(e.low ? &*e.low : nullptr);
            e.highPattern = ReadPattern(e.high ? &*e.high : nullptr);
        }
        SelectResolution();
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, "clsResLine", "ClassInitialize");
    }
}

void clsResLine::SetIndex(int16_t value)
{
    if (value >= IndexFirst && value <= IndexLast)
        index_ = value;
}

QString clsResLine::Name() const { return table_[static_cast<size_t>(index_ - IndexFirst)].name; }

const clsResLine::LinePattern& clsResLine::Current() const
{
    const Entry& e = table_[static_cast<size_t>(index_ - IndexFirst)];
    return set_ == 1 ? e.highPattern : e.lowPattern;
}

void clsResLine::SelectResolution()
{
    if (ratioX_ >= 200 && ratioY_ >= 200) {
        set_ = 1;
        effX_ = ratioX_;
        effY_ = ratioY_;
    } else {
        set_ = 0;
        effX_ = 2 * ratioX_;
        effY_ = 2 * ratioY_;
    }
}

void clsResLine::SetRatioX(int32_t value)
{
    if (value < 50 || value > 10000)
        return;
    ratioX_ = value;
    SelectResolution();
}

void clsResLine::SetRatioY(int32_t value)
{
    if (value < 50 || value > 10000)
        return;
    ratioY_ = value;
    SelectResolution();
}

int32_t clsResLine::DstLength() const { return (effX_ * 32 + 199) / 200; }

int32_t clsResLine::DstThick() const { return (Current().Rows() * effY_ + 199) / 200; }

uint32_t clsResLine::Pattern(int32_t i) const
{
    const LinePattern& p = Current();
    const int32_t n = p.Rows();
    if (n == 0)
        return 0xFFFFFFFFu;
    return p.masks[static_cast<size_t>(((i % n) + n) % n)];
}

std::vector<bool> clsResLine::CycleArray(int32_t row) const
{
    const int32_t n = DstLength();
    std::vector<bool> out(static_cast<size_t>(n), false);
    const LinePattern& p = Current();
    if (p.Rows() == 0)
        return out;
    const uint32_t mask = Pattern(static_cast<int32_t>(int64_t{row} * 200 / effY_));
    for (int32_t k = 0; k < n; ++k) {
        const int32_t col = (k * 200 / effX_) % 32;
        out[static_cast<size_t>(k)] = (mask & (uint32_t{1} << (31 - col))) == 0;
    }
    return out;
}
