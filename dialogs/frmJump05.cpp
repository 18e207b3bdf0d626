#include "dialogs/frmJump05.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "dialogs/GazetteerFile.h"
#include "dialogs/PlaceJump.h"
#include "document/clsMapUnits.h"
#include "platform/FlexGrid.h"
#include "platform/EventHook.h"
#include "platform/MouseWheel.h"
#include "platform/ScriptedUi.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("frmJump05");
const QString kHeaders[4] = {QStringLiteral("地名"), QStringLiteral("ファイル名"), QStringLiteral("行政区名"),
                             QStringLiteral("事象名")};

void Events() { QCoreApplication::processEvents(); }

} // namespace

frmJump05::frmJump05(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("地名ジャンプ"));
    lblKey = new QLabel(QStringLiteral("地名キーワード(&K):"));
    choKeyword = new QComboBox;
    choKeyword->setEditable(true);
    choKeyword->setInsertPolicy(QComboBox::NoInsert);
    choKeyword->setMinimumWidth(280);
    lblKey->setBuddy(choKeyword);
    fraSource = new QGroupBox(QStringLiteral("情報源"));
    optSource[0] = new QRadioButton(QStringLiteral("地図ユニットリスト(&U)"));
    optSource[1] = new QRadioButton(QStringLiteral("地名辞典(&G)"));
    cmdGazetteer = new QPushButton(QStringLiteral("地名辞典作成(&M)"));
    lblList = new QLabel(QStringLiteral("地名リスト(&L)"));
    flgPlaces = new FlexGrid;
    lblList->setBuddy(flgPlaces);
    lblCount = new QLabel(QStringLiteral("地名数 = "));
    lblMessage = new QLabel;
    cmdOK = new QPushButton(QStringLiteral("ＯＫ"));
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"));
    cmdHelp = new QPushButton(QStringLiteral("ヘルプ(&H)"));

    auto* source = new QHBoxLayout(fraSource);
    source->addWidget(optSource[0]);
    source->addWidget(optSource[1]);
    auto* top = new QGridLayout;
    top->addWidget(lblKey, 0, 0);
    top->addWidget(choKeyword, 0, 1, 1, 2);
    top->addWidget(fraSource, 1, 0, 1, 2);
    top->addWidget(cmdGazetteer, 1, 2, Qt::AlignBottom);
    top->setColumnStretch(1, 1);
    auto* status = new QHBoxLayout;
    status->addWidget(lblCount);
    status->addStretch();
    status->addWidget(lblMessage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(lblList);
    lay->addWidget(flgPlaces, 1);
    lay->addLayout(status);
    lay->addLayout(buttons);
    resize(640, 520);

    flgPlaces->SetCols(PlaceList::kColumns);
    SetButtons(cmdOK, cmdCancel, cmdHelp);
    // The keyword box and the list keep Enter (below), whatever order the
    // two key hooks end up in after the window is hidden and shown again.
    SetKeyPreview(false);
    keyHook_ = new EventHook([this](QObject* o, QEvent* e) { return PreviewKey(o, e); }, this);
    SetHelpContext(250001);
    for (int i = 0; i < 2; ++i)
        connect(optSource[size_t(i)], &QRadioButton::clicked, this, [this, i] {
            Guard("optSource_Click", [this, i] { optSource_Click(i); });
        });
    connect(cmdGazetteer, &QPushButton::clicked, this,
            [this] { Guard("cmdGazetteer_Click", [this] { cmdGazetteer_Click(); }); });
    flgPlaces->Click = [this] { Guard("flgPlaces_Click", [this] { flgPlaces_Click(); }); };
    flgPlaces->DblClick = [this] { Guard("flgPlaces_DblClick", [this] { flgPlaces_DblClick(); }); };
}

frmJump05::~frmJump05() {
    if (qApp) qApp->removeEventFilter(keyHook_);
}

void frmJump05::StopError(const QString& procName) {
    MouseWheel::UnhookWheel(flgPlaces);
    ErrorMng::StopError(ErrBase + 1003, kName, procName);
}

