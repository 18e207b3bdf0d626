#pragma once
// The program's help: HTML pages in the program folder, shown in a viewer
// window of our own. A context id leads to its page through a fixed table.
// The viewer is a window of its own, usable while a modal dialog is open.
#include <QList>
#include <QString>
#include <cstdint>

class HelpViewer;

namespace HtmlHelp {

// The help contents' file name, and its path in the program folder.
QString HelpFileName();
QString HelpFile();
// The keyword index page relative to the program folder.
QString IndexPage();
// The page of a context id relative to the program folder; "" when none.
QString ContextPage(int32_t contextId);
// Every context id the table knows, in ascending order.
QList<int32_t> ContextIds();
// The message shown when a topic cannot be shown.
QString FailureText(const QString& what);

// Each shows its page in the viewer (one window, reused); a failure shows
// the failure message and nothing else. The results tell whether the page
// was shown.
bool HelpContents();
bool HelpIndex();
bool HelpContext(int32_t contextId);
// Closes the viewer window, if any.
void HelpCloseAll();
// Whether the viewer window is open; the window itself (null before the
// first page).
bool ViewerOpen();
HelpViewer* Viewer();

} // namespace HtmlHelp
