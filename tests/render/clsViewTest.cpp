#include "render/clsView.h"

#include "core/clsRegistry.h"
#include "platform/ScriptedUi.h"
#include "render/ViewHost.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

// A main window of 1000 x 700 pixels (15 twips each) around its picture, on
// a screen of 1280 x 1024 pixels; the scroll bars are 17 pixels thick.
class FakeHost : public ViewHost {
public:
    int32_t width = 640, height = 480;
    int resizes = 0;
    double screenW = 1280 * 15.0, screenH = 1024 * 15.0;
    double windowW = 1000 * 15.0, windowH = 700 * 15.0;
    double normalW = 0, normalH = 0; // 0: the window is in its normal state
    double hsbW = 640 * 15.0, vsbH = 480 * 15.0;
    double tpp = 15.0;

    int32_t PictureWidth() const override { return width; }
    int32_t PictureHeight() const override { return height; }
    void ResizePicture(int32_t w, int32_t h) override {
        width = w;
        height = h;
        ++resizes;
    }
    QImage PictureImage() const override {
        QImage img(width, height, QImage::Format_RGB32);
        img.fill(Qt::blue);
        return img;
    }
    double WindowWidthTwips() const override { return windowW; }
    double WindowHeightTwips() const override { return windowH; }
    double NormalWindowWidthTwips() const override { return normalW > 0 ? normalW : windowW; }
    double NormalWindowHeightTwips() const override { return normalH > 0 ? normalH : windowH; }
    double HScrollWidthTwips() const override { return hsbW; }
    double VScrollHeightTwips() const override { return vsbH; }
    double ScreenWidthTwips() const override { return screenW; }
    double ScreenHeightTwips() const override { return screenH; }
    double TwipsPerPixelX() const override { return tpp; }
    double TwipsPerPixelY() const override { return tpp; }
};

void Put(const QString& key, const QString& value) {
    clsRegistry reg;
    reg.mSection = QStringLiteral("VIEW");
    reg.RegPut(key, value);
}

} // namespace

TEST(clsView, SizeLimitsFollowTheScreen) {
    ScopedSettingsHome home;
    FakeHost host;
    clsView v(&host);
    EXPECT_EQ(v.RegistrySection(), "VIEW");
    // The window without its picture takes 360 x 220 pixels of the screen.
    EXPECT_EQ(v.MaxWidth(), 1280 - 360);
    EXPECT_EQ(v.MaxHeight(), 1024 - 220);
    // In turn: a width (1) or height (0) asked for -> width, height.
    const int32_t steps[][4] = {
        {1, 10, 32, 480}, {1, 5000, 920, 480}, {0, 31, 920, 32}, {0, 804, 920, 804}, {0, 805, 920, 804}};
    for (const auto& st : steps) {
        st[0] ? v.SetWidth(st[1]) : v.SetHeight(st[1]);
        EXPECT_TRUE(v.Width() == st[2] && v.Height() == st[3]) << st[1] << ": " << v.Width() << "x" << v.Height();
    }

    // Twips round before the truncating division: 13799.6 -> 13800 \ 15 = 920.
    host.screenW = 1280 * 15.0 - 0.4;
    EXPECT_EQ(v.MaxWidth(), 920);
    host.screenW = 1280 * 15.0 - 1;
    EXPECT_EQ(v.MaxWidth(), 919);
    // At device pixel ratio 2 a pixel is 7.5 twips, not 8: 13800 / 7.5.
    host.tpp = 7.5;
    host.screenW = 1280 * 15.0;
    EXPECT_EQ(v.MaxWidth(), 1840);

    // A window wider than the screen still allows 32 pixels.
    host.windowW = 1e7;
    host.windowH = 1e7;
    EXPECT_EQ(v.MaxWidth(), 32);
    EXPECT_EQ(v.MaxHeight(), 32);
    v.SetWidth(100);
    EXPECT_EQ(v.Width(), 32);
}

// Maximised on a 1280 x 1024 screen the window is the screen, and has shed
// 2 x 6 pixels of frame that it takes back in its normal state.
TEST(clsView, AMaximisedPictureFillsTheWindowWhileTheLimitIsTheNormalOne) {
    ScopedSettingsHome home;
    FakeHost host;
    host.windowW = 1280 * 15.0;
    host.windowH = 1024 * 15.0;
    host.normalW = 1282 * 15.0;
    host.normalH = 1030 * 15.0;
    host.hsbW = 1200 * 15.0;
    host.vsbH = 900 * 15.0;
    clsView v(&host);
    EXPECT_EQ(v.MaxWidth(), 1280 - 82);
    EXPECT_EQ(v.MaxHeight(), 1024 - 130);
    struct Step {
        const char* name;
        double windowW;
        bool width;
        int32_t asked, kept;
    } const steps[] = {
        {"the area left of the scroll bar", 1280 * 15.0, true, 1200, 1200},
        {"no wider than that area", 1280 * 15.0, true, 5000, 1200},
        {"the area above the scroll bar", 1280 * 15.0, false, 5000, 900},
        {"the limit offered", 1280 * 15.0, true, 1198, 1198},
        // A frame hanging off the screen leaves less room than the limit.
        {"never below the limit", 1300 * 15.0, true, 5000, 1198},
    };
    for (const Step& st : steps) {
        host.windowW = st.windowW;
        st.width ? v.SetWidth(st.asked) : v.SetHeight(st.asked);
        EXPECT_EQ(st.width ? v.Width() : v.Height(), st.kept) << st.name;
    }
}

