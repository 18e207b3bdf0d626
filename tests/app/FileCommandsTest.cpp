// Opening, saving and closing map units, the File menu, drops, the
// clipboard copy, and the picture a loaded map gives in the window.
#include "MainHarness.h"

#include "support/DocumentTestEnv.h"
#include "support/MapFileBuilder.h"
#include "support/ScriptedFileDialogs.h"

#include "document/ui/frmMapInfo.h"
#include "platform/FontCatalog.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString kCloser = QStringLiteral("目的地を中心にしてから縮尺を大きくしましょう.");

// A map of one land polygon 20 W..20 E, 10 S..10 N (thing 1, area 0), with
// its thing and area lists; `code` >= 0 adds a map-code remark.
QString WriteLandMap(const TestFolder& dir, const QString& base, int32_t code = -1) {
    MapFileBuilder b(106);
    b.VersionHeader();
    if (code >= 0) b.Add({.code = 1, .comment = QStringLiteral("# 地図コード：%1").arg(code, 6, 10, QLatin1Char('0'))});
    TestFig poly{.code = 3, .thing = 1};
    poly.pts = {{-72000, -36000}, {72000, -36000}, {72000, 36000}, {-72000, 36000}, {-72000, -36000}};
    b.Add(poly);
    TestFig poly2 = poly; // a second figure, so that the tidy-up keeps the unit
    poly2.pts = {{-700, -700}, {700, -700}, {700, 700}, {-700, 700}, {-700, -700}};
    b.Add(poly2);
    dir.write(base + QStringLiteral(".THG"),
              DocumentTest::Lines({"[CATEGORY]", "1,\"土地\"", "", "[THING]", "NUMBER=1", "FIGURE=POLYGON",
                                   "NAME=\"陸地\"", "CATEGORY=1", "SHOW=1", "SMALL=1000000000", "LARGE=100000",
                                   "FORE=&H0000FFFF&", "BACK=&HFFFFFFFF&", "STYLE=8", ""}));
    dir.write(base + QStringLiteral(".ADM"),
              DocumentTest::Lines({"[AREA]", "", "[ADMINISTRATION]", "000,0,1,1,1,\"World\",\"世界\""}));
    return dir.write(base + QStringLiteral(".MLL"), b.bytes);
}

struct FileCommandsTest : ::testing::Test {
    MainHarness h;
    TestFolder dir;
    clsMapUnits& units = h.world.units;
};

TEST_F(FileCommandsTest, LoadedMapIsDrawnWhereItLiesAndTheScaleHintFollows) {
    h.form.show();
    h.files->ScaleToLevel = [](double) -> int16_t { return 2; };
    const QString path = WriteLandMap(dir, QStringLiteral("land"), 115000);
    const QString lower = path.chopped(3) + QStringLiteral("mll");
    ASSERT_TRUE(QFile::rename(path, lower));
    ASSERT_TRUE(h.files->LoadFile(lower)); // its kind compared in capitals
    EXPECT_EQ(units.Count(), 2);
    EXPECT_EQ(h.redraws, 1);
    const QImage shot = h.form.grab().toImage();
    const QPoint o = h.picView->mapTo(&h.form, QPoint(0, 0));
    // 2 pixels per degree around the centre pixel (200, 150): land 160..240 x 130..170.
    const QRgb land = qRgb(0xFF, 0xFF, 0x00);
    const QRgb ocean = qRgb(0x00, 0x00, 0xFF);
    for (const QPoint p : {QPoint(165, 135), QPoint(235, 165), QPoint(180, 160), QPoint(230, 134)})
        EXPECT_EQ(shot.pixel(o + p), land) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(155, 150), QPoint(245, 150), QPoint(200, 125), QPoint(200, 175), QPoint(20, 20)})
        EXPECT_EQ(shot.pixel(o + p), ocean) << p.x() << "," << p.y();
    EXPECT_EQ(h.Panel(1), QString());
    EXPECT_TRUE(h.form.windowTitle().contains(QStringLiteral("land.MLL")));
    // A level-5 map in a level-2 view.
    ASSERT_EQ(h.world.ui.ui.messages.size(), 1);
    EXPECT_EQ(h.world.ui.ui.messages[0].text, kCloser);
    EXPECT_EQ(h.world.ui.ui.messages[0].style, Mb::OkOnly + Mb::Information);
}

