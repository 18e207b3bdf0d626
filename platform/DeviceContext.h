#pragma once
// Our device context: drawing state and pixel rules of the Windows graphics
// interface over one QImage (Format_RGB32). The map code was written against
// those rules (a line leaves out its end pixel, Rectangle covers l..r-1 with
// a pen, odd-even polygon fill, hatch brushes anchored at the canvas origin),
// so they are kept here and nowhere else.
//
// Colours are 0x00BBGGRR; -1 is "none". The header uses no QtGui type, so the
// geometry classes of core can draw through it.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QImage;
class QRect;
class QRegion;

namespace Gdi {
inline constexpr int32_t PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5;
inline constexpr int32_t HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
                         HS_DIAGCROSS = 5;
inline constexpr int32_t TRANSPARENT = 1, OPAQUE = 2;
inline constexpr int32_t R2_XORPEN = 7, R2_COPYPEN = 13;
inline constexpr int32_t TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_BASELINE = 24;
inline constexpr int32_t DT_RASDISPLAY = 1, DT_RASPRINTER = 2, DT_METAFILE = 5;
inline constexpr int32_t RC_BITBLT = 0x1, RC_STRETCHBLT = 0x800;
} // namespace Gdi

// A one-bit picture: ink (black in the original bitmaps) or paper per pixel.
struct BitMask {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> ink; // row-major, width * height, 1 = ink

    bool IsInk(int32_t x, int32_t y) const { return ink[size_t(y) * size_t(width) + size_t(x)] != 0; }
    bool operator==(const BitMask&) const = default;
};

// A pen as CreatePen / ExtCreatePen describe it.
struct DcPen {
    int32_t style = Gdi::PS_SOLID; // 0..5
    int32_t width = 1;             // device pixels
    int32_t colour = 0;
    // ExtCreatePen geometric pen: flat ends, bevel joins, dashes scaled by the
    // width. Otherwise a width above 1 is a solid pen with round ends and joins.
    bool geometric = false;

    bool operator==(const DcPen&) const = default;
};

struct DcBrush {
    enum Kind { Null, Solid, Hatch, Pattern };
    Kind kind = Solid;
    int32_t colour = 0;  // Solid and Hatch
    int32_t hatch = 0;   // HS_*
    BitMask pattern;     // Pattern: ink in the text colour, paper in the back colour

    static DcBrush NullBrush() { DcBrush b; b.kind = Null; return b; }
    static DcBrush SolidBrush(int32_t c) { DcBrush b; b.colour = c; return b; }
    static DcBrush HatchBrush(int32_t style, int32_t c) { DcBrush b; b.kind = Hatch; b.hatch = style; b.colour = c; return b; }
    static DcBrush PatternBrush(BitMask m) { DcBrush b; b.kind = Pattern; b.pattern = std::move(m); return b; }
    bool operator==(const DcBrush&) const = default;
};

// A logical font; the size is always in pixels (a character height, as a
// negative lfHeight gives it).
struct DcFont {
    QString family;
    int32_t pixelHeight = 12;
    int32_t escapement = 0; // tenths of a degree, counter-clockwise
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const DcFont&) const = default;
};

struct DcTextMetrics {
    int32_t height = 0, ascent = 0, descent = 0, internalLeading = 0;
};

class DeviceContext {
public:
    // Draws into `image`, which must outlive the context and is converted to
    // Format_RGB32 when it is in another format.
    explicit DeviceContext(QImage& image, int32_t dpiX = 96, int32_t dpiY = 96);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Device capabilities.
    int32_t Technology() const { return Gdi::DT_RASDISPLAY; }
    int32_t RasterCaps() const { return Gdi::RC_BITBLT | Gdi::RC_STRETCHBLT; }
    int32_t BitsPixel() const { return 32; }
    int32_t Planes() const { return 1; }
    int32_t LogPixelsX() const { return dpiX_; }
    int32_t LogPixelsY() const { return dpiY_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    // The resolution of the screen (the memory DC's LOGPIXELS); 96 until the
    // application sets it from its display.
    static int32_t ScreenLogPixelsX();
    static int32_t ScreenLogPixelsY();
    static void SetScreenLogPixels(int32_t x, int32_t y);

    // State; each Select returns the previous object.
    DcPen SelectPen(const DcPen& pen);
    DcBrush SelectBrush(const DcBrush& brush);
    const DcPen& Pen() const { return pen_; }
    const DcBrush& Brush() const { return brush_; }
    int32_t SetBkMode(int32_t mode);
    int32_t SetBkColor(int32_t colour);
    int32_t SetTextColor(int32_t colour);
    int32_t SetROP2(int32_t rop);
    int32_t BkMode() const { return bkMode_; }
    int32_t BkColor() const { return bkColour_; }
    int32_t TextColor() const { return textColour_; }
    int32_t ROP2() const { return rop_; }
    int32_t SetTextAlign(int32_t align);

    // Clipping: a base rectangle (inclusive bounds, the whole image when
    // cleared) and, on top of it until ResetPolygonClip, a polygon region
    // filled by the winding rule, as CreatePolygonRgn(WINDING) makes it.
    void SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void ClearClip();
    void AndPolygonClip(const int32_t* xy, int32_t count);
    void ResetPolygonClip();
    bool IsVisible(int32_t x, int32_t y) const;

    // Lines with the current pen. LineTo leaves out the end pixel and moves
    // the current position; MoveTo restarts the dash phase.
    bool MoveTo(int32_t x, int32_t y);
    bool LineTo(int32_t x, int32_t y);
    // xy holds count (x, y) pairs (the layout of a point list).
    bool Polyline(const int32_t* xy, int32_t count);
    // Fills odd-even with the brush, outlines with the pen.
    bool Polygon(const int32_t* xy, int32_t count);
    // Rectangle(l, t, r, b): with a pen the outline covers l..r-1, t..b-1;
    // with the null pen the fill covers l..r-2, t..b-2.
    bool Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // Fills l..r-1, t..b-1 with a brush, ignoring the pen.
    bool FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const DcBrush& brush);

