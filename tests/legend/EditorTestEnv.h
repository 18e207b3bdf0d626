#pragma once
// The style editors and the range dialog opened without a window: the
// drawing layer installed, a scripted palette, a fixed rainbow, and each
// dialog's load and OK reachable.
#include "core/MapProjection.h"
#include "legend/RainbowBox.h"
#include "legend/RangeSlider.h"
#include "legend/StylePicture.h"
#include "legend/frmExpPolygon.h"
#include "legend/frmExpPolyline.h"
#include "legend/frmExpSymbol.h"
#include "legend/frmExpText.h"
#include "legend/frmRange.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "support/FakeAppHost.h"
#include "support/GuiApp.h"

#include <gtest/gtest.h>

template <class D>
struct Opened : D {
    using D::cmdCancel_Click;
    using D::cmdOK_Click;
    using D::Form_Load;
    void Load()
    {
        this->mResult = false;
        Form_Load();
    }
};

struct EditorTest : ::testing::Test {
    EditorTest() { MapProjection::InitGlobe(nullptr); } // the scale limits
    void SetUp() override
    {
        old_ = RenderGlobals::SetMapGraph(&graph);
        RainbowBox::SetRandom([] { return 0; });
    }
    void TearDown() override
    {
        RenderGlobals::SetMapGraph(old_);
        RainbowBox::SetRandom({});
    }
    // Pixels of one colour (0x00BBGGRR) in a picture's image.
    static int Count(const StylePicture& p, int32_t colour)
    {
        const QRgb want = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        int n = 0;
        for (int y = 0; y < p.Image().height(); ++y)
            for (int x = 0; x < p.Image().width(); ++x)
                n += (p.Image().pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF);
        return n;
    }

    // The application comes before the drawing layer, which reads the
    // installed fonts when it is made (first among the members).
    const bool guiApp = (EnsureGuiApp(), true);
    clsMapGraph graph;
    FakeAppHost host;

private:
    clsMapGraph* old_ = nullptr;
};
