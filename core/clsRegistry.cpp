#include "core/clsRegistry.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/clsTextFile.h"
#include "platform/UiServices.h"

namespace {

constexpr int32_t kErrSection = ErrBase + 1005;

[[noreturn]] void RaiseError(const char* proc, const QString& comment) {
    ErrorMng::ReRaise(kErrSection, QStringLiteral("clsRegistry"), QString::fromLatin1(proc), comment);
}

SettingsStore& Store() { return SettingsStore::Instance(); }

QString BoolText(bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace

void clsRegistry::RegPut(const QString& key, const QString& value) {
    try {
        Store().Put(UiServices::AppTitle(), mSection, key, value);
    } catch (...) {
        RaiseError("RegPut", QStringLiteral("key=") + key);
    }
}

void clsRegistry::RegPut(const QString& key, int32_t value) { RegPut(key, QString::number(value)); }
void clsRegistry::RegPut(const QString& key, int64_t value) { RegPut(key, QString::number(value)); }
void clsRegistry::RegPut(const QString& key, double value) { RegPut(key, Library::NumStr(value)); }
void clsRegistry::RegPut(const QString& key, bool value) { RegPut(key, BoolText(value)); }

QString clsRegistry::RegGet(const QString& key, const QString& def) const {
    try {
        return Store().Get(UiServices::AppTitle(), mSection, key, def);
    } catch (...) {
        RaiseError("RegGet", QStringLiteral("key=") + key);
    }
}

QString clsRegistry::RegGet(const QString& key, int32_t def) const { return RegGet(key, QString::number(def)); }
QString clsRegistry::RegGet(const QString& key, double def) const { return RegGet(key, Library::NumStr(def)); }
QString clsRegistry::RegGet(const QString& key, bool def) const { return RegGet(key, BoolText(def)); }

SettingsStore::Pairs clsRegistry::RegGetSec() const {
    try {
        return Store().Section(UiServices::AppTitle(), mSection);
    } catch (...) {
        RaiseError("RegGetSec", QStringLiteral("section=") + mSection);
    }
}

void clsRegistry::RegDelete(const QString& key) {
    try {
        if (key.isEmpty()) Store().DeleteSection(UiServices::AppTitle(), mSection);
        else Store().Delete(UiServices::AppTitle(), mSection, key);
    } catch (...) {
        // deleting is harmless to skip
    }
}

void clsRegistry::WriteFile(clsTextFile& file) const {
    try {
        const SettingsStore::Pairs rows = RegGetSec();
        file.WriteLine(QLatin1Char('[') + mSection + QLatin1Char(']'));
        for (const auto& row : rows)
            file.WriteLine(SettingsStore::OneLine(row.first) + QLatin1Char('=') +
                           Library::QuoteStr(SettingsStore::OneLine(row.second)));
    } catch (...) {
        RaiseError("WriteFile", QStringLiteral("section=") + mSection);
    }
}

void clsRegistry::ReadFile(const clsTextFile& file) {
    try {
        const QString header = QLatin1Char('[') + mSection + QLatin1Char(']');
        SettingsStore::Batch once(Store());
        bool inside = false;
        for (const QString& line : file.Lines()) {
            if (line == header) {
                inside = true;
            } else if (line.startsWith(QLatin1Char('['))) {
                inside = false;
            } else if (inside) {
                const qsizetype p = line.indexOf(QLatin1Char('='));
                if (p > 0) RegPut(line.left(p), Library::UnquoteStr(line.mid(p + 1)));
            }
        }
    } catch (...) {
        RaiseError("ReadFile", QStringLiteral("section=") + mSection);
    }
}
