// render --out FILE.png --width W --height H [--projection N]
//        [--center LONSEC,LATSEC] [--scale S] [--dpi D] [--base FOLDER] [--accessories] MAP.MLL...
// Loads the base unit from FOLDER (default the program folder) and each map
// with the .THG and .ADM of its base name, draws the view headless into a PNG
// and prints one line: load_ms=... replot_ms=... figures=...
// Exits 1 when the base unit or any named map does not load, 2 on a bad
// argument (a projection that is not one of the 25 indexes among them).
// --accessories draws the accessories (section "ACCESSORY" defaults) over the view.
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsEnvironment.h"
#include "core/clsVospProjector.h"
#include "document/HMap.h"
#include "document/clsMap.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/DeviceContext.h"
#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"
#include "platform/ProcessMemory.h"
#include "platform/UiServices.h"
#include "render/PatternAssets.h"
#include "render/PngFile.h"
#include "render/RenderGlobals.h"
#include "render/clsAccessory.h"
#include "render/clsMapGraph.h"
#include "render/clsMapPlot.h"
#include "render/clsNativeColor.h"
#include "tools/ToolUi.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: render --out FILE.png --width W --height H [--projection N] "
                         "[--center LONSEC,LATSEC] [--scale S] [--dpi D] [--base FOLDER] [--accessories] MAP.MLL...\n");
    return 2;
}

bool ToInt(const QString& s, int32_t& v) {
    bool ok = false;
    const long long n = s.toLongLong(&ok);
    if (!ok || n < -2147483647LL || n > 2147483647LL) return false;
    v = static_cast<int32_t>(n);
    return true;
}