TEST_F(FileCommandsTest, ScaleHints) {
    // Two levels apart either way; none for a map without a level (0, -1).
    EXPECT_EQ(FileCommands::ScaleHint(5, 2), kCloser);
    EXPECT_EQ(FileCommands::ScaleHint(4, 2), kCloser);
    EXPECT_EQ(FileCommands::ScaleHint(3, 2), QString());
    EXPECT_EQ(FileCommands::ScaleHint(3, 4), QString());
    EXPECT_EQ(FileCommands::ScaleHint(3, 5), QStringLiteral("縮尺を小さくしましょう."));
    EXPECT_EQ(FileCommands::ScaleHint(0, 7), QString());
    EXPECT_EQ(FileCommands::ScaleHint(-1, 7), QString());
    EXPECT_EQ(FileCommands::ScaleHint(1, -1), kCloser);
}

TEST_F(FileCommandsTest, ListsOpenOnlyWhenTheyLoad) {
    const auto before = units.Active()->gThings;
    before->SetModify(false);
    const int32_t count = before->Count();
    EXPECT_FALSE(h.files->LoadFile(dir.file(QStringLiteral("NONE.THG"))));
    EXPECT_EQ(units.Active()->gThings, before);
    EXPECT_EQ(before->Count(), count);
    EXPECT_FALSE(before->Modify());
    EXPECT_TRUE(h.Messages().join(QString()).contains(QStringLiteral("事象ファイルが存在しません.")));

    WriteLandMap(dir, QStringLiteral("W"));
    EXPECT_TRUE(h.files->LoadFile(dir.file(QStringLiteral("W.THG"))));
    const auto things = units.Active()->gThings;
    EXPECT_NE(things, before);
    EXPECT_TRUE(things->Modify());
    EXPECT_EQ(things->Count(), 1);
    EXPECT_TRUE(h.files->LoadFile(dir.file(QStringLiteral("W.ADM"))));
    EXPECT_TRUE(units.Active()->gAdmins->Modify());
    EXPECT_EQ(h.redraws, 3);
}

TEST_F(FileCommandsTest, SaveByExtension) {
    const int shown = int(h.Messages().size());
    EXPECT_FALSE(h.files->SaveFile(dir.file(QStringLiteral("x.PNG"))));
    ASSERT_EQ(h.Messages().size(), shown + 1);
    EXPECT_EQ(h.Messages().last(), dir.file(QStringLiteral("x.PNG")) + QStringLiteral("\r\nは無効なファイル形式です."));
    EXPECT_TRUE(h.files->SaveFile(dir.file(QStringLiteral("out.thg"))));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("out.THG"))));
    QStringList logs;
    h.files->WriteLog = [&](const QString& p) -> int16_t {
        logs << p;
        return 0;
    };
    EXPECT_TRUE(h.files->SaveFile(QStringLiteral("a.mlg")));
    EXPECT_EQ(logs, QStringList{QStringLiteral("a.mlg")});
    EXPECT_EQ(h.redraws, 0);
}

