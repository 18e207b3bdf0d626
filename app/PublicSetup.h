#pragma once
// The application's half of the global state: creating and releasing the
// singletons in their fixed order, section "PUBLIC" of the settings store
// and the snapshot files ".MLG" that carry it with the other settings
// sections. The globals the engine reads live in core/PublicVal.h.
#include "core/PublicVal.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class ViewHost;
class clsAccessory;
class clsAdmins;
class clsCruise05;
class clsMapGraph;
class clsMapPlot;
class clsNativeColor;
class clsView;
class clsMap;
class clsMapUnit;
class clsThings;

namespace PublicVal {

// The application's singletons, created and released here in a fixed order;
// null outside that span (and in tests that do not install them). Not owned.
extern clsMapGraph* gvMapGraph;
extern clsAccessory* gvAccessory;
extern clsCruise05* gvCruise;
extern clsNativeColor* gvNativeColor;
extern clsMapPlot* gvMapPlot;
extern clsView* gvView;
clsMapPlot* PlotEngine();

// What this module needs of the main window.
class MainWindowLink {
public:
    virtual ~MainWindowLink();
    // The view picture the output settings keep for the whole run.
    virtual ViewHost* View() = 0;
    // Outer position in twips.
    virtual double WindowLeft() const = 0;
    virtual double WindowTop() const = 0;
    virtual void MoveWindow(double left, double top) = 0;
    // Offers to save the unit's modified thing and area lists; false when
    // the user cancelled a save, and the unit must stay as it is.
    virtual bool UnloadMapUnit(clsMapUnit& unit) = 0;
};
// Installs the main window (not owned; nullptr removes it).
void SetMainWindow(MainWindowLink* window);

// 0 success; 1 environment or singletons, 2 base unit, 4 section "PUBLIC",
// 5 no map folder. Errors raised on the way pass on to the caller.
int16_t gvInitialize();
// Writes section "PUBLIC" and releases the singletons; the map-unit list
// stays when the open maps hold 50000 figures or more.
void gvTerminate();
// True from the end of a successful gvInitialize to gvTerminate.
bool gvInitialized();
// The message shown for a result of gvInitialize.
QString InitializeMessage(int16_t result);
// The figures of all open units together.
int64_t FigureTotal();

// Section "PUBLIC"; with `units` also the list of open map units.
void gvReadRegistry(bool units);
void gvWriteRegistry(bool units);
// Snapshot files: 0, or 70 for a read-only target / 53 for a missing file /
// kNotASnapshot for a file without any of a snapshot's section headers,
// which is refused with a message before anything is changed /
// ErrorMng::SaveCancelled when the user cancelled saving a list that the
// restore would drop, and nothing was changed.
constexpr int32_t kNotASnapshot = 321;
int32_t gvWriteLog(const QString& path);
int32_t gvReadLog(const QString& path);

std::shared_ptr<clsMapUnit> ActiveMapUnit();
std::shared_ptr<clsMap> ActiveMap();
std::shared_ptr<clsThings> ActiveThings();
std::shared_ptr<clsAdmins> ActiveAdmins();

// Receives "create X" and "release X" as the singletons come and go.
using TraceFn = std::function<void(const QString&)>;
TraceFn SetTrace(TraceFn fn);

} // namespace PublicVal