// "1-17, 19-21, ...": the implemented indexes as runs.
QString ValidProjections() {
    QStringList runs;
    for (int16_t i = 1; i <= 30; ++i) {
        if (!clsVospProjector::IsValidPrj(i)) continue;
        int16_t last = i;
        while (last < 30 && clsVospProjector::IsValidPrj(int16_t(last + 1))) ++last;
        runs << (last == i ? QString::number(i) : QStringLiteral("%1-%2").arg(i).arg(last));
        i = last;
    }
    return runs.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char** argv) {
    ProcessMemory::PadHeapGrowth();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The tool never reads or writes the user's own settings.
    QTemporaryDir settingsHome;
    setenv("XDG_CONFIG_HOME", qPrintable(settingsHome.path()), 1);
    // From here on the environment stays as it is (a setenv beside a
    // getenv on another thread can crash, and the font configuration reads
    // it). The built-in pattern tables are parsed beside the start of Qt;
    // the drawing layer made below waits for them. So is the system's font
    // configuration, which the font database reads.
    auto patterns = std::async(std::launch::async, [] { PatternAssets::Problems(); });
    const std::shared_future<bool> fontConfig =
        std::async(std::launch::async, FontCatalog::PreloadConfiguration).share();
    QGuiApplication app(argc, argv);
    FileSystem::SetProgramFolder(QCoreApplication::applicationDirPath());

    QString out, base = FileSystem::ProgramFolder();
    int32_t width = 0, height = 0, dpi = 96;
    int32_t lon = 0, lat = 0;
    bool haveCenter = false, haveProjection = false;
    QString projectionText;
    bool accessories = false;
    double scale = 0;
    QStringList maps;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&](QString& v) {
            if (i + 1 >= args.size()) return false;
            v = args[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--out")) {
            if (!next(out)) return Usage();
        } else if (a == QLatin1String("--width")) {
            if (!next(v) || !ToInt(v, width)) return Usage();
        } else if (a == QLatin1String("--height")) {
            if (!next(v) || !ToInt(v, height)) return Usage();
        } else if (a == QLatin1String("--projection")) {
            if (!next(projectionText)) return Usage();
            haveProjection = true;
        } else if (a == QLatin1String("--dpi")) {
            if (!next(v) || !ToInt(v, dpi)) return Usage();
        } else if (a == QLatin1String("--scale")) {
            bool ok = false;
            if (!next(v) || (scale = v.toDouble(&ok), !ok)) return Usage();
        } else if (a == QLatin1String("--center")) {
            if (!next(v)) return Usage();
            const QStringList p = v.split(QLatin1Char(','));
            if (p.size() != 2 || !ToInt(p[0], lon) || !ToInt(p[1], lat)) return Usage();
            haveCenter = true;
        } else if (a == QLatin1String("--accessories")) {
            accessories = true;
        } else if (a == QLatin1String("--base")) {
            if (!next(base)) return Usage();
        } else if (a.startsWith(QLatin1String("--"))) {
            return Usage();
        } else {
            maps << a;
        }
    }
    if (out.isEmpty() || width <= 0 || height <= 0) return Usage();
    // A text that is not a whole number is named as given; a number is
    // clamped before it is narrowed (65537 would pass for 1).
    bool isNumber = false;
    const long long projection = projectionText.toLongLong(&isNumber);
    if (haveProjection && !(isNumber && clsVospProjector::IsValidPrj(int16_t(std::clamp(projection, 0LL, 31LL))))) {
        const QString named =
            isNumber ? QString::number(projection) : QLatin1Char('"') + projectionText + QLatin1Char('"');
        std::fprintf(stderr, "render: projection %s is not one of the 25; valid indexes: %s\n", qUtf8Printable(named),
                     qUtf8Printable(ValidProjections()));
        return 2;
    }

    ToolUi ui("render");
    SetUi(&ui);
    clsEnvironment env;
    env.SetFileName(QDir(base).filePath(QStringLiteral("Environment.txt")));
    if (QFileInfo::exists(env.FileName())) env.Load();
    PublicVal::gvEnvironment = &env;
    PublicVal::gvMapFolder = base;
    PublicVal::gvMapMode = 1;
    PublicVal::gvLanguage = 2;
    MapProjection::InitGlobe();
    const clsNativeColor palette;
    HMap::SetNativeColorHook([&palette](int32_t index) { return palette.Color(index); });

    // The drawing layer reads the installed fonts and the pattern tables,
    // the slowest part of the start: it is made while the maps load, and so
    // is the picture. The font database is filled on a thread of its own
    // meanwhile, so the pattern tables and the fonts are read side by side.
    auto fonts = std::async(std::launch::async, [fontConfig] {
        fontConfig.wait();
        FontCatalog::InstalledNames();
    });
    auto makeGraph = std::async(std::launch::async, [fontConfig] {
        fontConfig.wait();
        return std::make_unique<clsMapGraph>();
    });
    // Clearing a screen-sized picture faults in thousands of fresh pages.
    auto makeImage = std::async(std::launch::async, [width, height] {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    });

    QElapsedTimer timer;
    timer.start();
    clsMapUnits units;
    // A picture without the base unit's styles would pass for a good one.
    if (const int16_t r = units.Create(1); r != 0) {
        std::fprintf(stderr, "render: the base unit did not load (step %d)\n", int(r));
        return 1;
    }
    for (const QString& m : maps) {
        auto unit = std::make_shared<clsMapUnit>();
        unit->SetUnitName(QFileInfo(m).absoluteFilePath());
        if (!unit->Load()) {
            std::fprintf(stderr, "render: %s did not load\n", qUtf8Printable(m));
            return 1;
        }
        units.Add(unit);
    }
    const qint64 loadMs = timer.elapsed();
    patterns.get();
    fonts.get();
    const std::unique_ptr<clsMapGraph> graph = makeGraph.get();
    QImage image = makeImage.get();
    RenderGlobals::SetMapGraph(graph.get());
    int64_t figures = 0;
    for (const auto& u : units)
        if (u && u->gFigures) figures += u->gFigures->Count();

    clsMapPlot plot;
    RenderGlobals::SetMapPlot(&plot);
    plot.mMaps = &units;
    if (haveProjection) {
        plot.SetProjectionAuto(false);
        plot.SetProjectionIndex(static_cast<int16_t>(projection));
    }
    if (haveCenter) {
        plot.SetCenterX(lon);
        plot.SetCenterY(lat);
    }
    if (scale > 0) plot.SetMapScale(scale);
    plot.Setdpix(dpi);
    plot.Setdpiy(dpi);
    DeviceContext dc(image, dpi, dpi);
    plot.SetHdc(&dc);
    plot.SetCanvasLeft(0);
    plot.SetCanvasTop(0);
    plot.SetCanvasWidth(width);
    plot.SetCanvasHeight(height);

    timer.restart();
    const int16_t result = plot.Replot();
    const qint64 replotMs = timer.elapsed();
    if (result == 0 && accessories) {
        clsAccessory acc;
        acc.Sethandle(&dc);
        acc.SetWidth(width);
        acc.SetHeight(height);
        acc.SetDpi(dpi);
        acc.SetMapScale(plot.MapScale());
        acc.SetMapUnits(&units);
        acc.Draw();
    }
    RenderGlobals::SetMapPlot(nullptr);
    RenderGlobals::SetMapGraph(nullptr);
    if (result != 0) {
        std::fprintf(stderr, "render: the drawing ended with %d\n", int(result));
        return 1;
    }
    if (!PngFile::Save(image, out)) {
        std::fprintf(stderr, "render: cannot write %s\n", qUtf8Printable(out));
        return 1;
    }
    std::printf("load_ms=%lld replot_ms=%lld figures=%lld\n", static_cast<long long>(loadMs),
                static_cast<long long>(replotMs), static_cast<long long>(figures));
    // Taking the maps, the picture, the fonts and the worker threads apart
    // piece by piece costs more than a small view takes to draw; the system
    // takes the whole process back at once.
    std::fflush(stdout);
    settingsHome.remove();
    std::_Exit(0);
}
