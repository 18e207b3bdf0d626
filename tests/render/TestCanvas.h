#pragma once
// Shared pieces of the drawing tests: colours as 0x00BBGGRR, a drawing layer
// on a white image, a text measurer with fixed cell sizes and an environment
// file installed for the lifetime of a guard.
#include "core/PublicVal.h"
#include "core/clsEnvironment.h"
#include "platform/DeviceContext.h"
#include "render/clsMapGraph.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

constexpr int32_t kWhite = 0xFFFFFF, kBlack = 0, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000,
                  kCyan = 0xFFFF00, kGrey = 0x808080;

struct Drawing {
    QImage image;
    std::unique_ptr<DeviceContext> dc;
    clsMapGraph g;
    // The application comes first: the drawing layer reads the installed fonts when it is made.
    explicit Drawing(int w = 100, int h = 100, int dpi = 96)
        : image((EnsureGuiApp(), QImage(w, h, QImage::Format_RGB32))) {
        image.fill(Qt::white);
        dc = std::make_unique<DeviceContext>(image, dpi, dpi);
        EXPECT_TRUE(g.GraphBegin(dc.get(), 0, 0, w, h));
    }
    int32_t Px(int x, int y) const { return dc->GetPixel(x, y); }
    size_t Count(int32_t colour) const {
        return Where([&](int32_t p) { return p == colour; }).second;
    }
    // Pixels as letters: . white, # black, r red, g green, b blue, c cyan, - grey, ? other.
    std::string At(std::initializer_list<std::pair<int, int>> pts) const {
        static const std::pair<int32_t, char> letters[] = {{kWhite, '.'}, {kBlack, '#'}, {kRed, 'r'}, {kGreen, 'g'},
                                                           {kBlue, 'b'},  {kCyan, 'c'},  {kGrey, '-'}};
        std::string s;
        for (const auto& [x, y] : pts) {
            char c = '?';
            for (const auto& [colour, letter] : letters)
                if (Px(x, y) == colour) c = letter;
            s += c;
        }
        return s;
    }
    // The pixels of a row or a column from the first point to the last, as letters.
    std::string Line(int x0, int y0, int x1, int y1) const {
        std::string s;
        for (int i = 0; i <= x1 - x0 + y1 - y0; ++i) s += At({{x0 + (x1 > x0 ? i : 0), y0 + (y1 > y0 ? i : 0)}});
        return s;
    }
    // The pixels of the box (left, top, right, bottom) as letters, a line a row.
    std::string Picture(int l, int t, int r, int b) const {
        std::string s;
        for (int y = t; y <= b; ++y) s += Line(l, y, r, y) + '\n';
        return s;
    }
    // Box (left, top, right, bottom) of the pixels of one colour, or of every
    // pixel that is not white when no colour is given.
    std::array<int, 4> Box(int32_t colour = -1) const {
        return Where([&](int32_t p) { return colour < 0 ? p != kWhite : p == colour; }).first;
    }

private:
    std::pair<std::array<int, 4>, size_t> Where(const std::function<bool(int32_t)>& hit) const {
        std::array<int, 4> b{1 << 30, 1 << 30, -1, -1};
        size_t n = 0;
        for (int y = 0; y < dc->Height(); ++y)
            for (int x = 0; x < dc->Width(); ++x)
                if (hit(dc->GetPixel(x, y))) {
                    ++n;
                    b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
                }
        return {b, n};
    }
};

// Every character `cw` pixels wide, every line `ch` high.
class FixedMeasurer : public TextMeasurer {
public:
    explicit FixedMeasurer(int32_t cw = 8, int32_t ch = 16) : cw_(cw), ch_(ch) {}
    bool TextSize(const QString& text, int32_t& width, int32_t& height) override {
        width = int32_t(text.size()) * cw_;
        height = ch_;
        return true;
    }

private:
    int32_t cw_, ch_;
};

class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const QByteArray& lines) : previous_(PublicVal::gvEnvironment) {
        env_.SetFileName(folder_.write(QStringLiteral("Environment.txt"), lines));
        EXPECT_EQ(env_.Load(), 0);
        PublicVal::gvEnvironment = &env_;
    }
    ~ScopedEnvironment() { PublicVal::gvEnvironment = previous_; }

private:
    TestFolder folder_;
    clsEnvironment env_;
    clsEnvironment* previous_;
};
