#include "app/ToolCanvas.h"

#include "app/MapPicture.h"
#include "platform/DeviceContext.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

void ToolCanvas::DrawXor(MapPicture* picture, const std::vector<clsPoly>& lines, int32_t style, int32_t width) {
    if (!picture) return;
    {
        DeviceContext dc(picture->Image());
        // As wide on the screen at any pixel ratio; dots keep their pattern
        // by growing with the pen.
        const int32_t w = std::max(1, int32_t(std::nearbyint(width * picture->PixelRatio())));
        dc.SelectPen(DcPen{style, w, kColor, style != 0 && w > 1});
        dc.SetROP2(Gdi::R2_XORPEN);
        for (const clsPoly& p : lines)
            if (p.Count() >= 2) p.DrawPolyline(&dc);
    }
    picture->Refresh();
}

QCursor ToolCanvas::ToolCursor(int32_t id) {
    // A cross hair with the tool's sign beside it: a ruler for the survey, a
    // corner for the frame cut.
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    {
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing, false);
        const auto draw = [&p](const QColor& c, int w) {
            p.setPen(QPen(c, w));
            p.drawLine(15, 2, 15, 28);
            p.drawLine(2, 15, 28, 15);
        };
        draw(Qt::white, 3);
        draw(Qt::black, 1);
        p.setPen(QPen(Qt::black, 1));
        if (id == 1104) {
            p.fillRect(19, 19, 11, 4, Qt::white);
            p.drawRect(19, 19, 11, 4);
            for (int x = 21; x < 30; x += 2) p.drawLine(x, 19, x, 21);
        } else {
            p.drawLine(19, 19, 29, 19);
            p.drawLine(19, 19, 19, 29);
            p.drawLine(20, 20, 28, 20);
            p.drawLine(20, 20, 20, 28);
        }
    }
    return QCursor(pix, 15, 15);
}
