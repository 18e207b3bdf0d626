#pragma once
// The device context's selected font as the toolkit holds it, and what the
// context keeps of its text work: the advance last measured, and the texts
// shaped with each font. A halo draws each label five or nine times and a
// map repeats its names, and the shaping costs more than the drawing of the
// glyphs.
#include "platform/DeviceContext.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

class QPaintDevice;

class TextShaper {
public:
    struct Shaped {
        QList<QGlyphRun> runs;
        qreal ascent = 0;
    };

    // Texts whose shaped glyphs draw exactly as the painter's own text does:
    // level, undecorated, a single line without control characters.
    static bool Shapeable(const DcFont& f, const QString& text);

    // Makes `font` the selected font; the shaped texts of every font stay.
    void Select(const DcFont& font);
    // The selected font; only after a Select.
    const QFont& Font() const { return *font_; }
    const QFontMetrics& Metrics() const { return *metrics_; }
    // The selected font's ascent and descent, asked of the font once: each
    // asking takes the font engines' shared lock.
    int32_t Ascent() const { return ascent_; }
    int32_t Descent() const { return descent_; }
    int32_t Advance(const QString& text);
    const Shaped& Shape(const QString& text, const QPaintDevice* device);
    // A band of a drawing on several cores keeps its share, so that all
    // bands together hold no more.
    void KeepShareOf(int32_t bands);

private:
    static constexpr qsizetype kShapedMax = 8192;

    std::optional<QFont> font_;
    std::optional<QFontMetrics> metrics_;
    int32_t ascent_ = 0;
    int32_t descent_ = 0;
    // The advance last measured with the selected font: a halo draws the
    // same text several times, and each measurement shapes it anew.
    QString advanceText_;
    int32_t advance_ = 0;
    bool haveAdvance_ = false;
    // Texts shaped with each font, by the font's key.
    QString fontKey_;
    QHash<QString, QHash<QString, Shaped>> shaped_;
    qsizetype shapedCount_ = 0;
    qsizetype shapedMax_ = kShapedMax;
};