// A Save As that fails (a read-only file, a prompt cancelled) leaves the
// list under its own name and in its own state, and the caption with it.
TEST_F(FileCommandsTest, FailedSaveAsKeepsTheListsNameAndState) {
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("LAND"))));
    ASSERT_EQ(units.Active()->gThings->FileName(), dir.file(QStringLiteral("LAND.THG")));
    const QString ro = dir.write(QStringLiteral("RO.THG"), "x");
    QFile::setPermissions(ro, QFileDevice::ReadOwner);
    const QString roAdm = dir.write(QStringLiteral("RO.ADM"), "x");
    QFile::setPermissions(roAdm, QFileDevice::ReadOwner);
    const QString nowhere = dir.file(QStringLiteral("gone/SAVED"));
    const struct {
        const char* what;
        bool things;
        QString path;
        bool modified;
        int answer; // of the retry prompt, if one comes
    } rows[] = {
        {"read-only, unmodified", true, ro, false, 0},
        {"read-only, modified", false, roAdm, true, 0},
        {"no folder, cancelled", true, nowhere + ".THG", true, Mb::Cancel},
        {"no folder, given up", false, nowhere + ".ADM", false, Mb::No},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        auto unit = units.Active();
        const QString file = r.things ? unit->gThings->FileName() : unit->gAdmins->FileName();
        unit->gThings->SetModify(r.modified);
        unit->gAdmins->SetModify(r.modified);
        h.redraw.PlotCaption();
        const QString caption = h.form.windowTitle();
        EXPECT_EQ(caption.contains(QStringLiteral("更新")), r.modified);
        h.world.ui.ui.answers = {r.answer};
        EXPECT_FALSE(h.files->SaveFile(r.path));
        h.redraw.PlotCaption();
        EXPECT_EQ(h.form.windowTitle(), caption);
        if (r.things) {
            EXPECT_EQ(unit->gThings->FileName(), file);
            EXPECT_EQ(unit->gThings->Modify(), r.modified);
        } else {
            EXPECT_EQ(unit->gAdmins->FileName(), file);
            EXPECT_EQ(unit->gAdmins->Modify(), r.modified);
        }
    }
}

TEST_F(FileCommandsTest, SaveLoopAsksForANameUntilSavedOrCancelled) {
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("RO"))));
    auto unit = units.Item(2);
    ASSERT_TRUE(unit);
    const QString thg = dir.file(QStringLiteral("RO.THG"));
    const QString other = dir.write(QStringLiteral("OTHER.THG"), "x");
    for (const QString& f : {thg, other}) QFile::setPermissions(f, QFileDevice::ReadOwner);

    ScriptedFileDialogs dlg;
    unit->gThings->SetModify(true);
    h.world.ui.ui.messages.clear();
    dlg.Choose(other); // read-only as well
    dlg.Cancel();
    EXPECT_FALSE(h.files->UnloadMapUnit(*unit)); // the close or quit stops
    ASSERT_GE(h.Messages().size(), 1);
    EXPECT_EQ(h.Messages()[0], QStringLiteral("事象ファイル ") + thg + QStringLiteral("\rが修正されています.\r保存しますか？"));
    ASSERT_EQ(dlg.requests.size(), 2);
    EXPECT_EQ(dlg.requests[0].filter, QStringLiteral("事象ファイル(*.THG)|*.THG|"));
    EXPECT_EQ(dlg.requests[0].fileName, thg);
    EXPECT_TRUE(dlg.requests[0].save);
    EXPECT_EQ(dlg.requests[1].fileName, other);
    EXPECT_TRUE(unit->gThings->Modify());

    // A writable name ends the loop with the list saved there.
    dlg.requests.clear();
    dlg.Choose(dir.file(QStringLiteral("NEW.THG")));
    h.files->UnloadMapUnit(*unit);
    EXPECT_EQ(dlg.requests.size(), 1);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("NEW.THG"))));
    EXPECT_FALSE(unit->gThings->Modify());

    // Answered No: nothing saved, no dialog.
    unit->gAdmins->SetModify(true);
    h.world.ui.ui.answers.push_back(Mb::No);
    dlg.requests.clear();
    h.files->UnloadMapUnit(*unit);
    EXPECT_TRUE(dlg.requests.isEmpty());
    EXPECT_TRUE(h.Messages().last().startsWith(QStringLiteral("行政区ファイル ")));
    EXPECT_TRUE(unit->gAdmins->Modify());
}

