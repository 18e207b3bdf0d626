#pragma once
// The drawing layer: the one place where the map is drawn. A drawing is
// opened on a device context and a view rectangle by GraphBegin, styled with
// the Set operations, drawn with the Draw operations and closed by GraphEnd.
// Line widths, line patterns, fill tiles, symbols and text sizes are scaled
// from the screen resolution to the output resolution, so a style looks the
// same in the window and in a large or high-resolution copy.
#include "core/CoordTypes.h"
#include "core/clsLine.h"
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "platform/DeviceContext.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QFont;
class MonoBitmap;
class clsResLine;
class clsResSymbol;
class clsResTile;

// Measures a text in the selected font; tests put a fake in place of the
// device context.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual bool TextSize(const QString& text, int32_t& width, int32_t& height) = 0;
};

class clsMapGraph {
public:
    static constexpr int32_t WIN_PEN_NUM = 6;
    static constexpr int32_t WIN_BRUSH_NUM = 7;
    static constexpr uint8_t FS_BOLD = 1;
    static constexpr uint8_t FS_ITALIC = 2;
    static constexpr uint8_t FS_UNDERLINE = 4;
    static constexpr uint8_t FS_STRIKEOUT = 8;
    static constexpr uint8_t FS_OPAQUE = 16;
    static constexpr int32_t FONT_HEIGHT_MIN = 5;
    static constexpr int32_t FONT_HEIGHT_MAX = 100;
    static constexpr int32_t FONT_HEIGHT_INVALID = -1;
    static constexpr int32_t LINE_WIDTH_MIN = 1;
    static constexpr int32_t LINE_WIDTH_MAX = 15;
    static constexpr int32_t LINE_WIDTH_INVALID = -1;

    // One installed font, as the font list and "arFont.TXT" carry it.
    struct FontRecord {
        QString name;
        QByteArray faceBytes; // the name in the Japanese code page, NUL-terminated
        int16_t weight = 400;
        uint8_t pitchAndFamily = 0;
        uint8_t charSet = 0;
    };

    clsMapGraph();
    ~clsMapGraph();
    clsMapGraph(const clsMapGraph&) = delete;
    clsMapGraph& operator=(const clsMapGraph&) = delete;

    // The pattern bitmaps, owned for the whole run.
    std::unique_ptr<clsResLine> oFancyLines;
    std::unique_ptr<clsResSymbol> oSymbols;
    std::unique_ptr<clsResTile> oTiles;

    DeviceContext* handle() const { return dc_; }
    int32_t ViewLeft() const { return view_.mLeft; }
    int32_t ViewTop() const { return view_.mTop; }
    int32_t ViewWidth() const { return view_.Width(); }
    int32_t ViewHeight() const { return view_.Height(); }

