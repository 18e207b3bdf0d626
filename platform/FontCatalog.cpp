#include "platform/FontCatalog.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>
#include <dlfcn.h>

namespace FontCatalog {

QString StripFoundry(const QString& family)
{
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    if (open > 0 && family.endsWith(QLatin1Char(']')))
        return family.left(open);
    return family;
}

bool PreloadConfiguration()
{
    // Looked up rather than linked: the library is Qt's, loaded with it.
    using InitFn = int (*)();
    const auto init = reinterpret_cast<InitFn>(dlsym(RTLD_DEFAULT, "FcInit"));
    return init && init() != 0;
}

std::vector<FamilyInfo> InstalledFamilies()
{
    std::vector<FamilyInfo> out;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return out;
    QSet<QString> seen;
    const QStringList families = QFontDatabase::families();
    for (const QString& f : families) {
        const QString name = StripFoundry(f);
        if (name.isEmpty() || seen.contains(name.toCaseFolded()))
            continue;
        seen.insert(name.toCaseFolded());
        FamilyInfo info;
        info.name = name;
        const int w = QFontDatabase::weight(f, QStringLiteral("Regular"));
        info.weight = int16_t(w > 0 ? (w < 1000 ? w : 400) : 400);
        info.pitchAndFamily = QFontDatabase::isFixedPitch(f) ? 1 : 2;
        info.charSet = QFontDatabase::writingSystems(f).contains(QFontDatabase::Japanese) ? 128 : 0;
        out.push_back(info);
    }
    return out;
}

QStringList Aliases(const QString& windowsFace)
{
    struct Row {
        const char16_t* face;
        QStringList aliases;
    };
    static const Row kTable[] = {
        // Proportional faces stand for proportional ones; only the two
        // fixed-pitch Windows faces map to fixed-pitch faces.
        {u"ＭＳ Ｐゴシック", {"IPAPGothic", "VL PGothic", "Noto Sans CJK JP"}},
        {u"ＭＳ Ｐ明朝", {"IPAPMincho", "Noto Serif CJK JP"}},
        {u"MS UI Gothic", {"IPAPGothic", "VL PGothic", "Noto Sans CJK JP"}},
        {u"メイリオ", {"Noto Sans CJK JP", "IPAPGothic", "VL PGothic"}},
        {u"Meiryo", {"Noto Sans CJK JP", "IPAPGothic", "VL PGothic"}},
        {u"ＭＳ ゴシック", {"IPAGothic", "Noto Sans Mono CJK JP"}},
        {u"ＭＳ 明朝", {"IPAMincho", "Noto Serif CJK JP"}},
        {u"Arial", {"Liberation Sans", "Nimbus Sans"}},
        {u"Times New Roman", {"Liberation Serif"}},
        {u"Courier New", {"Liberation Mono"}},
    };
    for (const Row& r : kTable)
        if (QString::fromUtf16(r.face).compare(windowsFace, Qt::CaseInsensitive) == 0)
            return r.aliases;
    return {};
}

QStringList InstalledNames()
{
    QStringList names;
    for (const FamilyInfo& f : InstalledFamilies())
        names << f.name;
    return names;
}

QString UiFamily(const QStringList& installed)
{
    for (const char* face : {"Noto Sans CJK JP", "IPAPGothic"})
        for (const QString& i : installed)
            if (i.compare(QLatin1String(face), Qt::CaseInsensitive) == 0)
                return i;
    return {};
}

void InstallSubstitutions(const QStringList& installed)
{
    for (const char16_t* face : {u"ＭＳ Ｐゴシック", u"ＭＳ Ｐ明朝", u"MS UI Gothic", u"メイリオ", u"Meiryo",
                                 u"ＭＳ ゴシック", u"ＭＳ 明朝"}) {
        const QString name = QString::fromUtf16(face);
        const QString to = Resolve(name, installed);
        if (!to.isEmpty() && to.compare(name, Qt::CaseInsensitive) != 0)
            QFont::insertSubstitution(name, to);
    }
}

QString Resolve(const QString& face, const QStringList& installed)
{
    auto find = [&](const QString& name) -> QString {
        for (const QString& i : installed)
            if (i.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return {};
    };
    QString hit = find(face);
    if (!hit.isEmpty())
        return hit;
    for (const QString& a : Aliases(face)) {
        hit = find(a);
        if (!hit.isEmpty())
            return hit;
    }
    return {};
}

} // namespace FontCatalog