TEST_F(FileCommandsTest, MenuWithThreeUnits) {
    EXPECT_EQ(Captions(h.files->mnuFile),
              QStringLiteral("開く(&O)...|地図を閉じる(&L)|名前を付けて保存(&A)...|アクティブ地図(&U)|"
                             "クルーズ設定(&T)...|クルーズ実行(&W)|-|地図画像コピー(&C)|-|画像サイズ(&Z)...|"
                             "地図情報(&I)...|-|Vosperalの終了(&X)|-|(&1) LAST.LOG|(&2) CLIP.LOG|(&3) PRINT.LOG|(&4)"));
    EXPECT_EQ(h.files->mnuOpen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(h.files->mnuMapCopy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_FALSE(h.files->mnuMapInfo->isEnabled());
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("A"))));
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("B"))));
    units.SetIndex(2);
    h.files->mnuFile_Click();
    h.files->mnuFile_Click(); // opening again rebuilds rather than adds
    // Maps without a name in their header go by their file names.
    ASSERT_EQ(Captions(h.files->mnuClose), QStringLiteral("全地図(&0)|BASE.MLL(&A)|A.MLL(&B)|B.MLL(&C)"));
    ASSERT_EQ(Captions(h.files->mnuActive), QStringLiteral("キャンセル(&0)|BASE.MLL(&A)|A.MLL(&B)|B.MLL(&C)"));
    const auto closeItems = h.files->mnuClose->actions();
    const auto activeItems = h.files->mnuActive->actions();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(closeItems[i]->isEnabled(), i != 1);
        EXPECT_EQ(activeItems[i]->isChecked(), i == 2);
    }
    EXPECT_TRUE(h.files->mnuMapInfo->isEnabled()); // the active map has figures
    EXPECT_FALSE(h.files->mnuLogItem[3]->isEnabled());
    // Commands nobody provides stay disabled.
    EXPECT_FALSE(h.files->mnuCruiseSet->isEnabled());
    EXPECT_FALSE(h.files->mnuMapSize->isEnabled());
    h.files->CruiseRun = [] {};
    h.files->mnuFile_Click();
    EXPECT_TRUE(h.files->mnuCruiseExe->isEnabled());
    units.SetIndex(1);
    h.world.base->gFigures->Clear();
    h.files->mnuFile_Click();
    EXPECT_FALSE(h.files->mnuMapInfo->isEnabled());

    const int before = h.redraws;
    h.files->mnuActiveItem_Click(3);
    EXPECT_EQ(units.Index(), 3);
    EXPECT_EQ(h.redraws, before);
}

TEST_F(FileCommandsTest, ClosingOffersToSave) {
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("A"))));
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("B"))));
    units.Item(2)->gThings->SetModify(true);
    units.Item(3)->gAdmins->SetModify(true);
    h.world.ui.ui.messages.clear();
    h.world.ui.ui.answers = {Mb::No, Mb::No};
    const int before = h.redraws;
    h.files->mnuCloseItem_Click(0);
    ASSERT_EQ(h.Messages().size(), 2);
    EXPECT_TRUE(h.Messages()[0].startsWith(QStringLiteral("事象ファイル ")));
    EXPECT_TRUE(h.Messages()[1].startsWith(QStringLiteral("行政区ファイル ")));
    EXPECT_EQ(units.Count(), 1);
    EXPECT_EQ(h.redraws, before + 1);
    EXPECT_EQ(h.Panel(1), QStringLiteral("地図ファイルを開きましょう."));

    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("C"))));
    h.world.ui.ui.messages.clear();
    h.files->mnuCloseItem_Click(2); // nothing modified: no question
    EXPECT_TRUE(h.Messages().isEmpty());
    EXPECT_EQ(units.Count(), 1);

    // The question closed unanswered (Esc, its close box) keeps the edits
    // and the map: nothing is closed, as with the open or quit that asks it.
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("D"))));
    units.Item(2)->gThings->SetModify(true);
    h.world.ui.ui.answers = {Mb::Cancel};
    h.files->mnuCloseItem_Click(0);
    ASSERT_EQ(units.Count(), 2);
    EXPECT_TRUE(units.Item(2)->gThings->Modify());
}

