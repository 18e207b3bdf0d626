#pragma once
// The program's help: HTML pages in the program folder, shown in a viewer
// window of our own. A context id leads to its page through a fixed table.
#include <QString>
#include <cstdint>

namespace HtmlHelp {

// The help index's file name, and its path in the program folder.
QString HelpFileName();
QString HelpFile();
// The page of a context id relative to the program folder; "" when none.
QString ContextPage(int32_t contextId);
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
// Whether the viewer window is open.
bool ViewerOpen();

} // namespace HtmlHelp
