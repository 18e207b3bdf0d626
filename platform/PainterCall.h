#pragma once
// The toolkit's raster engine can return with the upper halves of the wide
// vector registers in use; every plain SSE instruction after that (the
// projections, the pixel loops) then pays a state-transition penalty, which
// made each conversion about ten times slower. Each call into the painter
// holds a PainterCall, which clears that state on the way out.
class PainterCall {
public:
    PainterCall() = default;
    ~PainterCall();
    PainterCall(const PainterCall&) = delete;
    PainterCall& operator=(const PainterCall&) = delete;
};
