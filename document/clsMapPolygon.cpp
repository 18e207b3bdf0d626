#include "document/clsMapPolygon.h"

std::shared_ptr<clsMapFigure> clsMapPolygon::Copy() const {
    auto f = std::make_shared<clsMapPolygon>();
    CopyTo(*f);
    return f;
}
