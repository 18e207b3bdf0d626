#include "core/LibraryMessages.h"

#include "platform/UiServices.h"

namespace Library {

void MsgError(const QString& text) { Ui().MsgBox(text, Mb::OkOnly | Mb::Critical, {}); }

bool MsgYesNo(const QString& text) { return Ui().MsgBox(text, Mb::YesNo | Mb::Exclamation, {}) == Mb::Yes; }

void MsgOutOfRange(const QString& rangeText) {
    QString text = QStringLiteral("既定の範囲を超えています.");
    if (!rangeText.isEmpty()) text += QStringLiteral("\r\n") + rangeText;
    Ui().MsgBox(text, Mb::OkOnly | Mb::Exclamation, {});
}

} // namespace Library