void frmJump05::Guard(const char* procName, const std::function<void()>& body) {
    try {
        body();
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        StopError(QString::fromLatin1(procName));
    }
}

// ---- the list ---------------------------------------------------------------

void frmJump05::ShowMessage(const QString& text) {
    lblMessage->setText(text);
    lblMessage->repaint();
}

void frmJump05::ShowCount() { lblCount->setText(QStringLiteral("地名数 = ") + QString::number(places_.Count())); }

void frmJump05::ClearGrid() {
    ShowMessage(QStringLiteral("リスト消去中..."));
    places_.Clear();
    FillGrid();
    ShowMessage({});
    ShowCount();
}

void frmJump05::FillGrid() {
    const int32_t n = places_.Count();
    flgPlaces->SetRedraw(false);
    flgPlaces->SetRows(n + 1);
    // Only the shown columns are copied; the others are read from the list.
    for (int32_t r = 1; r <= n; ++r)
        for (int c = PlaceList::ColName; c <= PlaceList::ColThing; ++c)
            flgPlaces->SetTextMatrix(r, c, places_.Text(r, c));
    flgPlaces->SetRedraw(true);
    ShowCount();
}

void frmJump05::MakeGrid() {
    ClearGrid();
    {
        Library::BusyPointer wait;
        if (source_ == 0) {
            if (mMapUnits) {
                ShowMessage(QStringLiteral("リスト追加中..."));
                for (const auto& u : *mMapUnits)
                    if (u) places_.AddUnitPlaces(*u, lang_);
            }
        } else {
            ShowMessage(QStringLiteral("辞典読取中..."));
            GazetteerFile::Read(gazetPath_, places_, sortCode_);
        }
        ShowMessage({});
    }
    SortGrid(sortCode_);
    SearchKey();
}

void frmJump05::SortGrid(int32_t code) {
    if (places_.Count() == 0) return;
    const int sorted = PlaceList::IsSortCode(code) ? PlaceList::SortColumn(code) : -1;
    for (int c = 0; c < 4; ++c) {
        QString head = kHeaders[c];
        if (c == sorted) head += code % 2 == 1 ? QStringLiteral("　▲") : QStringLiteral("　▼");
        flgPlaces->SetTextMatrix(0, c, head);
        flgPlaces->SetCellBackColor(0, c, c == sorted ? int32_t(0x80000002u) : int32_t(0x8000000Fu));
    }
    if (sorted < 0) return;
    Library::BusyPointer wait;
    places_.Sort(code);
    FillGrid();
    flgPlaces->SetTopRow(1);
    flgPlaces->SetSelection(1, 0, 1, PlaceList::kColumns - 1);
}

void frmJump05::SearchKey() {
    Library::BusyPointer wait;
    const int32_t r = places_.Search(choKeyword->currentText(), flgPlaces->Row(), lang_);
    if (r >= 1) flgPlaces->SetTopRow(r);
    flgPlaces->SetSelection(r, 0, r, PlaceList::kColumns - 1);
}

// ---- the builder ------------------------------------------------------------

void frmJump05::SetBuilding(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{choKeyword, flgPlaces, optSource[0], cmdGazetteer, cmdOK, cmdHelp})
        w->setEnabled(!on);
    // A build given up leaves the gazetteer there was, still to be chosen.
    optSource[1]->setEnabled(!on && Library::FileExists(gazetPath_));
}

void frmJump05::SelectSource(int index) {
    optSource[size_t(index)]->setEnabled(true);
    optSource[size_t(index)]->setChecked(true);
    optSource_Click(index);
}