// Opening a list, or a copy of the base map from elsewhere, over edited
// lists asks about them first, as a close does.
TEST(FileCommandsOpen, OverEditedListsAsksFirst) {
    const struct {
        const char* what;
        const char* open;
        int answer;
        bool opened;
        const char* then = ""; // the message after the question, "%1" the folder
    } rows[] = {
        {"things, no", "W.THG", Mb::No, true},
        {"things, yes: saved, then opened", "W.THG", Mb::Yes, true},
        {"things, given up", "W.THG", Mb::Cancel, false},
        {"areas, given up", "W.ADM", Mb::Cancel, false},
        {"base map replaced, given up", "BASE.MLL", Mb::Cancel, false},
        {"things, no, then not there", "NONE.THG", Mb::No, false, "事象ファイルが存在しません.\r\n%1/NONE.THG"},
        {"areas, yes, not saved, no other name", "W.ADM", Mb::Yes, false, "%1/LAND.ADM\r\nは読み取り専用ファイルです."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        MainHarness h;
        TestFolder dir;
        ScriptedFileDialogs names; // another name for a list not saved: none given
        for (const char* name : {"W", "BASE"}) WriteLandMap(dir, QLatin1String(name));
        ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("LAND"))));
        // The area list cannot be saved under the map's name.
        QFile::setPermissions(dir.file(QStringLiteral("LAND.ADM")), QFileDevice::ReadOwner);
        const QString open = QLatin1String(r.open);
        if (open == QLatin1String("BASE.MLL")) h.world.units.SetIndex(1);
        const auto unit = h.world.units.Active();
        const auto run = [&](auto& slot, const QString& ext, const QString& asked) {
            const auto edited = slot;
            edited->SetFileName(dir.file(QStringLiteral("MINE.") + ext)); // an edit, under a name of its own
            edited->SetLockMode(true);
            unit->gThings->SetModify(true);
            unit->gAdmins->SetModify(true);
            h.world.ui.ui.answers = {r.answer};
            h.world.ui.ui.messages.clear();
            const int drawn = h.redraws;
            EXPECT_EQ(h.files->LoadFile(dir.file(open)), r.opened);
            QStringList shown{asked + unit->UnitName().chopped(3) + ext +
                              QStringLiteral("\rが修正されています.\r保存しますか？")};
            if (*r.then) shown << QString::fromUtf8(r.then).arg(dir.path());
            EXPECT_EQ(h.Messages(), shown);
            EXPECT_EQ(edited->Modify(), r.answer != Mb::Yes || !r.opened);
            EXPECT_EQ(h.redraws, drawn + int(r.opened || r.answer == Mb::No)); // No goes on, loaded or not
            EXPECT_EQ(slot->FileName(), dir.file((r.opened ? QStringLiteral("W.") : QStringLiteral("MINE.")) + ext));
            EXPECT_EQ(slot->LockMode(), !r.opened);
            EXPECT_EQ(h.world.units.Base(), h.world.base);
        };
        if (open.endsWith(QLatin1String("ADM")))
            run(unit->gAdmins, QStringLiteral("ADM"), QStringLiteral("行政区ファイル "));
        else
            run(unit->gThings, QStringLiteral("THG"), QStringLiteral("事象ファイル "));
    }
}

