#include "platform/FilePicker.h"

#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
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
    // A dotted folder says nothing of the file's type.
    const std::tuple<QString, const char*, int> rows[] = {{kMapThg, "A.B.THG", 1},
                                                          {kMapThg, "A.THG", 2},
                                                          {kSaveAll, "x.MLG", 3},
                                                          {kSaveAll, "/home/john.doe/LAST.MLG", 3},
                                                          {kSaveAll, "/home/john.doe/LAST", 1},
                                                          {kSaveAll, "C:\\a.THG\\b.ADM", 2},
                                                          {kSaveAll, "/a.ADM/b.x.MLG", 1}};
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

TEST(FilePicker, OneQuestionForTheNameThatWillBeWritten) {
    ScopedUi scripted;
    ScriptedFileDialogs dlg;
    TestFolder dir;
    const QString adm = dir.write(QStringLiteral("NEWSAVE.ADM"), "x");
    dir.write(QStringLiteral("NEWSAVE.THG"), "x");
    const QString question = adm + QStringLiteral("\r\nは既に存在します.\r\n上書きしますか？");
    // Typed .THG with the area type chosen: the question is about the .ADM.
    dlg.Choose(dir.file(QStringLiteral("NEWSAVE.THG")), 2);
    scripted.ui.answers = {Mb::Yes};
    EXPECT_EQ(InputSaveName({}, kSaveAll, {}), adm);
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, question);
    EXPECT_EQ(scripted.ui.messages[0].style, Mb::YesNo + Mb::Exclamation + Mb::DefaultButton2);

    // No: the dialog again, on the name and type of the choice; then cancelled.
    scripted.ui.messages.clear();
    dlg.requests.clear();
    dlg.Choose(dir.file(QStringLiteral("newsave")), 2); // the file on disk in capitals
    dlg.Cancel();
    scripted.ui.answers = {Mb::No};
    EXPECT_EQ(InputSaveName({}, kSaveAll, dir.file(QStringLiteral("a.THG"))), QString());
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, dir.file(QStringLiteral("newsave.ADM")) + question.mid(adm.size()));
    ASSERT_EQ(dlg.requests.size(), 2);
    EXPECT_EQ(dlg.requests[1].fileName, dir.file(QStringLiteral("newsave.ADM")));
    EXPECT_EQ(dlg.requests[1].filterIndex, 2);

    // A new name, or a folder of that name: nothing asked.
    scripted.ui.messages.clear();
    QDir(dir.path()).mkdir(QStringLiteral("F.MLG"));
    dlg.Choose(dir.file(QStringLiteral("NEWSAVE.ADM")), 3);
    dlg.Choose(dir.file(QStringLiteral("F")), 3);
    EXPECT_EQ(InputSaveName({}, kSaveAll, {}), dir.file(QStringLiteral("NEWSAVE.MLG")));
    EXPECT_EQ(InputSaveName({}, kSaveAll, {}), dir.file(QStringLiteral("F.MLG")));
    EXPECT_TRUE(scripted.ui.messages.isEmpty());
}

