#include "render/clsView.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/ScreenDpiMark.h"
#include "core/clsRegistry.h"
#include "platform/VospError.h"
#include "render/RegValues.h"
#include "render/ViewHost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <cmath>

namespace {

const char* const kObj = "clsView";

int32_t MaxPixels(double screen, double window, double scrollBar, double twipsPerPixel)
{
    const double room = std::nearbyint(screen - (window - scrollBar));
    // Twips per device pixel stay real: 7.5 on a screen at ratio 2 (8 would
    // leave a sixteenth of the screen out).
    if (!std::isfinite(room) || !(twipsPerPixel > 0))
        return clsView::MinSize;
    const int32_t v = Library::DblToLng(std::trunc(room / twipsPerPixel));
    return v < clsView::MinSize ? clsView::MinSize : v;
}

} // namespace

clsView::clsView(ViewHost* host) : host_(host), dpi_(Library::ScreenDPI())
{
    try {
        ReadRegistry();
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Class_Initialize"));
    }
}

void clsView::SetBmpPath(const QString& path) { bmpPath_ = Library::ChangeExt(path, QStringLiteral("BMP")); }

void clsView::SetPngPath(const QString& path) { pngPath_ = Library::ChangeExt(path, QStringLiteral("PNG")); }

void clsView::SetDpi(int16_t v, bool fromScreen)
{
    if (Library::InRange(v, 48, 1440)) {
        dpi_ = v;
        dpiFromScreen_ = fromScreen;
    }
}

int32_t clsView::Width() const { return host_->PictureWidth(); }

int32_t clsView::Height() const { return host_->PictureHeight(); }

void clsView::SetWidth(int32_t v)
{
    try {
        ResizePicture(Library::Clamp(v, MinSize, CapWidth()), Height());
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Width"));
    }
}

void clsView::SetHeight(int32_t v)
{
    try {
        ResizePicture(Width(), Library::Clamp(v, MinSize, CapHeight()));
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("Height"));
    }
}

int32_t clsView::MaxWidth() const
{
    return MaxPixels(host_->ScreenWidthTwips(), host_->NormalWindowWidthTwips(), host_->HScrollWidthTwips(),
                     host_->TwipsPerPixelX());
}

int32_t clsView::MaxHeight() const
{
    return MaxPixels(host_->ScreenHeightTwips(), host_->NormalWindowHeightTwips(), host_->VScrollHeightTwips(),
                     host_->TwipsPerPixelY());
}

int32_t clsView::CapWidth() const
{
    const int32_t here = MaxPixels(host_->ScreenWidthTwips(), host_->WindowWidthTwips(), host_->HScrollWidthTwips(),
                                   host_->TwipsPerPixelX());
    // Never below the limit offered to the user: a size once accepted is kept.
    return std::max(here, MaxWidth());
}

int32_t clsView::CapHeight() const
{
    const int32_t here = MaxPixels(host_->ScreenHeightTwips(), host_->WindowHeightTwips(),
                                   host_->VScrollHeightTwips(), host_->TwipsPerPixelY());
    return std::max(here, MaxHeight());
}

void clsView::ResizePicture(int32_t width, int32_t height) { host_->ResizePicture(width, height); }

bool clsView::WriteClip()
{
    try {
        bool ok = false;
        if (QGuiApplication::instance()) {
            if (QClipboard* clip = QGuiApplication::clipboard()) {
                clip->clear();
                // The picture is in device pixels; it goes out at the output resolution.
                QImage image = host_->PictureImage();
                const int dpm = int(std::nearbyint(dpi_ / 0.0254));
                image.setDotsPerMeterX(dpm);
                image.setDotsPerMeterY(dpm);
                clip->setImage(image);
                const QMimeData* data = clip->mimeData();
                // A picture without pixels is no copy either.
                ok = data && data->hasImage() && !clip->image().isNull();
            }
        }
        if (!ok)
            Library::MsgError(QStringLiteral("クリップボードへの出力に失敗しました."));
        return ok;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("WriteClip"));
    }
}

void clsView::ReadRegistry()
{
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        bmpPath_ = reg.RegGet(QStringLiteral("BMPpath"), QStringLiteral("USER.BMP"));
        pngPath_ = reg.RegGet(QStringLiteral("PNGpath"), QStringLiteral("USER.PNG"));
        const int16_t screenDpi = Library::ScreenDPI();
        const int16_t stored = RegValues::GetInteger(reg, QStringLiteral("DPI"), screenDpi);
        // A resolution that came from the screen is the screen's of this start.
        dpiFromScreen_ = ScreenDpiMark::FromScreen(reg, QStringLiteral("DPI"), stored);
        dpi_ = dpiFromScreen_ ? screenDpi : stored;
        const int32_t w = Width();
        SetWidth(RegValues::GetLong(reg, QStringLiteral("Width"), w));
        const int32_t h = Height();
        SetHeight(RegValues::GetLong(reg, QStringLiteral("Height"), h));
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, kObj, QStringLiteral("ReadRegistry"));
    }
}

void clsView::WriteRegistry() const
{
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        reg.RegPut(QStringLiteral("BMPpath"), bmpPath_);
        reg.RegPut(QStringLiteral("PNGpath"), pngPath_);
        reg.RegPut(QStringLiteral("DPI"), int32_t(dpi_));
        reg.RegPut(ScreenDpiMark::MarkerKey(QStringLiteral("DPI")), dpiFromScreen_);
        reg.RegPut(QStringLiteral("Width"), Width());
        reg.RegPut(QStringLiteral("Height"), Height());
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, kObj, QStringLiteral("WriteRegistry"));
    }
}
