#include "platform/FilePicker.h"

#include "support/GuiApp.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <tuple>

#include <gtest/gtest.h>

using namespace FilePicker;

namespace {

const QString kMapThg = QStringLiteral("地図ファイル(*.MLL)|*.MLL|事象ファイル(*.THG)|*.THG|");
const QString kSaveAll = QStringLiteral("事象ファイル(*.THG)|*.THG|行政区ファイル(*.ADM)|*.ADM|ログファイル(*.MLG)|*.MLG|");

TEST(FilePicker, LoadPreselectsTheEntryOfTheInitialExtensionAndGivesTheChosenPath) {
    ScriptedFileDialogs dlg;
    dlg.Choose(QStringLiteral("/m/world.mll"), 2);
    EXPECT_EQ(InputLoadName(QStringLiteral("開く"), kMapThg, {}), QStringLiteral("/m/world.mll"));
    EXPECT_EQ(dlg.requests[0].title, QStringLiteral("開く"));
    EXPECT_EQ(InputLoadName({}, kMapThg, {}), QString()); // cancelled
    dlg.requests.clear();
    const std::pair<const char*, int> rows[] = {
        {"C:\\MAP\\B.THG", 2}, {"C:\\MAP\\b.thg", 2}, {"C:\\MAP\\B.TXT", 1}, {"", 1}, {"C:\\MAP\\*.MLL", 1}};
    for (auto [name, index] : rows) {
        InputLoadName({}, kMapThg, QString::fromLatin1(name));
        EXPECT_EQ(dlg.requests.last().filterIndex, index) << name;
    }
    EXPECT_EQ(dlg.requests[0].title, QStringLiteral("ファイルを開く"));
    EXPECT_FALSE(dlg.requests[0].save);
    EXPECT_EQ(dlg.requests[0].fileName, QStringLiteral("C:\\MAP\\B.THG"));
}

TEST(FilePicker, SaveTakesTheExtensionFromTheFirstDot) {
    ScriptedFileDialogs dlg;
    // ".B.THG" is not in the filter.
    const std::tuple<QString, const char*, int> rows[] = {{kMapThg, "A.B.THG", 1}, {kMapThg, "A.THG", 2}, {kSaveAll, "x.MLG", 3}};
    for (const auto& [filter, name, index] : rows) {
        InputSaveName({}, filter, QString::fromLatin1(name));
        EXPECT_EQ(dlg.requests.last().filterIndex, index) << name;
    }
    EXPECT_EQ(dlg.requests[0].title, QStringLiteral("ファイルを保存する"));
    EXPECT_TRUE(dlg.requests[0].save);
}

TEST(FilePicker, SaveGivesTheChosenEntrysExtension) {
    ScriptedFileDialogs dlg;
    dlg.Choose(QStringLiteral("/m/name"), 2);
    dlg.Choose(QStringLiteral("/m/name.MLL"), 2);
    dlg.Choose(QStringLiteral("/m.d/name.x"), 1);
    dlg.Choose(QStringLiteral("/m/name.x"), 2);
    dlg.Choose(QStringLiteral("/m/name.x"), 7); // no such entry
    dlg.Cancel();
    const QString any = QStringLiteral("事象ファイル(*.THG)|*.THG|全て(*.*)|*.*|");
    for (const auto& [filter, path] : {std::pair{kMapThg, "/m/name.THG"}, {kMapThg, "/m/name.THG"}, {kMapThg, "/m.d/name.MLL"},
                                       {any, "/m/name.x"}, {any, "/m/name.x"}, {any, ""}})
        EXPECT_EQ(InputSaveName({}, filter, {}), QString::fromLatin1(path)) << path;
}

TEST(FilePicker, FilterPieces) {
    // "a|*|": the closing bar at the start; "a|*.THG": no closing bar.
    for (const auto& [filter, index, ext] : {std::tuple{kSaveAll, 1, ".THG"}, {kSaveAll, 3, ".MLG"}, {kSaveAll, 4, ""},
                                             {kSaveAll, 0, ""}, {QString("a|*|"), 1, ""}, {QString("a|*.THG"), 1, ""}})
        EXPECT_EQ(FilterExtension(filter, index), QString::fromLatin1(ext)) << filter.toStdString() << " " << index;
    EXPECT_EQ(QtNameFilters(kMapThg),
              (QStringList{QStringLiteral("地図ファイル(*.MLL) (*.MLL *.mll)"),
                           QStringLiteral("事象ファイル(*.THG) (*.THG *.thg)")}));
    EXPECT_EQ(QtNameFilters(QStringLiteral("全て(*.*)|*.*|")), QStringList{QStringLiteral("全て(*.*) (*.*)")});
}

// Qt's own dialog as a user drives it: pick a type, type a name, accept.
TEST(FilePicker, SaveThroughQtsDialogKeepsTheChosenEntry) {
    EnsureGuiApp();
    TestFolder dir;
    const std::tuple<int, QString, QString> rows[] = {
        {0, "snap.MLG", "snap.THG"}, {1, "areas", "areas.ADM"}, {2, "snap.MLG", "snap.MLG"}, {2, "a.THG", "a.MLG"}};
    for (const auto& [entry, typed, expected] : rows) {
        QTimer::singleShot(0, [&, entry = entry, typed = typed] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dlg) return ADD_FAILURE(), QApplication::closeAllWindows();
            dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->setCurrentIndex(entry);
            dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            QMetaObject::invokeMethod(dlg, "accept");
        });
        EXPECT_EQ(InputSaveName({}, kSaveAll, dir.file("start.THG")), dir.file(expected)) << typed.toStdString();
    }
}

} // namespace