TEST(FilePicker, ARelativeFirstNameLiesInTheFolderSet) {
    ScriptedFileDialogs dlg;
    const QString kFolder = QStringLiteral("/maps/john.doe");
    SetRelativeFolder([&] { return kFolder; });
    const std::pair<const char*, QString> rows[] = {{"USER.PNG", "/maps/john.doe/USER.PNG"},
                                                    {"sub\\A.THG", "/maps/john.doe/sub/A.THG"},
                                                    {"/abs/A.THG", "/abs/A.THG"},
                                                    {"", ""}};
    for (const auto& [name, placed] : rows) {
        InputSaveName({}, kSaveAll, QString::fromLatin1(name));
        EXPECT_EQ(dlg.requests.last().fileName, placed) << name;
        InputLoadName({}, kSaveAll, QString::fromLatin1(name));
        EXPECT_EQ(dlg.requests.last().fileName, placed) << name;
    }
    EXPECT_EQ(dlg.requests[0].filterIndex, 1); // ".PNG" is none of the types
    SetRelativeFolder({});
    InputSaveName({}, kSaveAll, QStringLiteral("USER.PNG"));
    EXPECT_EQ(dlg.requests.last().fileName, QStringLiteral("USER.PNG"));
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

// Qt's own save dialog driven as a user would: each time one opens it gets
// the next step (pick a type, type a name, accept; no name: cancel). A
// question Qt's dialog asked by itself is recorded and answered Yes.
class DialogDriver {
public:
    struct Step {
        int entry;
        QString typed;
    };
    explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    QStringList ownQuestions;
    QList<QWidget*> parents; // of each dialog
    size_t done = 0;

private:
    void Poll() {
        QWidget* top = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            ownQuestions << box->text();
            box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)->click() : box->accept();
            return;
        }
        auto* dlg = qobject_cast<QFileDialog*>(top);
        if (!dlg || dlg == last_) return;
        last_ = dlg;
        parents << dlg->parentWidget();
        if (done >= steps_.size() || steps_[done].typed.isEmpty()) {
            ++done;
            QMetaObject::invokeMethod(dlg, "reject", Qt::QueuedConnection);
            return;
        }
        const Step& s = steps_[done++];
        dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->setCurrentIndex(s.entry);
        dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(s.typed);
        QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
    }
    std::vector<Step> steps_;
    QTimer timer_;
    QPointer<QFileDialog> last_;
};

// The area list typed as NEWSAVE.THG is written as NEWSAVE.ADM: the one
// question asked is about the .ADM, and Qt's dialog asks nothing itself.
TEST(FilePicker, QtsDialogLeavesTheOverwriteQuestionToTheWrittenName) {
    EnsureGuiApp();
    // Message boxes as they are: once one is closed no window is active
    // until the window manager gives the focus back.
    struct AfterABox : ScriptedUi {
        int MsgBox(const QString& text, int style, const QString& title) override {
            QApplication::setActiveWindow(nullptr);
            return ScriptedUi::MsgBox(text, style, title);
        }
    };
    struct Installed {
        AfterABox ui;
        UiServices* previous = SetUi(&ui);
        ~Installed() { SetUi(previous); }
    } scripted;
    TestFolder dir;
    const QString adm = dir.write(QStringLiteral("NEWSAVE.ADM"), "old areas");
    dir.write(QStringLiteral("NEWSAVE.THG"), "old things");
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    {
        DialogDriver driver({{1, "NEWSAVE.THG"}, {1, "NEWSAVE.ADM"}});
        scripted.ui.answers = {Mb::No, Mb::Yes};
        EXPECT_EQ(InputSaveName({}, kSaveAll, dir.file("start.THG")), adm);
        EXPECT_EQ(driver.done, 2U);
        EXPECT_TRUE(driver.ownQuestions.isEmpty()) << driver.ownQuestions.join('|').toStdString();
        EXPECT_EQ(driver.parents, (QList<QWidget*>{&window, &window})); // both over the window
    }
    ASSERT_EQ(scripted.ui.messages.size(), 2);
    for (const auto& m : scripted.ui.messages) EXPECT_TRUE(m.text.startsWith(adm + "\r\n")) << m.text.toStdString();
}

// A relative first name opens Qt's dialog in the folder set, not in the
// process's working folder.
TEST(FilePicker, QtsDialogOpensARelativeNameInTheFolderSet) {
    EnsureGuiApp();
    TestFolder maps;
    ASSERT_NE(QDir::currentPath(), maps.path());
    SetRelativeFolder([&] { return maps.path(); });
    QString shownFolder, shownName;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dlg) return ADD_FAILURE(), QApplication::closeAllWindows();
        shownFolder = dlg->directory().absolutePath();
        shownName = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        QMetaObject::invokeMethod(dlg, "accept");
    });
    EXPECT_EQ(InputSaveName({}, kSaveAll, QStringLiteral("USER.PNG")), maps.file(QStringLiteral("USER.THG")));
    SetRelativeFolder({});
    EXPECT_EQ(shownFolder, maps.path());
    EXPECT_EQ(shownName, QStringLiteral("USER.PNG"));
}

} // namespace