void frmJump05::cmdGazetteer_Click() {
    const QString tag = lang_ == 2 ? QStringLiteral("<日本語用>") : QStringLiteral("<欧州語用>");
    if (!Library::MsgYesNo(QStringLiteral("地図フォルダ(サブフォルダを含む)上の全地図ファイルから地名を取得して") + tag +
                           QStringLiteral(" 地名辞典を作成します.\r\nかなりの時間を要しますが実行してよろしいですか？")))
        return;
    // Cancel and the close box stop the build from the Yes on, also in the
    // events let through before the first file.
    builder_.Start();
    Events();
    const QStringList files = GazetteerBuilder::DirMapFiles(PublicVal::gvMapFolder);
    if (files.isEmpty()) {
        builder_.End();
        if (closePending_) {
            Unload(false);
            return;
        }
        Library::MsgError(QStringLiteral("地図ファイル名リストの取得に失敗しました.\r\n[ツール]-[環境設定] でパスを設定してください."));
        return;
    }
    SetBuilding(true);
    ClearGrid();
    builder_.ShowMessage = [this](const QString& text) {
        ShowCount();
        ShowMessage(text);
    };
    builder_.ProcessEvents = Events;
    const bool complete = builder_.Run(files, places_, lang_);
    SortGrid(sortCode_);
    SearchKey();
    bool written = false;
    if (complete && places_.Count() > 0) {
        Library::BusyPointer wait;
        ShowMessage(QStringLiteral("辞典保存中..."));
        written = GazetteerFile::Write(gazetPath_, places_, lang_, sortCode_);
        ShowMessage({});
    }
    SetBuilding(false);
    if (closePending_) {
        // The window was closed while the build ran.
        Unload(false);
        return;
    }
    SelectSource(written ? 1 : 0);
    ShowMessage({});
    // Disabling the keyword box and the builder button during the build moved
    // the focus on to Cancel, where Return would close the dialog.
    choKeyword->setFocus();
}

// ---- events -----------------------------------------------------------------

void frmJump05::optSource_Click(int index) {
    source_ = index;
    MakeGrid();
    if (places_.Count() == 0 && source_ == 1) {
        optSource[0]->setChecked(true);
        optSource_Click(0);
    }
}

void frmJump05::flgPlaces_Click() {
    if (flgPlaces->MouseRow() != 0 || flgPlaces->MouseCol() < 0) return;
    const int32_t c = flgPlaces->MouseCol() * 2 + 1;
    sortCode_ = sortCode_ == c ? c + 1 : c;
    SortGrid(sortCode_);
    SearchKey();
}

void frmJump05::flgPlaces_DblClick() {
    if (flgPlaces->MouseRow() >= 1) cmdOK_Click();
}

void frmJump05::Form_Load() {
    try {
        builder_.End();
        closePending_ = false;
        lang_ = PublicVal::gvLanguage == 2 ? 2 : 1;
        if (!mMapUnits) {
            Unload(false);
            return;
        }
        choKeyword->clear();
        choKeyword->addItems(history_);
        choKeyword->setEditText({});
        MouseWheel::HookWheel(flgPlaces);
        ClearGrid();
        flgPlaces->SetForeColor(PublicVal::GridForeColor());
        flgPlaces->SetBackColor(PublicVal::GridBackColor());
        flgPlaces->SetGridFont(PublicVal::GridFontName(), PublicVal::GridFontSize());
        for (int c = 0; c < 4; ++c) flgPlaces->SetTextMatrix(0, c, kHeaders[c]);
        if (layout()) layout()->activate();
        const int32_t w = flgPlaces->width() * FlexGrid::TwipsX();
        const int32_t widths[4] = {w * 6 / 20, w * 4 / 20, w * 5 / 20, w};
        for (int c = 0; c < PlaceList::kColumns; ++c) flgPlaces->SetColWidth(c, c < 4 ? widths[c] : 0);
        if (sortCode_ == 0) sortCode_ = 1;
        gazetPath_ = PublicVal::GazetFile();
        AskInputMethod();
        const bool ll = mMapUnits->MapMode() == 1;
        if (!ll) source_ = 0;
        cmdGazetteer->setEnabled(ll);
        optSource[1]->setEnabled(ll && Library::FileExists(gazetPath_));
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        StopError(QStringLiteral("Form_Load"));
    }
}