    bool SetPixelV(int32_t x, int32_t y, int32_t colour);
    int32_t GetPixel(int32_t x, int32_t y) const; // -1 outside the image

    // Steps from (x1, y1) towards (x2, y2): the start is included, the end
    // is not; a zero-length line gives no step.
    static void LineDDA(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                        const std::function<void(int32_t, int32_t)>& step);

    // Transfers a one-bit picture stretched to (x, y, w, h): ink pixels take
    // `inkColour`, paper pixels `paperColour` or stay as they are when it is
    // -1 (the original's SRCCOPY of a monochrome bitmap and its 0xB8074A
    // transfer). Honours the clip; the raster operation applies.
    bool StretchMask(const BitMask& mask, int32_t x, int32_t y, int32_t w, int32_t h, int32_t inkColour,
                     int32_t paperColour);

    // Text with the selected font: the alignment decides which point of the
    // text's baseline lies at (x, y); the text turns with the escapement.
    // In OPAQUE mode the cell box is filled with the back colour first.
    bool SelectFont(const DcFont& font);
    void DeselectFont();
    const DcFont& Font() const { return font_; }
    bool HasFont() const { return hasFont_; }
    bool TextOut(int32_t x, int32_t y, const QString& text);
    bool GetTextExtentPoint(const QString& text, int32_t& width, int32_t& height) const;
    bool GetTextMetrics(DcTextMetrics& tm) const;
    // The box the glyphs of `text` cover in the selected font, from the
    // start of its baseline (a level text's own pixels, not its cell).
    bool GetTextInkBox(const QString& text, QRect& box) const;
    // Estimated height of the capitals of the selected font (at least 2); -1
    // without a font.
    int32_t TextCapHeight() const;

    // The image, with everything deferred drawn.
    QImage& Image();

    // Drawing on several cores: from BeginDeferred on the drawing calls are
    // recorded in order, the state and every answer staying as they were,
    // and replayed on `threads` cores, each core into its own bands of rows,
    // so that the pixels are those of drawing the calls one by one. The
    // replay runs a stretch of calls behind the recording; Flush waits for
    // all of it, and GetPixel, Image and EndDeferred flush first.
    void BeginDeferred(int threads);
    void Flush();
    void EndDeferred();
    bool IsDeferred() const;

private:
    struct Impl;
    // The recording and its replay on several cores (platform/DeferredDrawing.h).
    class DeferredDrawing;
    // Whether calls are recorded for the replay (DeferredDrawing::Record).
    bool Recording() const { return recording_; }
    // Makes this a replaying context that draws rows top..bottom only, one
    // of `bands` sharing the work.
    void KeepToBand(int32_t top, int32_t bottom, int32_t bands);
    void ApplyClip();
    void ApplyRegion(const QRegion& region);
    bool FillRectNow(int32_t left, int32_t top, int32_t right, int32_t bottom, const DcBrush& brush);
    void Plot(int32_t x, int32_t y, uint32_t argb);
    void CosmeticLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // `runs`, when there is one, holds the top and bottom row of each run of
    // kRun segments (points kRun * k .. kRun * (k + 1)), so that a band skips
    // the runs that miss it whole; a chain has them only when all its points
    // lie within kNear, where the painter takes a polygon as it is.
    static constexpr int32_t kRun = 32;
    static constexpr int32_t kNear = 1 << 20;
    // Polyline and Polygon: drawn now, or recorded for the bands.
    bool Chain(bool polygon, const int32_t* xy, int32_t count);
    bool DrawPolyline(const int32_t* xy, int32_t count, const int32_t* runs);
    bool DrawPolygon(const int32_t* xy, int32_t count, const int32_t* runs);
    void CosmeticChain(const int32_t* xy, int32_t count, bool closed, const int32_t* runs);
    void PainterLine(const int32_t* xy, int32_t count, bool closed);
    void FillPolygonWithBrush(const int32_t* xy, int32_t count, const DcBrush& brush, const int32_t* runs = nullptr);
    uint32_t DeviceColour(int32_t colour) const;

    QImage& image_;
    std::unique_ptr<Impl> d_;
    uint32_t* bits_ = nullptr;
    int32_t stride_ = 0; // pixels per row
    int32_t width_ = 0, height_ = 0;
    int32_t dpiX_, dpiY_;

    DcPen pen_;
    DcBrush brush_;
    DcFont font_;
    bool hasFont_ = false;
    int32_t bkMode_ = Gdi::OPAQUE;
    int32_t bkColour_ = 0xFFFFFF;
    int32_t textColour_ = 0;
    int32_t rop_ = Gdi::R2_COPYPEN;
    int32_t textAlign_ = Gdi::TA_LEFT;
    int32_t curX_ = 0, curY_ = 0;
    int64_t dashPhase_ = 0;
    // Base clip, inclusive, already within the image.
    int32_t clipL_ = 0, clipT_ = 0, clipR_ = -1, clipB_ = -1;
    bool polyClip_ = false;
    // The rows a replaying context may draw in (the whole image otherwise),
    // and whether it draws at all (not while recording, nor for a call whose
    // rows lie outside them, whose change of state still counts).
    int32_t bandTop_ = 0, bandBottom_ = INT32_MAX;
    bool drawPixels_ = true;
    bool recording_ = false;
};
