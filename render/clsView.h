#pragma once
// The output settings of the view picture: its size in pixels (limited so
// that the main window still fits the screen), its resolution, the paths
// offered for saving it, and the copy of the picture to the clipboard.
//
// The section "VIEW" is written by an explicit WriteRegistry call.
#include <QString>
#include <cstdint>

class ViewHost;

class clsView {
public:
    // Keeps `host` (not owned; it outlives this object) and reads the section.
    explicit clsView(ViewHost* host);
    clsView(const clsView&) = delete;
    clsView& operator=(const clsView&) = delete;

    QString RegistrySection() const { return QStringLiteral("VIEW"); }
    QString BmpPath() const { return bmpPath_; }
    void SetBmpPath(const QString& path);
    QString PngPath() const { return pngPath_; }
    void SetPngPath(const QString& path);
    int16_t Dpi() const { return dpi_; }
    // Kept only within 48..1440, with the marker saying whether the value
    // came from the screen (and follows it) or from the user (and stays).
    void SetDpi(int16_t v, bool fromScreen);
    void SetDpi(int16_t v) { SetDpi(v, false); }
    bool DpiFromScreen() const { return dpiFromScreen_; }
    // The least picture, in dots, either way.
    static constexpr int32_t MinSize = 32;
    int32_t Width() const;
    void SetWidth(int32_t v);
    int32_t Height() const;
    void SetHeight(int32_t v);
    // The largest picture for which the main window, grown around it in its
    // normal state, still fits the screen; never below 32.
    int32_t MaxWidth() const;
    int32_t MaxHeight() const;

    // True when the clipboard then holds an image; otherwise the user is told.
    bool WriteClip();

    void ReadRegistry();
    void WriteRegistry() const;

private:
    void ResizePicture(int32_t width, int32_t height);
    // What the picture may take: a maximised window offers room that a
    // normal one does not, and its picture fills it.
    int32_t CapWidth() const;
    int32_t CapHeight() const;

    ViewHost* host_;
    QString bmpPath_ = QStringLiteral("USER.BMP");
    QString pngPath_ = QStringLiteral("USER.PNG");
    int16_t dpi_;
    bool dpiFromScreen_ = true;
};