TEST(clsView, DpiAndPaths) {
    ScopedSettingsHome home;
    FakeHost host;
    clsView v(&host);
    const int32_t dpis[][2] = {{200, 200}, {47, 200}, {1441, 200}, {48, 48}, {1440, 1440}};
    for (const auto& d : dpis) {
        v.SetDpi(d[0]);
        EXPECT_EQ(v.Dpi(), d[1]) << d[0];
    }

    EXPECT_EQ(v.BmpPath(), "USER.BMP");
    EXPECT_EQ(v.PngPath(), "USER.PNG");
    v.SetBmpPath(QStringLiteral("C:\\maps\\view.PNG"));
    EXPECT_EQ(v.BmpPath(), "C:\\maps\\view.BMP");
    v.SetBmpPath(QStringLiteral("C:\\maps.d\\view"));
    EXPECT_EQ(v.BmpPath(), "C:\\maps.d\\view.BMP");
    v.SetPngPath(QStringLiteral("out.bmp"));
    EXPECT_EQ(v.PngPath(), "out.PNG");
}

TEST(clsView, SectionRoundTripAndStoredValues) {
    ScopedSettingsHome home;
    {
        FakeHost host;
        clsView v(&host);
        v.SetDpi(300);
        v.SetWidth(700);
        v.SetHeight(500);
        v.SetBmpPath(QStringLiteral("a.x"));
        v.WriteRegistry();
    }
    clsRegistry reg;
    reg.mSection = QStringLiteral("VIEW");
    const auto pairs = reg.RegGetSec();
    QStringList keys, values;
    for (const auto& kv : pairs) keys << kv.first, values << kv.second;
    EXPECT_EQ(keys, (QStringList{"BMPpath", "PNGpath", "DPI", "DPIAuto", "Width", "Height"}));
    EXPECT_EQ(values, (QStringList{"a.BMP", "USER.PNG", "300", "False", "700", "500"}));

    FakeHost host;
    clsView v(&host);
    EXPECT_EQ(v.Dpi(), 300);
    EXPECT_EQ(host.width, 700);
    EXPECT_EQ(host.height, 500);

    // Paths and resolution are stored unchanged; sizes go through the limits.
    Put("BMPpath", "plain");
    Put("DPI", "20");
    Put("Width", "5");
    Put("Height", "99999");
    FakeHost host2;
    clsView w(&host2);
    EXPECT_EQ(w.BmpPath(), "plain");
    EXPECT_EQ(w.Dpi(), 20);
    EXPECT_EQ(host2.width, 32);
    EXPECT_EQ(host2.height, 804);

    // Values that do not convert take their defaults.
    Put("DPI", "high");
    Put("Width", "wide");
    Put("Height", "70000000000");
    FakeHost host3;
    clsView x(&host3);
    EXPECT_EQ(x.Dpi(), 96);
    EXPECT_EQ(host3.width, 640);
    EXPECT_EQ(host3.height, 480);
    Put("DPI", "40000");
    EXPECT_EQ(clsView(&host3).Dpi(), 96);
}

TEST(clsView, WriteClipPutsTheViewOnTheClipboard) {
    EnsureGuiApp();
    ScopedSettingsHome home;
    ScopedUi ui;
    class NoImage : public FakeHost {
    public:
        bool empty = false;
        QImage PictureImage() const override { return empty ? QImage() : FakeHost::PictureImage(); }
    } host;
    clsView v(&host);
    v.SetWidth(123);
    v.SetHeight(45);
    ASSERT_TRUE(v.WriteClip());
    EXPECT_TRUE(ui.ui.messages.isEmpty());
    const QImage img = QGuiApplication::clipboard()->image();
    EXPECT_EQ(img.size(), QSize(123, 45));
    EXPECT_EQ(QColor(img.pixel(60, 20)), QColor(Qt::blue));
    // An empty picture is reported.
    host.empty = true;
    EXPECT_FALSE(v.WriteClip());
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("クリップボードへの出力に失敗しました."));
    EXPECT_EQ(ui.ui.messages[0].style, 16);
}
