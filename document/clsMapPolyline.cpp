#include "document/clsMapPolyline.h"

std::shared_ptr<clsMapFigure> clsMapPolyline::Copy() const {
    auto f = std::make_shared<clsMapPolyline>();
    CopyTo(*f);
    return f;
}
