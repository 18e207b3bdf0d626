#include "app/PublicSetup.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/ScreenDpiMark.h"
#include "core/clsEnvironment.h"
#include "core/clsRegistry.h"
#include "core/clsTextFile.h"
#include "cruise/clsCruise05.h"
#include "document/HMap.h"
#include "document/clsMap.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/FileSystem.h"
#include "render/clsAccessory.h"
#include "render/clsMapGraph.h"
#include "render/clsNativeColor.h"
#include "render/ViewHost.h"
#include "render/clsView.h"

#include "render/RegValues.h"
#include "render/RenderGlobals.h"
#include "render/clsGrid.h"
#include "render/clsMapPlot.h"

#include <QImage>
#include <QSet>
#include <algorithm>
#include <limits>

namespace PublicVal {

clsMapGraph* gvMapGraph = nullptr;
clsAccessory* gvAccessory = nullptr;
clsCruise05* gvCruise = nullptr;
clsNativeColor* gvNativeColor = nullptr;
clsMapPlot* gvMapPlot = nullptr;
clsView* gvView = nullptr;

clsMapPlot* PlotEngine() { return gvMapPlot; }

MainWindowLink::~MainWindowLink() = default;

namespace {

const QString kObj = QStringLiteral("basPublicVal");
const QString kPublic = QStringLiteral("PUBLIC");
constexpr int64_t kKeepUnitsFigures = 50000;

MainWindowLink* g_window = nullptr;
bool g_initialized = false;
TraceFn g_trace;
// The window position read last, written back when no window is installed.
double g_left = 1000;
double g_top = 1000;

// Stands in for the view picture when no main window is installed (tests).
class DetachedView : public ViewHost {
public:
    int32_t PictureWidth() const override { return width_; }
    int32_t PictureHeight() const override { return height_; }
    void ResizePicture(int32_t width, int32_t height) override {
        width_ = width;
        height_ = height;
    }
    QImage PictureImage() const override { return QImage(width_, height_, QImage::Format_RGB32); }
    double WindowWidthTwips() const override { return (width_ + 40) * 15.0; }
    double WindowHeightTwips() const override { return (height_ + 120) * 15.0; }
    double HScrollWidthTwips() const override { return 255; }
    double VScrollHeightTwips() const override { return 255; }

private:
    int32_t width_ = 640;
    int32_t height_ = 480;
};

ViewHost* ViewForOutput() {
    static DetachedView detached;
    ViewHost* v = g_window ? g_window->View() : nullptr;
    return v ? v : &detached;
}

void Trace(const QString& what) {
    if (g_trace) g_trace(what);
}

// A 16-bit setting; anything outside -32768..32767 gives the default.
int16_t ToInteger(const QString& text, int16_t def) {
    const int32_t v = RegValues::TextToLong(text, std::numeric_limits<int32_t>::min());
    if (v < -32768 || v > 32767) return def;
    return static_cast<int16_t>(v);
}

// Reads the keys of section "PUBLIC" through `get` (key, default text).
using Getter = std::function<QString(const QString&, const QString&)>;

void ReadScalars(const Getter& get) {
    gvLastSavePath = get(QStringLiteral("LastSavePath"), QString());
    gvLastLog = get(QStringLiteral("LastLog"), QString());
    gvLanguage = RegValues::TextToLong(get(QStringLiteral("Language"), QStringLiteral("1")), 1);
    if (gvLanguage != 1 && gvLanguage != 2) gvLanguage = 1;
    g_left = RegValues::TextToDouble(get(QStringLiteral("WindowLeft"), QStringLiteral("1000")), 1000);
    g_top = RegValues::TextToDouble(get(QStringLiteral("WindowTop"), QStringLiteral("1000")), 1000);
    if (g_window) g_window->MoveWindow(g_left, g_top);

    const QString mapPath = get(QStringLiteral("MapPath"), gvMapFolder);
    if (!mapPath.isEmpty()) {
        const QString keep = gvMapFolder;
        gvMapFolder = FileSystem::NormalPath(mapPath);
        if (!Library::FileExists(BaseMapADM()) || !Library::FileExists(BaseMapTHG()) ||
            !Library::FileExists(BaseMapMLL()))
            gvMapFolder = keep;
    }

    gvStartMapType = static_cast<int16_t>(Library::Clamp(ToInteger(get(QStringLiteral("StartMapType"), QStringLiteral("2")), 2), 0, 2));
    SetGvStartMapFile(get(QStringLiteral("StartMapFile"), gvStartMapFile));
    const int16_t screen = Library::ScreenDPI();
    const int16_t dpi = ToInteger(get(QStringLiteral("ScreenDPI"), Library::NumStr(screen)), screen);
    // One that came from the screen is the screen's of this start.
    const QString marker = get(ScreenDpiMark::MarkerKey(QStringLiteral("ScreenDPI")), QString());
    gvScreenDPIFromScreen = dpi < 4 || ScreenDpiMark::FromScreen(dpi, marker);
    gvScreenDPI = gvScreenDPIFromScreen ? screen : dpi;
    gvAngleValue = static_cast<int16_t>(Library::Clamp(ToInteger(get(QStringLiteral("AngleValue"), QStringLiteral("1")), 1), 1, 5));
    gvAngleUnit = static_cast<int16_t>(Library::Clamp(ToInteger(get(QStringLiteral("AngleUnit"), QStringLiteral("4")), 4), 1, 6));
    gvAngleDirection =
        static_cast<int16_t>(Library::Clamp(ToInteger(get(QStringLiteral("AngleDirection"), QStringLiteral("3")), 3), 1, 4));
    gvHomeLon = Library::Clamp(RegValues::TextToLong(get(QStringLiteral("HomeLon"), QStringLiteral("0")), 0), -648000, 648000);
    gvHomeLat = Library::Clamp(RegValues::TextToLong(get(QStringLiteral("HomeLat"), QStringLiteral("185318")), 185318), -324000, 324000);
    const double homeDef = MapProjection::ScaleMax / 50;
    gvHomeScaleLL = MapProjection::LimitScale(RegValues::TextToDouble(get(QStringLiteral("HomeScaleLL"), Library::NumStr(homeDef)), homeDef));
}

QString UnitKey(int32_t i, const char* name) { return QString::number(i) + QLatin1Char(':') + QLatin1String(name); }

void ReadUnits(const Getter& get) {
    gvMapUnits->ClearAll();
    const int32_t n = Library::Clamp(RegValues::TextToLong(get(QStringLiteral("LLcount"), QStringLiteral("1")), 1), 0, 256);
    for (int32_t i = 1; i <= n; ++i) {
        const QString map = get(UnitKey(i, "MapLL"), QString());
        if (map.isEmpty()) continue;
        auto unit = std::make_shared<clsMapUnit>();
        unit->SetMapMode(1);
        unit->gFigures->SetFileName(map);
        unit->gThings->SetFileName(get(UnitKey(i, "ThingLL"), DefaultTHG()));
        unit->gAdmins->SetFileName(get(UnitKey(i, "AdministrationLL"), DefaultADM()));
        const int16_t sw = ToInteger(get(UnitKey(i, "SwitchLL"), QStringLiteral("3")), 3);
        unit->bDraw = (sw & 2) != 0;
        unit->bSearch = (sw & 1) != 0;
        if (unit->Load()) gvMapUnits->Add(unit);
    }
}

// The sections of a snapshot file, in their order, named by their owners now.
QStringList SnapshotSections() {
    QStringList names{kPublic};
    names << (gvAccessory ? gvAccessory->InstanceName() : QStringLiteral("ACCESSORY"));
    names << (gvMapPlot ? gvMapPlot->RegistrySection() : QStringLiteral("LLPLOT"));
    names << (gvMapPlot ? gvMapPlot->Grid().RegistrySection() : QStringLiteral("LLGRID"));
    names << (gvView ? gvView->RegistrySection() : QStringLiteral("VIEW"));
    return names;
}

template <class T>
void Release(T*& object, const char* name, bool writeSettings) {
    if (!object) return;
    if (writeSettings) object->WriteRegistry();
    delete object;
    object = nullptr;
    Trace(QStringLiteral("release ") + QLatin1String(name));
}

} // namespace

void SetMainWindow(MainWindowLink* window) { g_window = window; }

TraceFn SetTrace(TraceFn fn) {
    TraceFn prev = std::move(g_trace);
    g_trace = std::move(fn);
    return prev;
}

bool gvInitialized() { return g_initialized; }

QString InitializeMessage(int16_t result) {
    switch (result) {
    case 0: return {};
    case 1: return QStringLiteral("パブリックインスタンスを生成できませんでした．");
    case 2: return QStringLiteral("経緯度地図ベースユニットを確立できませんでした.");
    case 3: return QStringLiteral("ＸＹ地図ベースユニットを確立できませんでした.");
    case 4: return QStringLiteral("前回環境を復元できませんでした．");
    case 5: return QStringLiteral("環境ファイルに異常があります.");
    default: return QStringLiteral("原因不明のエラーにより初期化を中止します．");
    }
}

int64_t FigureTotal() {
    int64_t total = 0;
    if (gvMapUnits)
        for (const auto& u : *gvMapUnits)
            if (u && u->gFigures) total += u->gFigures->Count();
    return total;
}

int16_t gvInitialize() {
    try {
        g_initialized = false;
        // The store lives for the whole run, so it is made once.
        if (!gvEnvironment) gvEnvironment = new clsEnvironment;
        gvEnvironment->SetFileName(Library::JoinPath(FileSystem::ProgramFolder(), QStringLiteral("Environment.txt")));
        if (gvEnvironment->Load() != 0) return 1;

        MapProjection::InitGlobe();

        const QString folder = gvEnvironment->GetString(QStringLiteral("MapFolder"), QString());
        if (folder.isEmpty()) return 5;
        gvMapFolder = FileSystem::NormalPath(ResolveMapFolder(folder, FileSystem::ProgramFolder()));
        SetGvStartMapFile(gvEnvironment->GetString(QStringLiteral("StartMapFile"), QString()));
        gvPolygonOutline = gvEnvironment->GetString(QStringLiteral("PolygonOutline"), QStringLiteral("yes"))
                               .compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0;

        try {
            gvMapGraph = new clsMapGraph;
            // The graph has just listed the installed fonts; the accessories
            // made next take their face from gvDefaultFont.
            const QString meiryo = QStringLiteral("メイリオ");
            const auto& fonts = gvMapGraph->FontList();
            const bool haveMeiryo = std::any_of(fonts.begin(), fonts.end(), [&](const clsMapGraph::FontRecord& f) {
                return f.name.compare(meiryo, Qt::CaseInsensitive) == 0;
            });
            gvDefaultFont = haveMeiryo ? meiryo : QStringLiteral("ＭＳ Ｐゴシック");
            gvMapGraph->SetDefaultFont(gvDefaultFont);
            Trace(QStringLiteral("create clsMapGraph"));
            gvAccessory = new clsAccessory;
            gvAccessory->SetGraph(gvMapGraph);
            Trace(QStringLiteral("create clsAccessory"));
            gvCruise = new clsCruise05;
            gvCruise->ReadRegistry();
            Trace(QStringLiteral("create clsCruise05"));
            gvNativeColor = new clsNativeColor;
            HMap::SetNativeColorHook([](int32_t index) { return gvNativeColor ? gvNativeColor->Color(index) : -1; });
            Trace(QStringLiteral("create clsNativeColor"));
            gvMapUnits = new clsMapUnits;
            gvAccessory->SetMapUnits(gvMapUnits);
            Trace(QStringLiteral("create clsMapUnits"));
            RenderGlobals::SetMapGraph(gvMapGraph);
            gvMapPlot = new clsMapPlot;
            gvMapPlot->mMaps = gvMapUnits;
            RenderGlobals::SetMapPlot(gvMapPlot);
            Trace(QStringLiteral("create clsMapPlot"));
            gvView = new clsView(ViewForOutput());
            Trace(QStringLiteral("create clsView"));
        } catch (...) {
            return 1;
        }
        gvMapMode = 1;

        if (gvEnvironment->GetString(QStringLiteral("StartByRegistry"), QStringLiteral("yes"))
                .compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0) {
            try {
                gvReadRegistry(false);
            } catch (...) {
                return 4;
            }
        } else {
            // Without the stored settings every value takes its default;
            // zeros would stop the program later (a division by the
            // screen resolution among them).
            ReadScalars([](const QString&, const QString& def) { return def; });
        }

        int16_t created = -1;
        try {
            created = gvMapUnits->Create(1);
        } catch (...) {
            created = -1;
        }
        if (created != 0) {
            gvMapFolder.clear();
            return 2;
        }
        gvMapPlot->SetProjectionIndex(12);
        gvMapPlot->ReadRegistry();
        AngleLib::SetAngleFormat(gvAngleValue);
        AngleLib::SetAngleUnit(gvAngleUnit);
        AngleLib::SetAngleDir(gvAngleDirection);
        g_initialized = true;
        return 0;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("gvInitialize"));
    }
}

