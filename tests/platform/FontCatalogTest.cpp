#include "platform/FontCatalog.h"
#include "platform/SystemColors.h"

#include "support/GuiApp.h"

#include <QFont>
#include <QFontInfo>

#include <future>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(FontCatalog, WindowsFacesGoToInstalledOnes)
{
    const QStringList installed = {"Liberation Sans", "IPAGothic", "Noto Sans CJK JP", "IPAMincho"};
    for (auto [face, to] : {std::pair{"liberation sans", "Liberation Sans"}, {"Arial", "Liberation Sans"},
                            {"ＭＳ Ｐゴシック", "Noto Sans CJK JP"}, {"メイリオ", "Noto Sans CJK JP"}, {"ＭＳ ゴシック", "IPAGothic"},
                            {"ＭＳ 明朝", "IPAMincho"}, {"Times New Roman", ""}, {"Unknown", ""}})
        EXPECT_EQ(FontCatalog::Resolve(QString::fromUtf8(face), installed), QString::fromUtf8(to)) << face;
    EXPECT_EQ(FontCatalog::Aliases("Courier New"), QStringList{"Liberation Mono"});
    EXPECT_EQ(FontCatalog::Aliases(QString::fromUtf8("ＭＳ Ｐゴシック")),
              (QStringList{"IPAPGothic", "VL PGothic", "Noto Sans CJK JP"}));
    EXPECT_TRUE(FontCatalog::Aliases("Courier").isEmpty());
}

TEST(FontCatalog, ProportionalFacesGetProportionalOnesAndFoundriesAreDropped)
{
    const QStringList installed = {"IPAGothic", "IPAPGothic", "IPAMincho", "IPAPMincho"};
    for (const auto& [face, to] : {std::pair{"ＭＳ Ｐ明朝", "IPAPMincho"}, {"MS UI Gothic", "IPAPGothic"},
                                   {"Meiryo", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"}})
        EXPECT_EQ(FontCatalog::Resolve(QString::fromUtf8(face), installed), to) << face;
    EXPECT_EQ(FontCatalog::UiFamily({"IPAPGothic", "Noto Sans CJK JP"}), "Noto Sans CJK JP");
    EXPECT_EQ(FontCatalog::UiFamily({"IPAGothic", "ipapgothic"}), "ipapgothic");
    EXPECT_EQ(FontCatalog::StripFoundry("Nimbus Sans [UKWN]"), "Nimbus Sans");
    EXPECT_EQ(FontCatalog::StripFoundry("Nimbus Sans"), "Nimbus Sans");
    EXPECT_EQ(FontCatalog::StripFoundry("[odd]"), "[odd]");
}

// The font database lists a family under its name in the current locale
// only; every name fontconfig gives it is matched, so a face resolves to the
// same family in any locale, spelled as the installed list spells it.
TEST(FontCatalog, AFamilyAnswersToEachOfItsNames)
{
    const QString pGothic = QString::fromUtf8("IPA Pゴシック");
    const QString gothic = QString::fromUtf8("IPAゴシック");
    const struct {
        const char* face;
        QStringList installed;
        QString to;
    } rows[] = {
        {"ＭＳ Ｐゴシック", {gothic, pGothic, "Noto Sans CJK JP"}, pGothic},
        {"ＭＳ Ｐゴシック", {"IPAGothic", "IPAPGothic"}, "IPAPGothic"},
        {"IPAGothic", {pGothic, gothic}, gothic},
        {"ipa pゴシック", {"IPAGothic", "IPAPGothic"}, "IPAPGothic"},
        {"ＭＳ 明朝", {QString::fromUtf8("IPA明朝")}, QString::fromUtf8("IPA明朝")},
        {"IPAGothic", {pGothic, "IPAPGothic"}, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FontCatalog::Resolve(QString::fromUtf8(r.face), r.installed), r.to) << r.face;
    EXPECT_TRUE(FontCatalog::SameFamily("IPAPGothic", pGothic));
    EXPECT_FALSE(FontCatalog::SameFamily(gothic, pGothic));
    EXPECT_EQ(FontCatalog::UiFamily({"IPAGothic", pGothic}), pGothic);
    // What Qt is handed is a name it draws that family with.
    EnsureGuiApp();
    const QString face = FontCatalog::Resolve(QString::fromUtf8("ＭＳ Ｐゴシック"), FontCatalog::InstalledNames());
    EXPECT_TRUE(FontCatalog::SameFamily(QFontInfo(QFont(face)).family(), "IPAPGothic")) << face.toStdString();
}

// Read ahead from several threads at once, the configuration is read once
// and the database built on it finds the same families.
TEST(FontCatalog, ConfigurationReadAheadOnAnyThread)
{
    std::vector<std::future<bool>> readers;
    for (int i = 0; i < 4; ++i)
        readers.push_back(std::async(std::launch::async, FontCatalog::PreloadConfiguration));
    for (auto& r : readers)
        EXPECT_TRUE(r.get());
    EXPECT_TRUE(FontCatalog::PreloadConfiguration());
    EnsureGuiApp();
    EXPECT_FALSE(FontCatalog::InstalledNames().isEmpty());
}

TEST(FontCatalog, InstalledFamiliesAreUniqueAndJapaneseOnesMarked)
{
    EnsureGuiApp();
    const auto families = FontCatalog::InstalledFamilies();
    ASSERT_FALSE(families.empty());
    QStringList names;
    bool japanese = false;
    for (const auto& f : families) {
        EXPECT_FALSE(names.contains(f.name, Qt::CaseInsensitive)) << f.name.toStdString();
        names << f.name;
        if (f.name == "Noto Sans CJK JP")
            japanese = f.charSet == 128;
    }
    EXPECT_TRUE(japanese);
}

TEST(SystemColors, FallbacksAndRange)
{
    EXPECT_EQ(SystemColors::Fallback(5), 0xFFFFFF); // window
    EXPECT_EQ(SystemColors::Fallback(8), 0);        // window text
    EXPECT_EQ(SystemColors::Fallback(15), 0xF0F0F0); // button face
    EXPECT_EQ(SystemColors::SysColor(31), 0);
    EXPECT_EQ(SystemColors::SysColor(-1), 0);
    EXPECT_EQ(SystemColors::SysColor(1), SystemColors::Fallback(1));
}

} // namespace
