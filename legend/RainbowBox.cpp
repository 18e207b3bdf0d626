#include "legend/RainbowBox.h"

#include "legend/StyleMath.h"
#include "platform/SystemColors.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <utility>

namespace RainbowBox {

namespace {

std::function<int32_t()>& Generator()
{
    static std::function<int32_t()> next;
    return next;
}

} // namespace

std::function<int32_t()> SetRandom(std::function<int32_t()> next) { return std::exchange(Generator(), std::move(next)); }

void FillRainbow(QImage& image)
{
    const int32_t w = image.width(), h = image.height();
    const int32_t bw = w / 16, bh = h / 16;
    int32_t p = Generator() ? Generator()() : int32_t(QRandomGenerator::global()->bounded(6));
    if (p < 0 || p > 5)
        p = 0;
    QPainter painter(&image);
    for (int32_t i = 0; i <= 31; ++i) {
        for (int32_t j = 0; j <= 31; ++j) {
            const int32_t c = StyleMath::RainbowColor(i, j, p);
            // Each rectangle covers two lattice steps; later ones overlap earlier ones.
            painter.fillRect(j * w / 32, i * h / 32, bw, bh, SystemColors::ToQColor(c));
        }
    }
}

} // namespace RainbowBox