void gvTerminate() {
    try {
        // Settings are written only by a run whose initialisation finished:
        // otherwise the objects hold start values, not the user's.
        const bool write = g_initialized;
        g_initialized = false;
        // Every object's section, then one write of the store.
        SettingsStore::Batch once(SettingsStore::Instance());
        if (write) gvWriteRegistry(false);
        RenderGlobals::SetMapPlot(nullptr);
        RenderGlobals::SetMapGraph(nullptr);
        Release(gvView, "clsView", write);
        Release(gvMapPlot, "clsMapPlot", write);
        HMap::SetNativeColorHook({});
        Release(gvNativeColor, "clsNativeColor", write);
        Release(gvCruise, "clsCruise05", write);
        Release(gvAccessory, "clsAccessory", write);
        if (gvMapGraph) {
            delete gvMapGraph;
            gvMapGraph = nullptr;
            Trace(QStringLiteral("release clsMapGraph"));
        }
        // Tearing down a large list takes long; the process ends at once instead.
        if (gvMapUnits && FigureTotal() < kKeepUnitsFigures) {
            delete gvMapUnits;
            gvMapUnits = nullptr;
            Trace(QStringLiteral("release clsMapUnits"));
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("gvTerminate"));
    }
}

void gvReadRegistry(bool units) {
    try {
        clsRegistry reg;
        reg.mSection = kPublic;
        const Getter get = [&reg](const QString& key, const QString& def) { return reg.RegGet(key, def); };
        ReadScalars(get);
        if (units && gvMapUnits) ReadUnits(get);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, kObj, QStringLiteral("gvReadRegistry"));
    }
}