TEST_F(FileCommandsTest, DroppedFilesOpenInOrder) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/x/one.ml")), QUrl::fromLocalFile(QStringLiteral("/x/two.ml")),
                  QUrl(QStringLiteral("https://example.invalid/three.MLL"))});
    const QStringList files = DroppedFiles(&data);
    EXPECT_EQ(files, (QStringList{QStringLiteral("/x/one.ml"), QStringLiteral("/x/two.ml")}));
    QMimeData text;
    text.setText(QStringLiteral("/x/one.MLL"));
    EXPECT_TRUE(DroppedFiles(&text).isEmpty());

    h.picView->FilesDropped(files);
    EXPECT_EQ(h.Messages(), (QStringList{QStringLiteral("/x/one.ml\r\nは無効なファイル形式です."),
                                         QStringLiteral("/x/two.ml\r\nは無効なファイル形式です.")}));
    EXPECT_EQ(h.world.ui.ui.messages[0].style & 0x70, int(Mb::Critical));
    EXPECT_EQ(h.redraws, 0);
    h.picView->FilesDropped({WriteLandMap(dir, QStringLiteral("D1")), WriteLandMap(dir, QStringLiteral("D2"))});
    EXPECT_EQ(units.Count(), 3);
    EXPECT_EQ(h.redraws, 2);
}

TEST_F(FileCommandsTest, ClipboardCopy) {
    QStringList logs;
    h.files->WriteLog = [&](const QString& p) -> int16_t {
        logs << p;
        return 0;
    };
    h.files->LogPath = [](int32_t i) { return QStringLiteral("/own/LOG%1.MLG").arg(i); };
    h.files->AuthorURLhome = [] { return QStringLiteral("http://home.invalid/"); };
    ASSERT_EQ(h.redraw.PlotWindow(), 0);
    const QImage drawn = h.picView->Image().copy();
    h.files->WriteClip = [] { return false; };
    h.files->mnuMapCopy_Click();
    EXPECT_TRUE(logs.isEmpty());
    EXPECT_EQ(h.Panel(1), QStringLiteral("クリップボード出力に失敗しました."));
    // The credit line stays on the picture, near its top.
    EXPECT_NE(h.picView->Image().copy(0, 0, 400, 24), drawn.copy(0, 0, 400, 24));
    EXPECT_EQ(h.picView->Image().copy(0, 100, 400, 200), drawn.copy(0, 100, 400, 200));
    EXPECT_EQ(FileCommands::CreditLine(QStringLiteral("http://home.invalid/")),
              QStringLiteral("Vosperal - Copyright (C) Vosperal - http://home.invalid/"));

    const int before = h.redraws;
    h.files->WriteClip = [] { return true; };
    h.files->mnuMapCopy_Click();
    EXPECT_EQ(logs, QStringList{QStringLiteral("/own/LOG2.MLG")});
    EXPECT_EQ(h.redraws, before + 1);
    EXPECT_EQ(h.Panel(1), QStringLiteral("クリップボードへ出力しました."));
    EXPECT_EQ(h.picView->Image(), drawn); // the redraw took the line away
}

// Without a configured web page the credit has no part for it and no
// separator in front of the missing part.
TEST_F(FileCommandsTest, CreditLineLeavesOutAnEmptyAddress) {
    EXPECT_EQ(FileCommands::CreditLine(QString()), QStringLiteral("Vosperal - Copyright (C) Vosperal"));
}

namespace {

// The first and last rows in which two pictures differ; -1, -1 when none.
std::pair<int, int> ChangedRows(const QImage& a, const QImage& b) {
    int first = -1, last = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return {first, last};
}

// The picture drawn in the program's interface face at 9 points, the
// face and size the credit line is written in.
void UseInterfaceFace(MainHarness& h) {
    const QString face = FontCatalog::UiFamily(FontCatalog::InstalledNames());
    ASSERT_FALSE(face.isEmpty());
    QFont font = h.picView->font();
    font.setFamilies({face});
    font.setPointSize(9);
    h.picView->setFont(font);
}

// What the copy puts on the clipboard: the picture as it stands when the
// clipboard is written.
QImage CopiedPicture(MainHarness& h) {
    QImage copied;
    h.files->WriteClip = [&] {
        copied = h.picView->Image().copy();
        return false;
    };
    h.files->mnuMapCopy_Click();
    return copied;
}

} // namespace

