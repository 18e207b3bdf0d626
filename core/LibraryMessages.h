#pragma once
// The common message boxes (through Ui()).
#include <QString>

namespace Library {

void MsgError(const QString& text);
bool MsgYesNo(const QString& text);
void MsgOutOfRange(const QString& rangeText = {});

} // namespace Library