void gvWriteRegistry(bool units) {
    try {
        SettingsStore::Batch once(SettingsStore::Instance());
        clsRegistry reg;
        reg.mSection = kPublic;
        reg.RegDelete(QString());
        if (g_window) {
            g_left = g_window->WindowLeft();
            g_top = g_window->WindowTop();
        }
        reg.RegPut(QStringLiteral("WindowLeft"), g_left);
        reg.RegPut(QStringLiteral("WindowTop"), g_top);
        reg.RegPut(QStringLiteral("Language"), gvLanguage);
        reg.RegPut(QStringLiteral("LastSavePath"), gvLastSavePath);
        reg.RegPut(QStringLiteral("LastLog"), gvLastLog);
        reg.RegPut(QStringLiteral("MapPath"), gvMapFolder);
        reg.RegPut(QStringLiteral("StartMapType"), int32_t(gvStartMapType));
        reg.RegPut(QStringLiteral("StartMapFile"), gvStartMapFile);
        reg.RegPut(QStringLiteral("ScreenDPI"), int32_t(gvScreenDPI));
        reg.RegPut(ScreenDpiMark::MarkerKey(QStringLiteral("ScreenDPI")), gvScreenDPIFromScreen);
        reg.RegPut(QStringLiteral("AngleValue"), int32_t(gvAngleValue));
        reg.RegPut(QStringLiteral("AngleUnit"), int32_t(gvAngleUnit));
        reg.RegPut(QStringLiteral("AngleDirection"), int32_t(gvAngleDirection));
        reg.RegPut(QStringLiteral("HomeLon"), gvHomeLon);
        reg.RegPut(QStringLiteral("HomeLat"), gvHomeLat);
        reg.RegPut(QStringLiteral("HomeScaleLL"), gvHomeScaleLL);
        if (units && gvMapUnits) {
            reg.RegPut(QStringLiteral("LLcount"), gvMapUnits->Count());
            int32_t i = 0;
            for (const auto& u : *gvMapUnits) {
                ++i;
                reg.RegPut(UnitKey(i, "MapLL"), u->gFigures->FileName());
                reg.RegPut(UnitKey(i, "ThingLL"), u->gThings->FileName());
                reg.RegPut(UnitKey(i, "AdministrationLL"), u->gAdmins->FileName());
                reg.RegPut(UnitKey(i, "SwitchLL"), int32_t((u->bDraw ? 2 : 0) + (u->bSearch ? 1 : 0)));
            }
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1005, kObj, QStringLiteral("gvWriteRegistry"));
    }
}

