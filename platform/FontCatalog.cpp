#include "platform/FontCatalog.h"

#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>
#include <fontconfig/fontconfig.h>

namespace FontCatalog {

namespace {

// Every name fontconfig gives a family (folded) -> the family's first name,
// folded: the key two names of one family share. A font's first name is the
// one of the current locale; a later name in another language is the same
// family's, while one in the same language names a family of its own
// ("DejaVu Sans Condensed"), as the font database registers them.
const QHash<QString, QString>& FamilyKeys()
{
    static const QHash<QString, QString> keys = [] {
        QHash<QString, QString> out;
        FcPattern* pattern = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr);
        FcFontSet* fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
        auto text = [](FcPattern* p, const char* object, int i) -> QString {
            FcChar8* value = nullptr;
            if (FcPatternGetString(p, object, i, &value) != FcResultMatch || !value)
                return {};
            return QString::fromUtf8(reinterpret_cast<const char*>(value));
        };
        if (fonts) {
            // First names first, so that no other family's alias takes one.
            for (int f = 0; f < fonts->nfont; ++f) {
                const QString first = text(fonts->fonts[f], FC_FAMILY, 0).toCaseFolded();
                if (!first.isEmpty())
                    out.insert(first, first);
            }
            for (int f = 0; f < fonts->nfont; ++f) {
                FcPattern* font = fonts->fonts[f];
                const QString first = text(font, FC_FAMILY, 0).toCaseFolded();
                const QString lang = text(font, FC_FAMILYLANG, 0);
                if (first.isEmpty())
                    continue;
                for (int i = 1;; ++i) {
                    const QString name = text(font, FC_FAMILY, i);
                    if (name.isEmpty())
                        break;
                    const QString nameLang = text(font, FC_FAMILYLANG, i);
                    const QString folded = name.toCaseFolded();
                    if (!nameLang.isEmpty() && nameLang != lang && !out.contains(folded))
                        out.insert(folded, first);
                }
            }
            FcFontSetDestroy(fonts);
        }
        if (objects)
            FcObjectSetDestroy(objects);
        if (pattern)
            FcPatternDestroy(pattern);
        return out;
    }();
    return keys;
}

} // namespace

QString StripFoundry(const QString& family)
{
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    if (open > 0 && family.endsWith(QLatin1Char(']')))
        return family.left(open);
    return family;
}

bool PreloadConfiguration()
{
    return FcInit() != 0;
}

bool SameFamily(const QString& a, const QString& b)
{
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    const QHash<QString, QString>& keys = FamilyKeys();
    const auto ka = keys.constFind(a.toCaseFolded());
    if (ka == keys.constEnd())
        return false;
    const auto kb = keys.constFind(b.toCaseFolded());
    return kb != keys.constEnd() && *ka == *kb;
}

QString Find(const QString& face, const QStringList& installed)
{
    if (face.isEmpty())
        return {};
    for (const QString& i : installed)
        if (StripFoundry(i).compare(face, Qt::CaseInsensitive) == 0)
            return i;
    for (const QString& i : installed)
        if (SameFamily(StripFoundry(i), face))
            return i;
    return {};
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

QString LettersFace(const QString& family, const QString& letters)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || letters.isEmpty())
        return {};
    QTextLayout layout(letters.left(letters.at(0).isHighSurrogate() ? 2 : 1), QFont(family));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QString() : StripFoundry(runs.first().rawFont().familyName());
}

QString UiFamily(const QStringList& installed)
{
    for (const char* face : {"Noto Sans CJK JP", "IPAPGothic"}) {
        const QString hit = Find(QLatin1String(face), installed);
        if (!hit.isEmpty())
            return hit;
    }
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
    QString hit = Find(face, installed);
    if (!hit.isEmpty())
        return hit;
    for (const QString& a : Aliases(face)) {
        hit = Find(a, installed);
        if (!hit.isEmpty())
            return hit;
    }
    return {};
}

} // namespace FontCatalog