    int32_t ResolutionX() const { return resX_; }
    void SetResolutionX(int32_t v);
    int32_t ResolutionY() const { return resY_; }
    void SetResolutionY(int32_t v);
    int32_t SymbolRatio() const;
    void SetSymbolRatio(int32_t v);
    int32_t TextRatio() const { return textRatio_; }
    void SetTextRatio(int32_t v);
    QString DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QString& v) { defaultFont_ = v; }

    bool GraphBegin(DeviceContext* dc, int32_t left, int32_t top, int32_t width, int32_t height);
    void GraphEnd();
    bool SetPen(int16_t style, int32_t width, int32_t colour, int32_t back);
    bool SetBrush(int16_t style, int32_t fore, int32_t back);
    bool SetBitmap(const MonoBitmap* bitmap, int32_t fore, int32_t back);
    bool SetSymbol(int16_t index, int32_t fore, int32_t back);
    bool DrawClear();
    bool DrawLine(const clsLine& segment);
    bool DrawStrokeRect(const clsRect& rect);
    // Normalises the caller's rectangle.
    bool DrawFillRect(clsRect& rect);
    bool DrawPolyline(const clsPoly& points);
    bool DrawPolygon(clsPoly& points);
    // The same for a list held elsewhere (`count` points from `points`,
    // which is never null).
    bool DrawPolyline(const PolyPoint* points, int32_t count);
    bool DrawPolygon(const PolyPoint* points, int32_t count);
    bool DrawPaint(CanvasPoint at);
    bool DrawPaint(int32_t x, int32_t y) { return DrawPaint(CanvasPoint{x, y}); }
    // One pixel of a pattern line.
    void LineDDAproc(CanvasPoint p, DeviceContext* dc);
    void LineDDAproc(int32_t x, int32_t y, DeviceContext* dc) { LineDDAproc(CanvasPoint{x, y}, dc); }

    // Text and fonts.
    bool SetFont(const QString& face, int32_t height, int32_t angle, uint8_t flags, int32_t fore, int32_t back);
    bool SetFontObject(const QFont& font, int32_t colour);
    bool DrawText(CanvasPoint at, int16_t code, const QString& text);
    bool DrawText(int32_t x, int32_t y, int16_t code, const QString& text) {
        return DrawText(CanvasPoint{x, y}, code, text);
    }
    QStringList FoldText(const QString& text, int32_t maxWidth);
    bool GetTextExtent(DeviceContext* dc, const QString& text, int32_t& width, int32_t& height);
    bool GetTextSize(const QString& text, int32_t& width, int32_t& height);
    const std::vector<FontRecord>& FontList() const { return fontList_; }
    // The installed face SetFont draws `face` with; "" when none is installed.
    QString DrawnFace(const QString& face) const;
    // Replaces the font list (the installed fonts are read once at creation).
    void SetFontList(std::vector<FontRecord> list) { fontList_ = std::move(list); usedFonts_.clear(); }
    // Writes the font list to "arFont.TXT" in the program's writable folder.
    void WritearFont();
    // The measurer behind GetTextSize and FoldText; null for the drawing's
    // own device context.
    void SetTextMeasurer(TextMeasurer* m) { measurer_ = m; }

    // Derived scales and state, read by tests and previews.
    int32_t LineScale() const { return lineScale_; }
    int32_t TileRatio() const { return tileRatio_; }
    int32_t SymbolScaleX() const { return symScaleX_; }
    int32_t SymbolScaleY() const { return symScaleY_; }
    int32_t HaloX(int i) const { return haloX_[i]; }
    int32_t HaloY(int i) const { return haloY_[i]; }
    int16_t PenMode() const { return penMode_; }
    int32_t PenPixelWidth() const { return penPixelWidth_; }
    int16_t BrushMode() const { return brushMode_; }
    int32_t TileDstWidth() const { return tileDstW_; }
    int32_t TileDstHeight() const { return tileDstH_; }
    int32_t BitmapDstWidth() const { return bmpDstW_; }
    int32_t BitmapDstHeight() const { return bmpDstH_; }
    int64_t PatternPhase() const { return phase_; }
    int32_t FontAngle() const { return fontAngle_; }
    int32_t CapHeight() const { return capHeight_; }
    int32_t TextGap() const { return textGap_; }
    QString FontFace() const { return fontFace_; } // installed face of the selected font

    // The canvas direction of a segment, 0 up, then clockwise in 45-degree steps.
    static int32_t LineOctant(const clsLine& segment);
    // The start of the tile grid cell holding v (a multiple of size, floor).
    static int32_t TileGridStart(int32_t v, int32_t size);
    // The (dx, dy) of an alignment offset turned with the font angle (tenths).
    static void RotateOffset(int32_t angle, int32_t& dx, int32_t& dy);
    // The offset of a text from its point for an alignment code 0..24,
    // before turning: dx from the column, dy (baseline below the point).
    static void AlignOffset(int32_t code, int32_t gap, int32_t cap, int32_t& dx, int32_t& dy, int32_t& align);