void frmJump05::AskInputMethod() {
    // Japanese names are typed through the input method; European ones are
    // Latin letters, typed directly. Qt has no hint that turns an input
    // method on, so language 2 asks by leaving out the Latin preference.
    Qt::InputMethodHints hints = choKeyword->inputMethodHints() & ~(Qt::ImhPreferLatin | Qt::ImhLatinOnly);
    if (lang_ != 2) hints |= Qt::ImhPreferLatin;
    for (QWidget* w : {static_cast<QWidget*>(choKeyword), static_cast<QWidget*>(choKeyword->lineEdit())}) {
        w->setAttribute(Qt::WA_InputMethodEnabled, true);
        w->setInputMethodHints(hints);
    }
}

void frmJump05::showEvent(QShowEvent* e) {
    DialogFrame::showEvent(e);
    // After the frame's own key hook, so that this one sees the keys first.
    qApp->installEventFilter(keyHook_);
    // The window shows itself before the list, which may take a while.
    QTimer::singleShot(0, this, [this] { Guard("Form_Activate", [this] { Form_Activate(); }); });
}

void frmJump05::hideEvent(QHideEvent* e) {
    qApp->removeEventFilter(keyHook_);
    DialogFrame::hideEvent(e);
}

void frmJump05::Form_Activate() {
    if (!isVisible() || places_.Count() > 0 || builder_.Busy()) return;
    Events();
    const int index = optSource[1]->isEnabled() ? source_ : 0;
    optSource[size_t(index)]->setChecked(true);
    optSource_Click(index);
    choKeyword->setFocus();
}

void frmJump05::cmdOK_Click() {
    Guard("cmdOK_Click", [this] {
        const int32_t r = flgPlaces->Row();
        if (r < 1 || r > places_.Count()) {
            Unload(false);
            return;
        }
        const QString file = places_.Text(r, PlaceList::ColFile);
        mUnitMode = PlaceJump::UnitMode(file);
        mCx = Library::DblToLng(Library::Val(places_.Text(r, PlaceList::ColLon)));
        mCy = Library::DblToLng(Library::Val(places_.Text(r, PlaceList::ColLat)));
        mScaleMin = Library::Val(places_.Text(r, PlaceList::ColScaleS));
        mScaleMax = Library::Val(places_.Text(r, PlaceList::ColScaleL));
        const QString path = PlaceJump::MapPath(PublicVal::gvMapFolder, file);
        if (source_ == 1) ShowMessage(QStringLiteral("しばらくお待ちください..."));
        if (mMapUnits) PlaceJump::ShowPlaceMap(*mMapUnits, path, mUnitMode, source_ == 1, {}, [this] { repaint(); });
        Unload(true);
    });
}

void frmJump05::cmdCancel_Click() {
    if (builder_.Busy()) {
        builder_.Cancel();
        return;
    }
    Unload(false);
}

void frmJump05::closeEvent(QCloseEvent* e) {
    if (builder_.Busy()) {
        // Closing stops the build; the window goes once the current file is done.
        builder_.Cancel();
        closePending_ = true;
        e->ignore();
        return;
    }
    DialogFrame::closeEvent(e);
}

bool frmJump05::PreviewKey(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    auto* w = static_cast<QWidget*>(watched);
    const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    if (enter && (w == choKeyword || choKeyword->isAncestorOf(w))) {
        Guard("choKeyword_KeyPress", [this] { SearchKey(); });
        return true;
    }
    if ((enter || k->key() == Qt::Key_Space) && (w == flgPlaces || flgPlaces->isAncestorOf(w))) {
        if (flgPlaces->Row() >= 1) cmdOK_Click();
        return true;
    }
    return false;
}

void frmJump05::Form_Unload() {
    try {
        MouseWheel::UnhookWheel(flgPlaces);
        PlaceJump::AddHistory(history_, choKeyword->currentText());
        Library::BusyPointer wait;
        ClearGrid();
        mMapUnits = nullptr;
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        StopError(QStringLiteral("Form_Unload"));
    }
}
