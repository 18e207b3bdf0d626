#include "app/HtmlHelp.h"

#include "app/HelpViewer.h"
#include "core/Library.h"
#include "platform/EventHook.h"
#include "platform/FileSystem.h"
#include "platform/WindowFit.h"

#include <QApplication>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <iterator>

namespace HtmlHelp {

namespace {

struct ContextEntry {
    int32_t id;
    const char* page;
};

// Sorted by id. The 34xxxx pages are the guides of the projections, by
// their number in the projection list.
constexpr ContextEntry kContexts[] = {
    {200001, "help/main.html"},        {230006, "help/cruise.html"},      {230010, "help/mapsize.html"},
    {230011, "help/mapinfo.html"},     {250001, "help/jump.html"},        {250002, "help/grid.html"},
    {250003, "help/accessory.html"},   {250009, "help/azimuth.html"},     {252000, "help/mapsymbol.html"},
    {252201, "help/range.html"},       {252202, "help/polyline.html"},    {252203, "help/polygon.html"},
    {252204, "help/symbol.html"},      {252205, "help/text.html"},        {253000, "help/projection.html"},
    {270001, "help/environment.html"}, {290009, "help/palette.html"},     {290012, "help/palette.html#real"},
    {341001, "help/prj01.html"},       {341002, "help/prj02.html"},       {341003, "help/prj03.html"},
    {341004, "help/prj04.html"},       {341005, "help/prj05.html"},       {341006, "help/prj06.html"},
    {341007, "help/prj07.html"},       {341008, "help/prj08.html"},       {341009, "help/prj09.html"},
    {342001, "help/prj10.html"},       {342002, "help/prj11.html"},       {342003, "help/prj12.html"},
    {342004, "help/prj13.html"},       {342005, "help/prj14.html"},       {342006, "help/prj15.html"},
    {342007, "help/prj16.html"},       {342008, "help/prj17.html"},       {342009, "help/prj18.html"},
    {342010, "help/prj19.html"},       {342011, "help/prj20.html"},       {343001, "help/prj21.html"},
    {343002, "help/prj22.html"},       {343003, "help/prj23.html"},       {343004, "help/prj24.html"},
    {343005, "help/prj25.html"},       {343006, "help/prj26.html"},       {343007, "help/prj27.html"},
    {343008, "help/prj28.html"},       {344001, "help/prj29.html"},       {344002, "help/prj30.html"},
};

QPointer<HelpViewer> g_viewer;
// The window help was last asked from, and whether the viewer is being
// handed to another owner (hidden and shown again at once).
QPointer<QWidget> g_asker;
bool g_reowning = false;

// A help window closed while it had the keys hands them back to the dialog
// on top, or else to the window it was asked from: the window manager may
// give them to none of the program's windows.
void GiveKeysBack() {
    if (g_reowning) return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active != g_viewer) return;
    QWidget* to = QApplication::activeModalWidget();
    if (!to) to = g_asker;
    if (to && to->isVisible()) to->activateWindow();
}

bool Show(const QString& path) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    if (!g_viewer) {
        const QString folder = FileSystem::ProgramFolder() + QLatin1Char('/');
        g_viewer = new HelpViewer(HelpFile(), folder + IndexPage());
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
        g_viewer->installEventFilter(new EventHook(
            [](QObject*, QEvent* e) {
                if (e->type() == QEvent::Hide && !e->spontaneous()) GiveKeysBack();
                return false;
            },
            g_viewer));
    }
    if (!g_viewer->ShowPage(path)) return false;
    QWidget* const from = QApplication::activeWindow();
    if (from && from != g_viewer) g_asker = from;
    const bool opening = !g_viewer->isVisible();
    if (opening) {
        // A window larger than the screen's free area is made no larger than
        // it (the page scrolls). It opens beside the window it was asked
        // from, as a dialog does, and wholly on that area: the window
        // manager's own choice may leave its bottom off the screen.
        WindowFit::LimitToScreen(g_viewer);
        const QPoint want =
            from && from != g_viewer ? from->frameGeometry().topLeft() + QPoint(40, 40) : g_viewer->pos();
        const QSize frame = g_viewer->size().grownBy(WindowFit::FrameMargins(g_viewer));
        // Placed before its native window exists, so that the place is the
        // frame's: a window made already would put its inside there.
        g_viewer->move(WindowFit::PlaceOn(want, frame, WindowFit::AvailableArea(g_viewer)));
    }
    // The window belongs to the dialog on top, whatever its modality: a
    // dialog modal to the whole program blocks every window but its own,
    // also while a dialog modal to it alone is open over it.
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal ? modal->windowHandle() : nullptr;
    g_viewer->winId();
    if (g_viewer->windowHandle()->transientParent() != owner) {
        g_reowning = true;
        g_viewer->hide();
        g_reowning = false;
        g_viewer->windowHandle()->setTransientParent(owner);
    }
    g_viewer->show();
    g_viewer->raise();
    g_viewer->activateWindow();
    return true;
}

} // namespace

QString HelpFileName() { return QStringLiteral("VOSPERAL.HTML"); }

QString HelpFile() { return Library::JoinPath(FileSystem::ProgramFolder(), HelpFileName()); }

QString IndexPage() { return QStringLiteral("help/index.html"); }

QString ContextPage(int32_t contextId) {
    const auto it = std::lower_bound(std::begin(kContexts), std::end(kContexts), contextId,
                                     [](const ContextEntry& e, int32_t id) { return e.id < id; });
    return it != std::end(kContexts) && it->id == contextId ? QString::fromLatin1(it->page) : QString();
}

QList<int32_t> ContextIds() {
    QList<int32_t> ids;
    for (const ContextEntry& e : kContexts) ids.append(e.id);
    return ids;
}

QString FailureText(const QString& what) { return QStringLiteral("HTML HELP の表示に失敗しました. ") + what; }

bool HelpContents() {
    if (Show(HelpFile())) return true;
    Library::MsgError(FailureText(HelpFile()));
    return false;
}

bool HelpIndex() {
    if (Show(FileSystem::ProgramFolder() + QLatin1Char('/') + IndexPage())) return true;
    Library::MsgError(FailureText(HelpFile()));
    return false;
}

bool HelpContext(int32_t contextId) {
    const QString page = ContextPage(contextId);
    if (!page.isEmpty() && Show(FileSystem::ProgramFolder() + QLatin1Char('/') + page)) return true;
    Library::MsgError(FailureText(QString::number(contextId)));
    return false;
}

void HelpCloseAll() {
    if (g_viewer) g_viewer->close();
}

bool ViewerOpen() { return g_viewer && g_viewer->isVisible(); }

HelpViewer* Viewer() { return g_viewer.data(); }

} // namespace HtmlHelp
