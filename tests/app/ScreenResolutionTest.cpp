// Resolutions kept between runs at device pixel ratios 1 and 2: one that
// came from the screen is the screen's of the next start, one the user
// entered stays; settings and snapshots from before the markers are judged
// by their values.
#include "AppFixture.h"

#include "core/ScreenDpiMark.h"
#include "platform/Desktop.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"

#include <array>

using namespace PublicVal;

namespace {

// PUBLIC ScreenDPI, VIEW DPI, LLPLOT DpiX and DpiY.
using Resolutions = std::array<int32_t, 4>;

class ScreenResolutionTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        Desktop::SetPixelRatio(0);
    }
    static Resolutions Start(double ratio) {
        Desktop::SetPixelRatio(ratio);
        EXPECT_EQ(gvInitialize(), 0);
        return Now();
    }
    static Resolutions Now() { return {gvScreenDPI, gvView->Dpi(), gvMapPlot->dpix(), gvMapPlot->dpiy()}; }
    static Resolutions All(int32_t dpi) { return {dpi, dpi, dpi, dpi}; }
    static void PutIn(const char* section, const char* key, const QString& value) {
        clsRegistry r;
        r.mSection = QString::fromLatin1(section);
        r.RegPut(QString::fromLatin1(key), value);
    }
    static QString GetIn(const char* section, const char* key) {
        clsRegistry r;
        r.mSection = QString::fromLatin1(section);
        return r.RegGet(QString::fromLatin1(key), QStringLiteral("<none>"));
    }
    // The four values as a run before the markers stored them.
    static void PutUnmarked(const QString& dpi) {
        PutIn("PUBLIC", "ScreenDPI", dpi);
        PutIn("VIEW", "DPI", dpi);
        PutIn("LLPLOT", "DpiX", dpi);
        PutIn("LLPLOT", "DpiY", dpi);
    }
};

TEST_F(ScreenResolutionTest, ScreensResolutionFollowsTheScreenOfTheNextStart) {
    EXPECT_EQ(Start(1), All(96));
    gvTerminate();
    EXPECT_EQ(GetIn("PUBLIC", "ScreenDPIAuto"), "True");
    EXPECT_EQ(GetIn("VIEW", "DPIAuto"), "True");
    EXPECT_EQ(GetIn("LLPLOT", "DpiXAuto"), "True");
    EXPECT_EQ(GetIn("LLPLOT", "DpiYAuto"), "True");
    EXPECT_EQ(Start(2), All(192));
    gvTerminate();
    EXPECT_EQ(Start(1), All(96));
}

TEST_F(ScreenResolutionTest, UsersResolutionStaysAtAnotherRatio) {
    Start(1);
    gvScreenDPI = 96; // a screen width entered in the environment dialog
    gvScreenDPIFromScreen = false;
    gvView->SetDpi(96); // the image-size dialog's resolution
    gvMapPlot->Setdpix(96);
    gvMapPlot->Setdpiy(96);
    gvTerminate();
    EXPECT_EQ(GetIn("VIEW", "DPIAuto"), "False");
    EXPECT_EQ(Start(2), All(96));
    EXPECT_FALSE(gvView->DpiFromScreen());
    EXPECT_FALSE(gvScreenDPIFromScreen);
}

TEST_F(ScreenResolutionTest, SettingsWithoutMarkersAreJudgedByTheirValues) {
    struct Row {
        const char* stored;
        double ratio;
        int32_t expected;
    };
    // What the screen gives at a ratio of 1 to 4 in quarter steps is the
    // screen's; anything else was the user's.
    for (const Row& r : {Row{"96", 2, 192}, Row{"192", 1, 96}, Row{"120", 2, 192}, Row{"384", 1.5, 144},
                         Row{"300", 2, 300}, Row{"100", 2, 100}, Row{"400", 1, 400}}) {
        SCOPED_TRACE(r.stored);
        PutUnmarked(QString::fromLatin1(r.stored));
        PutIn("PUBLIC", "ScreenDPIAuto", "");
        PutIn("VIEW", "DPIAuto", "");
        PutIn("LLPLOT", "DpiXAuto", "");
        PutIn("LLPLOT", "DpiYAuto", "");
        EXPECT_EQ(Start(r.ratio), All(r.expected));
        gvTerminate();
    }
    // A marker decides over the value.
    PutUnmarked("96");
    PutIn("PUBLIC", "ScreenDPIAuto", "TRUE");
    PutIn("VIEW", "DPIAuto", "False");
    PutIn("LLPLOT", "DpiXAuto", "false");
    PutIn("LLPLOT", "DpiYAuto", "");
    EXPECT_EQ(Start(2), (Resolutions{192, 96, 96, 192}));
    gvTerminate();
    PutUnmarked("300");
    PutIn("VIEW", "DPIAuto", "True");
    EXPECT_EQ(Start(2)[1], 192);
}

TEST_F(ScreenResolutionTest, SnapshotsCarryTheMarkers) {
    Start(1);
    const QString both = root.path() + "/BOTH.MLG";
    ASSERT_EQ(gvWriteLog(both), 0);
    EXPECT_TRUE(Read(both).contains("[VIEW]\r\nBMPpath=\"USER.BMP\"\r\nPNGpath=\"USER.PNG\"\r\nDPI=\"96\"\r\n"
                                    "DPIAuto=\"True\"\r\n"));
    gvView->SetDpi(96);
    const QString user = root.path() + "/USER.MLG";
    ASSERT_EQ(gvWriteLog(user), 0);
    gvTerminate();

    Start(2);
    ASSERT_EQ(gvReadLog(both), 0);
    EXPECT_EQ(Now(), All(192));
    ASSERT_EQ(gvReadLog(user), 0);
    EXPECT_EQ(gvView->Dpi(), 96);
    // A snapshot from before the markers, read while the store holds the
    // user's marker: its own value decides.
    const QString old = root.path() + "/OLD.MLG";
    Write(old, "[PUBLIC]\r\nScreenDPI=\"96\"\r\n[VIEW]\r\nDPI=\"96\"\r\n[LLPLOT]\r\nDpiX=\"96\"\r\nDpiY=\"96\"\r\n");
    ASSERT_EQ(gvReadLog(old), 0);
    EXPECT_EQ(Now(), All(192));
    Write(old, "[VIEW]\r\nDPI=\"300\"\r\n");
    ASSERT_EQ(gvReadLog(old), 0);
    EXPECT_EQ(gvView->Dpi(), 300);
}

// The window moved to a screen of another ratio.
class ScreenChangeTest : public WindowFixture {
protected:
    void TearDown() override {
        WindowFixture::TearDown();
        Desktop::SetPixelRatio(0);
    }
};

TEST_F(ScreenChangeTest, AnotherScreenMovesOnlyTheScreensResolutions) {
    ASSERT_TRUE(gvView->DpiFromScreen());
    view->SetPixelRatio(2);
    EXPECT_EQ(gvView->Dpi(), 192);
    EXPECT_EQ(gvScreenDPI, 192);
    // 96 entered by the user at ratio 2 stays at ratio 1 and back.
    gvView->SetDpi(96);
    gvScreenDPIFromScreen = false;
    gvScreenDPI = 96;
    view->SetPixelRatio(1);
    view->SetPixelRatio(2);
    EXPECT_EQ(gvView->Dpi(), 96);
    EXPECT_EQ(gvScreenDPI, 96);
}

} // namespace
