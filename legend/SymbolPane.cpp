#include "legend/SymbolPane.h"

#include "core/DialogGuard.h"

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
    DialogGuard::StopOnError(QStringLiteral("frmMapSymbol"), proc, f);
}

void SymbolPane::onClick(QAbstractButton* button, const char* proc, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, this, [this, proc, handler] { guarded(proc, handler); });
}
