#include "legend/StyleLibrary.h"

#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/clsThings.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "platform/UiServices.h"
#include "platform/WidgetLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace {

const QString kObj = QStringLiteral("frmMapSymbol");

void information(const QString& text) { Ui().MsgBox(text, Mb::OkOnly | Mb::Information, {}); }

} // namespace

StyleLibrary::StyleLibrary(QWidget* parent, SymbolWork& work, SymbolSwitches& sw)
    : SymbolPane(parent, work, sw)
{
    fraLibrary = new QGroupBox(QStringLiteral("図式ライブラリ(&Z)"), parent);
    choLibrary = new QComboBox(fraLibrary);
    choLibrary->setEditable(true);
    choLibrary->setInsertPolicy(QComboBox::NoInsert);
    choLibrary->setMinimumContentsLength(12);
    choLibrary->setToolTip(QStringLiteral("図式ライブラリファイルを選択する"));
    cmdLibOpen = new QPushButton(QStringLiteral("開く(&O)"), fraLibrary);
    cmdLibOpen->setToolTip(QStringLiteral("図式ライブラリファイルを開いて事象リストを更新する"));
    cmdLibSave = new QPushButton(QStringLiteral("保存する(&S)"), fraLibrary);
    cmdLibSave->setToolTip(QStringLiteral("現在の設定を図式ライブラリファイルに保存する"));
    chkLibShow = new QCheckBox(QStringLiteral("表示可否を含む(&D)"), fraLibrary);
    chkLibShow->setToolTip(QStringLiteral("事象別表示スイッチと可視縮尺範囲もコピーする"));
    for (QPushButton* b : {cmdLibOpen, cmdLibSave})
        b->setAutoDefault(false);
    auto* box = new QHBoxLayout(fraLibrary);
    box->addWidget(choLibrary, 1);
    box->addWidget(cmdLibOpen);
    box->addWidget(cmdLibSave);
    box->addWidget(chkLibShow);

    // Alt+Z is for choosing a library: it goes to the name box.
    WidgetLib::FrameKeyToBox(fraLibrary, choLibrary);

    QObject::connect(chkLibShow, &QCheckBox::clicked, this, [this] { chkLibShow_Click(); });
    onClick(cmdLibOpen, "cmdLibOpen_Click", [this] { cmdLibOpen_Click(); });
    onClick(cmdLibSave, "cmdLibSave_Click", [this] { cmdLibSave_Click(); });
}

QString StyleLibrary::LibraryFilePath(const QString& text, const QString& mapFolder)
{
    QString name = Library::PathFileName(text);
    if (name.size() > 2 && name.startsWith(QStringLiteral("__")))
        name.remove(0, 2);
    if (name.isEmpty())
        return {};
    return Library::JoinPath(mapFolder, QStringLiteral("__") + Library::ChangeExt(name, QStringLiteral("THG")));
}

QString StyleLibrary::LibraryFilePath() const { return LibraryFilePath(choLibrary->currentText(), PublicVal::gvMapFolder); }

void StyleLibrary::MakeLibraryList()
{
    try {
        choLibrary->clear();
        cmdLibOpen->setEnabled(false);
        const QStringList found =
            Library::FindFiles(Library::JoinPath(PublicVal::gvMapFolder, QStringLiteral("__*.THG")));
        for (const QString& path : found) {
            const QString name = Library::PathFileName(path);
            choLibrary->addItem(name.mid(2, name.size() - 6));
        }
        if (choLibrary->count() > 0) {
            choLibrary->setCurrentIndex(0);
            cmdLibOpen->setEnabled(true);
        }
    } catch (...) {
        DialogGuard::RaiseError(kObj, "MakeLibraryList");
    }
}

void StyleLibrary::chkLibShow_Click() { sw_.mLibShow = chkLibShow->isChecked(); }

void StyleLibrary::cmdLibOpen_Click()
{
    const QString path = LibraryFilePath();
    const auto things = work_.Things();
    if (path.isEmpty() || !things)
        return;
    clsThings lib;
    lib.SetFileName(path);
    if (lib.Load() != 0)
        return;
    {
        Library::BusyPointer busy;
        for (const auto& t : lib) {
            if (t->Figure() == 1)
                continue;
            const auto w = things->Item(things->Search(t->Name()));
            if (!w || w->Figure() != t->Figure())
                continue;
            // With page sync every working page takes the library's page 1.
            t->SetPage(1);
            for (int16_t p = 1; p <= 8; ++p) {
                if (!sw_.mPageSync)
                    t->SetPage(p);
                w->SetPage(p);
                if (sw_.mLibShow) {
                    w->SetShowMode(t->ShowMode());
                    w->SetScaleS(t->ScaleS());
                    w->SetScaleL(t->ScaleL());
                }
                w->SetFore(t->Fore());
                w->SetBack(t->Back());
                w->SetStyle(t->Style());
                w->SetSize(t->Size());
                w->SetEuropian(t->Europian());
                w->SetJapanese(t->Japanese());
            }
            work_.SyncMapThing(*w, sw_.mUnitSync);
        }
    }
    if (SetGridData)
        SetGridData();
    if (ExePreview)
        ExePreview();
    information(QStringLiteral("事象リストを更新しました."));
}

void StyleLibrary::cmdLibSave_Click()
{
    const QString path = LibraryFilePath();
    const auto things = work_.Things();
    if (path.isEmpty() || !things)
        return;
    bool keepComment = false;
    QString oldComment;
    if (Library::FileExists(path)) {
        if (!Library::MsgYesNo(QStringLiteral("上書きしてもよいですか？")))
            return;
        clsThings old;
        old.SetFileName(path);
        if (old.Load() != 0)
            return;
        oldComment = old.Comment();
        keepComment = true;
    }
    // The working list is lent to the library file for one save; its own
    // file, comment, lock and modified state come back in every case, the
    // lock after the comment (a locked list refuses a comment).
    struct Restore {
        clsThings& list;
        QString file = list.FileName();
        QString comment = list.Comment();
        bool lock = list.LockMode();
        bool modify = list.Modify();
        ~Restore()
        {
            try {
                list.SetFileName(file);
                list.SetComment(comment);
                list.SetLockMode(lock);
                list.SetModify(modify);
            } catch (...) {
            }
        }
    } restore{*things};
    things->SetFileName(path);
    if (keepComment)
        things->SetComment(oldComment);
    // A list that already belongs to that file may be unmodified, and would
    // save nothing.
    things->SetModify(true);
    if (things->Save() == 0)
        information(QStringLiteral("保存に成功しました."));
    MakeLibraryList();
}
