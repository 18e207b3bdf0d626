#pragma once
// The plot engine's settings section ("LLPLOT"): every key once, with its
// default and the property it fills, read and written from the same list so
// that the two can never disagree on a name, a default or the order. Works
// through the engine's public face: its view, its switches and its setters.
class clsMapPlot;
class clsRegistry;

class PlotSettings {
public:
    // Through the engine's setters, so each value keeps its range check.
    static void Read(clsMapPlot& plot, const clsRegistry& reg);
    // In the list's order; the centre as it is without the wrap-around shift.
    static void Write(clsMapPlot& plot, clsRegistry& reg);

private:
    template <class Io>
    static void Exchange(Io& io, clsMapPlot& plot);
};