private:
    void UpdateRatios();
    int32_t MapColor(int32_t colour) const;
    void SetBackMode(int32_t colour);
    bool FillWithBrushMode1(const std::function<bool()>& draw);
    // DrawPolygon on an open graph, the list as it is drawn.
    bool DrawPolygonOpen(const PolyPoint* points, int32_t count);
    void ReadFontList();
    // The index in the font list of the face `face` is drawn with.
    size_t FontIndex(const QString& face) const;

    DeviceContext* dc_ = nullptr;
    clsRect view_;
    bool open_ = false;
    int32_t technology_ = 0, rasterCaps_ = 0;
    int64_t colourCount_ = 0;
    struct SavedDc {
        DcPen pen;
        DcBrush brush;
        int32_t bkMode = 0, bkColour = 0, textColour = 0, rop = 0, align = 0;
        DcFont font;
        bool hasFont = false;
    } saved_;

    int32_t resX_ = 96, resY_ = 96;
    int32_t screenX_ = 96, screenY_ = 96;
    int32_t symbolRatio_ = 100; // stored (halved while high-resolution symbols are in use)
    int32_t textRatio_ = 100;
    int32_t lineScale_ = 100, tileRatio_ = 100;
    int32_t symScaleX_ = 100, symScaleY_ = 100;
    int32_t haloX_[8] = {}, haloY_[8] = {};

    // Pen.
    bool havePen_ = false, haveBackPen_ = false;
    DcPen pen_, backPen_;
    int16_t penMode_ = 1;
    int32_t penPixelWidth_ = 1;
    int32_t penColour_ = 0, penBack_ = -1;
    std::vector<bool> cycle_;
    int32_t cycleLen_ = 0;
    int64_t phase_ = 0;
    struct PenArgs {
        int16_t style;
        int32_t width, colour, back, lineScale;
        bool operator==(const PenArgs&) const = default;
    } lastPen_{};

    // Brush.
    bool haveBrush_ = false;
    int16_t brushMode_ = 1;
    int32_t brushFore_ = 0, brushBack_ = -1;
    BitMask tileMask_;
    int32_t tileDstW_ = 0, tileDstH_ = 0;
    struct BrushArgs {
        int16_t style;
        int32_t fore, back, tileRatio, tileSet;
        bool operator==(const BrushArgs&) const = default;
    } lastBrush_{};

    // Bitmap for DrawPaint.
    const MonoBitmap* bitmap_ = nullptr;
    BitMask bitmapMask_;
    int32_t bmpDstW_ = 0, bmpDstH_ = 0;
    int32_t bmpFore_ = 0, bmpBack_ = -1;
    bool bmpBackGiven_ = false;
    struct BitmapArgs {
        const MonoBitmap* bitmap;
        int32_t fore, back, scaleX, scaleY;
        bool operator==(const BitmapArgs&) const = default;
    } lastBitmap_{};
    struct SymbolArgs {
        int16_t index;
        int32_t fore, back, scaleX, scaleY, set;
        bool operator==(const SymbolArgs&) const = default;
    } lastSymbol_{};

    // Font and text.
    bool haveFont_ = false;
    int32_t fontAngle_ = 0;
    int32_t textFore_ = 0, textBack_ = -1;
    bool halo_ = false, opaque_ = false;
    int32_t capHeight_ = 0, textGap_ = 8;
    QString fontFace_;
    struct FontArgs {
        QString face;
        int32_t height, angle;
        uint8_t flags;
        int32_t fore, back, resY, textRatio;
        bool operator==(const FontArgs& o) const
        {
            return face.compare(o.face, Qt::CaseInsensitive) == 0 && height == o.height && angle == o.angle &&
                   flags == o.flags && fore == o.fore && back == o.back && resY == o.resY && textRatio == o.textRatio;
        }
    } lastFont_{};
    std::vector<FontRecord> fontList_;
    struct UsedFont {
        QString requested;
        FontRecord record;
    };
    std::vector<UsedFont> usedFonts_;
    QSet<QString> dumpedFaces_;
    QString defaultFont_;
    TextMeasurer* measurer_ = nullptr;
};
