#pragma once
// Accessories drawn on a white image through an idle drawing layer with a
// fixed-size text measurer.
#include "TestCanvas.h"

#include "core/MapProjection.h"
#include "render/clsAccessory.h"

#include <algorithm>
#include <initializer_list>

// Switches every item off but the given ones.
inline void OnlyItems(clsAccessory& a, std::initializer_list<int32_t> items) {
    for (int32_t i = 1; i <= 7; ++i) {
        a.SetIndex(i);
        a.SetUse(std::find(items.begin(), items.end(), i) != items.end());
    }
}

// Accessories on a white image, the drawing layer idle.
struct Canvas : Drawing {
    ScopedSettingsHome home;
    FixedMeasurer m;
    std::unique_ptr<clsAccessory> a;

    Canvas(int32_t w, int32_t h) : Drawing(w, h) {
        g.GraphEnd();
        MapProjection::InitGlobe(nullptr);
        PublicVal::gvMapMode = 1;
        g.SetTextMeasurer(&m);
        a = std::make_unique<clsAccessory>();
        a->SetGraph(&g);
        a->Sethandle(dc.get());
        a->SetWidth(w);
        a->SetHeight(h);
        a->SetDpi(96);
        a->SetMapScale(1000000);
    }
    void Only(std::initializer_list<int32_t> items) { OnlyItems(*a, items); }
    void SetText(int32_t i, const QString& text) {
        a->SetIndex(i);
        a->SetText(text);
    }
    void SetColor(int32_t i, int32_t c) {
        a->SetIndex(i);
        a->SetColor(c);
    }
    // Pixels in the box (inclusive) that are not white.
    int Ink(int l, int t, int r, int b) const {
        int n = 0;
        for (int y = t; y <= b; ++y)
            for (int x = l; x <= r; ++x) n += Px(x, y) != kWhite;
        return n;
    }
    const AccessoryItem& It(int32_t i) const { return a->Item(i); }
};
