#include "legend/SymbolPane.h"

#include "core/ErrorMng.h"

#include <QAbstractButton>

SymbolPane::SymbolPane(QObject* parent, SymbolWork& work, SymbolSwitches& sw)
    : QObject(parent)
    , work_(work)
    , sw_(sw)
{
}

void SymbolPane::guarded(const char* proc, const std::function<void()>& f)
{
    if (Guard) {
        Guard(proc, f);
        return;
    }
    try {
        f();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, QStringLiteral("frmMapSymbol"), QString::fromLatin1(proc));
    }
}

void SymbolPane::onClick(QAbstractButton* button, const char* proc, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, this, [this, proc, handler] { guarded(proc, handler); });
}