// With the band at the bottom the credit line is placed by the height of
// the line as drawn: every row of it, descenders too, is in the copy and
// none touches the frame. The picture's face is the interface face of the
// program, whose line is far taller than its point size in pixels.
TEST_F(FileCommandsTest, CreditLineAtTheBottomIsWholeAndClearOfTheFrame) {
    UseInterfaceFace(h);
    clsAccessory acc;
    h.UseTitleBand(acc, true);
    acc.SetPosition(1);
    ASSERT_TRUE(acc.Item(2).Use); // the frame, one pixel wide
    h.files->AuthorURLhome = [] { return QString(); };
    ASSERT_EQ(h.redraw.PlotWindow(), 0);
    const QImage drawn = h.picView->Image().copy();
    const QImage copied = CopiedPicture(h);
    ASSERT_FALSE(copied.isNull());
    const auto [top, bottom] = ChangedRows(drawn, copied);

    // The same line drawn alone, well inside a blank picture.
    QImage blank(drawn.size(), drawn.format());
    blank.fill(Qt::white);
    QImage alone = blank;
    {
        QPainter p(&alone);
        p.setFont(h.picView->font());
        p.setPen(Qt::black);
        p.drawText(QRect(4, 40, blank.width(), 100), Qt::AlignLeft | Qt::AlignTop, FileCommands::CreditLine({}));
    }
    const auto [aloneTop, aloneBottom] = ChangedRows(blank, alone);
    ASSERT_GE(aloneTop, 0);
    EXPECT_EQ(bottom - top, aloneBottom - aloneTop) << "rows " << top << ".." << bottom;
    EXPECT_LT(bottom, drawn.height() - 2); // above the frame's row, with a gap
    EXPECT_GE(top, acc.Item(1).Top);       // in the band
    h.redraw.mAccessory = nullptr;
}