int32_t gvWriteLog(const QString& path) {
    try {
        const QString file = Library::ChangeExt(path, QStringLiteral("MLG"));
        if (Library::IsReadOnlyFile(file, true)) return 70;
        const QString name = Library::PathFileName(file).toUpper();
        bool own = false;
        for (const QString& log : {LogLast(), LogClip(), LogPrint(), LogError()})
            own = own || Library::PathFileName(log).toUpper() == name;
        if (!own) gvLastLog = file;

        SettingsStore::Batch once(SettingsStore::Instance());
        gvWriteRegistry(true);
        if (gvAccessory) gvAccessory->WriteRegistry();
        if (gvMapPlot) gvMapPlot->WriteRegistry();
        if (gvView) gvView->WriteRegistry();

        clsTextFile out;
        for (const QString& section : SnapshotSections()) {
            clsRegistry reg;
            reg.mSection = section;
            reg.WriteFile(out);
        }
        return ErrorMng::WithFileRetry(file, [&] { out.Save(file); }).value_or(0);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("gvWriteLog"));
    }
}

int32_t gvReadLog(const QString& path) {
    try {
        const QString file = Library::ChangeExt(path, QStringLiteral("MLG"));
        if (!Library::FileExists(file)) {
            Library::MsgError(file + QStringLiteral("\r\n") + QStringLiteral("ログファイルが存在しません."));
            return 53;
        }
        // A snapshot that cannot be read is asked about like any file; given
        // up or cancelled, nothing was read and nothing changes.
        clsTextFile in;
        if (const auto failed = ErrorMng::WithFileRetry(file, [&] { in = clsTextFile::Read(file); })) return *failed;
        // Importing a file that is no snapshot would still empty the unit
        // list down to the base unit: it is refused while nothing has changed.
        const QStringList sections = SnapshotSections();
        QSet<QString> headers;
        for (const QString& section : sections) headers.insert(QLatin1Char('[') + section + QLatin1Char(']'));
        if (std::none_of(in.Lines().begin(), in.Lines().end(), [&](const QString& l) { return headers.contains(l); })) {
            Library::MsgError(file + QStringLiteral("\r\nはログファイルではありません. 何も読み込みませんでした."));
            return kNotASnapshot;
        }
        // Every open unit may be closed (a snapshot naming the base map
        // replaces the base unit too): their modified lists are offered for
        // saving first, and a save the user cancels leaves all as it was.
        if (g_window && gvMapUnits)
            for (const auto& u : *gvMapUnits)
                if (u && !g_window->UnloadMapUnit(*u)) return ErrorMng::SaveCancelled;
        SettingsStore::Batch once(SettingsStore::Instance());
        for (const QString& section : sections) {
            clsRegistry reg;
            reg.mSection = section;
            // A block from before the resolution markers is judged by its values.
            ScreenDpiMark::Forget(reg);
            reg.ReadFile(in);
        }
        gvReadRegistry(true);
        if (gvAccessory) gvAccessory->ReadRegistry();
        if (gvMapPlot) gvMapPlot->ReadRegistry();
        if (gvView) gvView->ReadRegistry();
        return 0;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, kObj, QStringLiteral("gvReadLog"));
    }
}

std::shared_ptr<clsMapUnit> ActiveMapUnit() { return gvMapUnits ? gvMapUnits->Active() : nullptr; }

std::shared_ptr<clsMap> ActiveMap() {
    const auto u = ActiveMapUnit();
    return u ? u->gFigures : nullptr;
}

std::shared_ptr<clsThings> ActiveThings() {
    const auto u = ActiveMapUnit();
    return u ? u->gThings : nullptr;
}

std::shared_ptr<clsAdmins> ActiveAdmins() {
    const auto u = ActiveMapUnit();
    return u ? u->gAdmins : nullptr;
}

} // namespace PublicVal