// The credit line keeps the band's side and row, and goes to the row's right
// end where at the left it would cover an accessory's text or the scale bar:
// then the pixels it changes lie, in the picture as drawn, on the band's
// background only. Where both ends are covered it takes the end that covers
// less: in a window's width the scale bar's whole length lies under the left
// end and only the foot of its scale text under the right one.
TEST(CreditLine, KeepsClearOfTheAccessories) {
    struct Row {
        const char* name;
        int32_t position;
        bool title, comment, measure;
        double ratio;
        bool right;
        bool shown = true;     // false: switched off after a drawing with them
        int32_t width = 400;   // the picture's own pixels
        bool clear = true;     // the right end covers nothing
        bool twoLines = false; // a comment of two lines in the start-up face
    };
    const Row rows[] = {
        {"bottom, comment under the scale bar", 1, false, true, true, 1, true},
        {"bottom, comment, 200%", 1, false, true, true, 2, true},
        {"bottom, title alone", 1, true, false, false, 1, true},
        {"top, title over the scale bar", 0, true, false, true, 1, true},
        {"top, title, 200%", 0, true, false, true, 2, true},
        {"bottom, scale bar alone", 1, false, false, true, 1, true, true, 1583, false},
        {"bottom, scale bar alone, 200%", 1, false, false, true, 2, true, true, 781, false},
        {"top, scale bar alone", 0, false, false, true, 1, true, true, 1583, false},
        {"top, scale bar alone, 200%", 0, false, false, true, 2, true, true, 781, false},
        {"bottom, two comment lines, 200%", 1, false, true, true, 2, true, true, 781, false, true},
        {"top, title, no longer shown", 0, true, false, true, 1, false, false},
    };
    for (const Row& r : rows) {
        MainHarness h;
        UseInterfaceFace(h);
        h.picView->SetPixelRatio(r.ratio);
        h.picMeasure->SetPixelRatio(r.ratio);
        h.picView->ResizePicture(int(r.width * r.ratio), int(300 * r.ratio));
        clsAccessory acc;
        h.UseTitleBand(acc, true);
        acc.SetPosition(r.position);
        for (const auto& [index, on] : {std::pair{4, r.title}, {5, r.comment}, {3, r.measure}}) {
            acc.SetIndex(index);
            acc.SetUse(on);
        }
        if (r.twoLines) {
            acc.SetIndex(5);
            acc.SetFont(std::make_shared<QFont>(QStringLiteral("ＭＳ Ｐゴシック"), 9));
            acc.SetText(QStringLiteral("A comment long enough to fold into two lines across the width of the picture: "
                                       "it tells the reader where the data comes from and when the map was made"));
        }
        h.files->AuthorURLhome = [] { return QString(); };
        ASSERT_EQ(h.redraw.PlotWindow(), 0) << r.name;
        if (!r.shown) {
            h.world.plot->SetAcsEi(false);
            ASSERT_EQ(h.redraw.PlotWindow(), 0) << r.name;
        }
        const QImage drawn = h.picView->Image().copy();
        const QImage copied = CopiedPicture(h);
        h.redraw.mAccessory = nullptr;
        ASSERT_FALSE(copied.isNull()) << r.name;
        QRect ink;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != copied.pixel(x, y)) ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty()) << r.name;
        const AccessoryItem& back = acc.Item(1);
        if (r.shown) {
            EXPECT_GE(ink.top(), back.Top) << r.name;
            EXPECT_LT(ink.bottom(), back.Top + back.Height) << r.name;
        }
        // A glyph's ink starts and ends within a pixel or two of the pen's places.
        const int32_t margin = int32_t(4 * r.ratio), w = drawn.width(), near = int32_t(3 * r.ratio);
        if (r.right) {
            EXPECT_GT(ink.right(), w - margin - near) << r.name;
            EXPECT_LT(ink.right(), w - margin) << r.name;
            int foreign = 0;
            for (int y = ink.top(); y <= ink.bottom(); ++y)
                for (int x = ink.left(); x <= ink.right(); ++x) foreign += drawn.pixel(x, y) != qRgb(255, 255, 255);
            if (r.clear) {
                EXPECT_EQ(foreign, 0) << r.name;
            }
        } else {
            EXPECT_GE(ink.left(), margin - int32_t(r.ratio)) << r.name;
            EXPECT_LT(ink.left(), margin + near) << r.name;
        }
    }
}

TEST_F(FileCommandsTest, MapInformationShowsTheActiveMapBesideTheWindow) {
    ASSERT_TRUE(h.files->LoadFile(WriteLandMap(dir, QStringLiteral("INFO"))));
    units.SetIndex(2);
    h.form.move(40, 60);
    std::shared_ptr<clsMap> shown;
    frmMapInfo* dlg = nullptr;
    QPoint at;
    auto closeIt = [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<frmMapInfo*>(w); d && d->isVisible()) {
                dlg = d;
                shown = d->mMap;
                at = d->pos();
                d->reject();
            }
    };
    QTimer::singleShot(0, closeIt);
    h.files->mnuMapInfo_Click();
    EXPECT_EQ(shown, units.Item(2)->gFigures);
    // Placed 600 twips right of and below the window's corner (15 twips a
    // pixel), then kept by the one instance even when the window moves.
    EXPECT_EQ(at, QPoint(40 + 40, 60 + 40));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->mMap, nullptr);
    h.form.move(300, 300);
    QTimer::singleShot(0, closeIt);
    h.files->mnuMapInfo_Click();
    EXPECT_EQ(at, QPoint(80, 100));
}

} // namespace
