#include "legend/frmMapSymbol.h"

#include "core/DialogGuard.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "core/clsEnvironment.h"
#include "document/clsMapUnits.h"
#include "document/clsThings.h"
#include "legend/AreaGrid.h"
#include "platform/FlexGrid.h"
#include "legend/HtmlLegend.h"
#include "legend/StyleLibrary.h"
#include "legend/ThingCommands.h"
#include "legend/ThingEditors.h"
#include "legend/ThingGrid.h"
#include "platform/KeyHold.h"
#include "platform/MouseWheel.h"
#include "platform/WidgetLib.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("frmMapSymbol");

QCheckBox* checkBox(const QString& caption, const QString& tip, QWidget* parent)
{
    auto* c = new QCheckBox(caption, parent);
    c->setToolTip(tip);
    return c;
}

} // namespace

frmMapSymbol::frmMapSymbol(QWidget* parent)
    : DialogFrame(parent)
{
    BuildWindow();
}

frmMapSymbol::~frmMapSymbol() = default;

void frmMapSymbol::BuildWindow()
{
    setWindowTitle(QStringLiteral("地図記号"));
    auto* lblMap = new QLabel(QStringLiteral("アクティブ地図(&B):"), this);
    choMap = new QComboBox(this);
    choMap->setToolTip(QStringLiteral("操作したい地図を選択"));
    choMap->setMinimumContentsLength(16);
    lblMap->setBuddy(choMap);
    chkUnitSync = checkBox(QStringLiteral("全地図連動(&Q)"), QStringLiteral("操作結果を全ての地図ユニットに書き込む"), this);
    chkPreview = checkBox(QStringLiteral("プレビュー(&V)"), QStringLiteral("地図ビューに仮描画する"), this);

    tbsExp = new QTabBar(this);
    tbsExp->addTab(QStringLiteral("行政区リスト（&A）"));
    tbsExp->setTabToolTip(0, QStringLiteral("行政区が参照する事象ページを設定"));
    tbsExp->addTab(QStringLiteral("事象リスト（&T）"));
    tbsExp->setTabToolTip(1, QStringLiteral("各事象の図式を設定"));
    fraTab = new QStackedWidget(this);
    auto* fraArea = new QWidget(fraTab); // the area page fills it
    fraArea->setObjectName(QStringLiteral("fraArea"));
    fraTab->addWidget(fraArea);
    area_ = new AreaGrid(fraArea, work_, sw_);
    library_ = new StyleLibrary(this, work_, sw_);
    fraTab->addWidget(BuildThingPage());

    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr, *cmdHelp = nullptr;
    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp, true);
    SetDefaultOk(true);
    SetHelpContext(252000);

    auto* top = new QHBoxLayout;
    top->addWidget(lblMap);
    top->addWidget(choMap, 1);
    top->addWidget(chkUnitSync);
    top->addWidget(chkPreview);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(library_->fraLibrary);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto* box = new QVBoxLayout(this);
    box->addLayout(top);
    box->addWidget(tbsExp);
    box->addWidget(fraTab, 1);
    box->addLayout(buttons);
    resize(720, 560);
    // Top to bottom: the page controls above each grid come before the
    // library group below it. The pop-up page list follows its grid.
    WidgetLib::SetTabChain({choMap, chkUnitSync, chkPreview, tbsExp, area_->choArea, area_->chkAreaSync, area_->flgAdmins,
                            area_->lstPage, area_->cmdAllAdminOne, area_->cmdAllAdminShow, area_->cmdAllAdminHide,
                            area_->cmdColoredMap, choPage, chkPageSync, chkDispAll, cmdPopup, flgThings,
                            library_->choLibrary, library_->cmdLibOpen, library_->cmdLibSave, library_->chkLibShow, cmdOK,
                            cmdCancel, cmdHelp});

    grid_ = std::make_unique<ThingGrid>(*flgThings, work_, sw_);
    commands_ = std::make_unique<ThingCommands>(*flgThings, *grid_, work_, sw_);
    editors_ = std::make_unique<ThingEditors>(*this, *flgThings, *grid_, work_, sw_);
    editors_->Grids = [this] {
        QList<QAbstractScrollArea*> grids;
        for (FlexGrid* g : findChildren<FlexGrid*>())
            grids << g;
        return grids;
    };
    grid_->ExePreview = [this] { ExePreview(); };
    grid_->GridRange = [this](int32_t row) { GridRange(row); };
    grid_->GridAttribute = [this](int32_t row) { GridAttribute(row); };
    grid_->EnablePopup = [this](bool on) { cmdPopup->setEnabled(on); };
    commands_->ExePreview = [this] { ExePreview(); };
    html_ = std::make_unique<HtmlLegend>(*flgThings, *grid_, work_, sw_);
    const auto guard = [this](const char* proc, const std::function<void()>& f) { Guarded(proc, f); };
    area_->Guard = guard;
    area_->ExePreview = [this] { ExePreview(); };
    area_->RecSample = [this](clsThing& t) { RecThingSample(t); };
    area_->SelectThingPageOne = [this] {
        choPage->setCurrentIndex(0);
        choPage_Click();
    };
    library_->Guard = guard;
    library_->ExePreview = [this] { ExePreview(); };
    library_->SetGridData = [this] { grid_->SetGridData(); };

    QObject::connect(choMap, &QComboBox::activated, this, [this] { Guarded("choMap_Click", [this] { choMap_Click(); }); });
    QObject::connect(chkPreview, &QCheckBox::clicked, this, [this] { Guarded("chkPreview_Click", [this] { chkPreview_Click(); }); });
    QObject::connect(chkUnitSync, &QCheckBox::clicked, this, [this] { chkUnitSync_Click(); });
    // Any change of tab, also by its access key or the arrow keys.
    QObject::connect(tbsExp, &QTabBar::currentChanged, this, [this] {
        Guarded("tbsExp_Click", [this] { tbsExp_Click(); });
    });
    QObject::connect(choPage, &QComboBox::activated, this, [this] { Guarded("choPage_Click", [this] { choPage_Click(); }); });
    QObject::connect(chkPageSync, &QCheckBox::clicked, this, [this] { chkPageSync_Click(); });
    QObject::connect(chkDispAll, &QCheckBox::clicked, this, [this] { Guarded("chkDispAll_Click", [this] { chkDispAll_Click(); }); });
    QObject::connect(cmdPopup, &QPushButton::clicked, this, [this] { Guarded("cmdPopup_Click", [this] { cmdPopup_Click(); }); });

    flgThings->Click = [this] { Guarded("flgThings_Click", [this] { grid_->Click(); }); };
    flgThings->DblClick = [this] { Guarded("flgThings_DblClick", [this] { grid_->DblClick(); }); };
    flgThings->SelChange = [this] { Guarded("flgThings_SelChange", [this] { grid_->SelChange(); }); };
    flgThings->MouseMove = [this](int32_t, int32_t, int32_t, int32_t) { grid_->MouseMove(); };
    flgThings->KeyDown = [this](int32_t key, int32_t) {
        Guarded("flgThings_KeyDown", [this, key] { grid_->KeyDown(key); });
    };
    flgThings->MouseUp = [this](int32_t button, int32_t, int32_t, int32_t) {
        if (button == 2)
            Guarded("flgThings_MouseUp", [this] { cmdPopup_Click(); });
    };
}

QWidget* frmMapSymbol::BuildThingPage()
{
    auto* page = new QWidget(fraTab);
    auto* lblPage = new QLabel(QStringLiteral("ページ(&P):"), page);
    choPage = new QComboBox(page);
    choPage->setToolTip(QStringLiteral("リストに表示する事象ページを選択"));
    lblPage->setBuddy(choPage);
    chkPageSync = checkBox(QStringLiteral("全ページ連動(&R)"), QStringLiteral("操作結果を８つのﾍﾟｰｼﾞに書き込む"), page);
    chkDispAll = checkBox(QStringLiteral("全事象表示(&W)"),
                          QStringLiteral("ｵﾝ=事象ﾌｧｲﾙ中の全事象をﾘｽﾄに表示，ｵﾌ=地図中で使用中の事象のみ表示"), page);
    cmdPopup = new QPushButton(QStringLiteral("事象操作メニュー(&M)"), page);
    cmdPopup->setToolTip(QStringLiteral("選択事象を操作するポップアップメニュー"));
    cmdPopup->setAutoDefault(false);
    flgThings = new FlexGrid(page);

    mnuPopup = new QMenu(QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟ(&P)"), this);
    struct Item {
        const char* caption;
        int16_t code; // -1 separator
    };
    static constexpr Item kItems[] = {
        {"復元(&R)", 0},  {nullptr, -1},          {"表示(&S)", 1},   {"隠蔽(&H)", 2},
        {"可視縮尺範囲依存(&W)", 3}, {nullptr, -1}, {"昇格(&U)", 4},   {"降格(&D)", 5},
        {nullptr, -1},    {"前景色(&F)", 6},        {"背景色(&B)", 7}, {nullptr, -1},
        {"色コピー(&C)", 8}, {"色貼り付け(&P)", 9},    {nullptr, -1},
    };
    for (const Item& it : kItems) {
        if (!it.caption) {
            mnuPopup->addSeparator();
            continue;
        }
        QAction* a = mnuPopup->addAction(QString::fromUtf8(it.caption));
        const int16_t code = it.code;
        QObject::connect(a, &QAction::triggered, this, [this, code] { Guarded("mnuPopup", [this, code] { commands_->cmdThings(code); }); });
        if (code == 9)
            mnuPopupPaste = a;
    }
    QAction* html = mnuPopup->addAction(QStringLiteral("HTML保存(&T)"));
    QObject::connect(html, &QAction::triggered, this, [this] { Guarded("mnuPopupHTML_Click", [this] { mnuPopupHTML_Click(); }); });
    QObject::connect(mnuPopup, &QMenu::aboutToShow, this, [this] { mnuPopup_Click(); });

    auto* row = new QHBoxLayout;
    row->addWidget(lblPage);
    row->addWidget(choPage);
    row->addWidget(chkPageSync);
    row->addWidget(chkDispAll);
    row->addStretch(1);
    row->addWidget(cmdPopup);
    auto* box = new QVBoxLayout(page);
    box->setContentsMargins(0, 4, 0, 0);
    box->addLayout(row);
    box->addWidget(flgThings, 1);
    return page;
}

void frmMapSymbol::Guarded(const char* proc, const std::function<void()>& f)
{
    try {
        f();
    } catch (...) {
        MouseWheel::UnhookWheel(flgThings);
        MouseWheel::UnhookWheel(area_->flgAdmins);
        ErrorMng::StopError(DialogGuard::kErrDialog, kName, QString::fromLatin1(proc));
    }
}

void frmMapSymbol::Form_Load()
{
    try {
        MouseWheel::HookWheel(area_->flgAdmins);
        MouseWheel::HookWheel(flgThings);
        area_->flgAdmins->SetForeColor(PublicVal::GridForeColor());
        area_->flgAdmins->SetBackColor(PublicVal::GridBackColor());
        area_->flgAdmins->SetGridFont(PublicVal::GridFontName(), PublicVal::GridFontSize());
        // Grid look and the column layout from the grid's laid-out width.
        flgThings->SetForeColor(PublicVal::GridForeColor());
        flgThings->SetBackColor(PublicVal::GridBackColor());
        flgThings->SetGridFont(PublicVal::GridFontName(), PublicVal::GridFontSize());
        // A hidden window is not laid out yet: the grid spans the dialog's
        // width inside its margins.
        const QMargins m = layout()->contentsMargins();
        grid_->Layout((width() - m.left() - m.right()) * FlexGrid::TwipsX());
        area_->Layout((width() - m.left() - m.right()) * FlexGrid::TwipsX() - area_->SideWidthTwips());

        clsEnvironment* env = PublicVal::gvEnvironment;
        mSampleTextE = env ? env->GetString(QStringLiteral("ThingTabTextSampleE"), QStringLiteral("Pacific Ocean"))
                           : QStringLiteral("Pacific Ocean");
        mSampleTextJ = env ? env->GetString(QStringLiteral("ThingTabTextSampleJ"), QStringLiteral("太平洋・ｲﾝﾄﾞ洋"))
                           : QStringLiteral("太平洋・ｲﾝﾄﾞ洋");
        grid_->SetSample(flgThings->ColWidth(5) / FlexGrid::TwipsX(), 400 / FlexGrid::TwipsY(),
                         PublicVal::gvLanguage == 1 ? mSampleTextE : mSampleTextJ);

        work_.Load(*mMapUnits);
        choMap->blockSignals(true);
        choMap->clear();
        for (const auto& unit : *mMapUnits)
            choMap->addItem(unit->gFigures ? unit->gFigures->MapName(PublicVal::gvLanguage) : QString());
        choMap->setCurrentIndex(work_.mUnitIndex - 1);
        choMap->blockSignals(false);
        choMap_Click();

        chkUnitSync->setChecked(sw_.mUnitSync);
        chkUnitSync->setEnabled(work_.mUnitCount > 1);
        chkPreview->setChecked(sw_.mPreview);
        area_->chkAreaSync->setChecked(sw_.mAreaSync);

        grid_->Clear();
        chkDispAll->setChecked(sw_.mDispAll);
        chkPageSync->setChecked(sw_.mPageSync);
        choPage->blockSignals(true);
        choPage->clear();
        for (int p = 1; p <= 8; ++p)
            choPage->addItem(QString::number(p));
        choPage->setCurrentIndex(sw_.mThingPage - 1);
        choPage->blockSignals(false);
        choPage_Click();

        tbsExp->blockSignals(true);
        tbsExp->setCurrentIndex(sw_.mTabIndex);
        tbsExp->blockSignals(false);
        tbsExp_Click();

        library_->MakeLibraryList();
        library_->chkLibShow->setChecked(sw_.mLibShow);
        // Every opening starts at the first control on screen.
        choMap->setFocus(Qt::OtherFocusReason);
    } catch (...) {
        MouseWheel::UnhookWheel(area_->flgAdmins);
        MouseWheel::UnhookWheel(flgThings);
        ErrorMng::StopError(DialogGuard::kErrDialog, kName, QStringLiteral("Form_Load"));
    }
}

void frmMapSymbol::Form_Unload()
{
    try {
        MouseWheel::UnhookWheel(flgThings);
        MouseWheel::UnhookWheel(area_->flgAdmins);
        {
            Library::BusyPointer busy;
            if (sw_.mPreview && PlotWindow)
                PlotWindow();
        }
        grid_->Clear();
        area_->flgAdmins->SetRows(1);
        work_.Release();
        mMapUnits = nullptr;
    } catch (...) {
        MouseWheel::UnhookWheel(flgThings);
        ErrorMng::StopError(DialogGuard::kErrDialog, kName, QStringLiteral("Form_Unload"));
    }
}

void frmMapSymbol::cmdOK_Click()
{
    try {
        Library::BusyPointer busy;
        work_.WriteBack(*mMapUnits);
    } catch (...) {
        MouseWheel::UnhookWheel(flgThings);
        ErrorMng::StopError(DialogGuard::kErrDialog, kName, QStringLiteral("cmdOK_Click"));
    }
    Unload(true);
}

void frmMapSymbol::choMap_Click()
{
    work_.mUnitIndex = choMap->currentIndex() + 1;
    const auto unit = mMapUnits ? mMapUnits->Item(work_.mUnitIndex) : nullptr;
    area_->SetColoredMapButton(unit && unit->gFigures ? unit->gFigures->MapCode() : 0);
    ShowTitle();
    area_->MakeAreaList();
    grid_->Clear();
    grid_->SetGridData();
}

void frmMapSymbol::ShowTitle()
{
    QString file;
    if (sw_.mTabIndex == 0) {
        if (const auto a = work_.Admins())
            file = a->FileName();
    } else if (const auto t = work_.Things()) {
        file = t->FileName();
    }
    setWindowIcon(QIcon(sw_.mTabIndex == 0 ? QStringLiteral(":/window/icon1004.xpm")
                                           : QStringLiteral(":/window/icon1003.xpm")));
    setWindowTitle(QStringLiteral("地図記号 - ") + Library::PathFileName(file));
}

void frmMapSymbol::tbsExp_Click()
{
    sw_.mTabIndex = int16_t(tbsExp->currentIndex());
    fraTab->setCurrentIndex(sw_.mTabIndex);
    ShowTitle();
}

void frmMapSymbol::ExePreview()
{
    if (!sw_.mPreview || !mMapUnits)
        return;
    try {
        // Keys typed while the preview draws are acted on after it, in order.
        const KeyHold::Scope hold(Keys());
        // Disabling the window takes the focus from its control, and
        // enabling it does not give it back: the keys would reach nothing.
        struct Enable {
            QWidget* w;
            QPointer<QWidget> focus;
            ~Enable()
            {
                w->setEnabled(true);
                if (focus && focus->isVisible() && focus->isEnabled())
                    focus->setFocus(Qt::OtherFocusReason);
            }
        } enable{this, focusWidget()};
        setEnabled(false);
        work_.Preview(*mMapUnits, [this] {
            // With automatic cruise off the redraw keeps the set of units.
            const bool wasAuto = CruiseAuto ? CruiseAuto() : false;
            if (SetCruiseAuto)
                SetCruiseAuto(false);
            struct Restore {
                frmMapSymbol* f;
                bool on;
                ~Restore()
                {
                    if (f->SetCruiseAuto)
                        f->SetCruiseAuto(on);
                }
            } restore{this, wasAuto};
            if (PlotWindow)
                PlotWindow();
        });
    } catch (...) {
        DialogGuard::RaiseError(kName, "ExePreview");
    }
}

void frmMapSymbol::chkPreview_Click()
{
    sw_.mPreview = chkPreview->isChecked();
    if (sw_.mPreview)
        ExePreview();
    else if (PlotWindow)
        PlotWindow();
}

void frmMapSymbol::chkUnitSync_Click() { sw_.mUnitSync = chkUnitSync->isChecked(); }

void frmMapSymbol::choPage_Click()
{
    sw_.mThingPage = int16_t(choPage->currentIndex() + 1);
    if (sw_.mThingPage >= 2 && sw_.mPageSync) {
        chkPageSync->setChecked(false);
        chkPageSync_Click();
    }
    grid_->SetGridData();
}

void frmMapSymbol::chkPageSync_Click() { sw_.mPageSync = chkPageSync->isChecked(); }

void frmMapSymbol::chkDispAll_Click()
{
    sw_.mDispAll = chkDispAll->isChecked();
    grid_->Clear();
    grid_->SetGridData();
}

void frmMapSymbol::mnuPopup_Click() { mnuPopupPaste->setEnabled(commands_->PasteEnabled()); }

void frmMapSymbol::cmdPopup_Click()
{
    if (flgThings->RowSel() >= 1 && cmdPopup->isEnabled())
        mnuPopup->exec(QCursor::pos());
}

void frmMapSymbol::GridRange(int32_t row) { editors_->GridRange(row); }

void frmMapSymbol::GridAttribute(int32_t row) { editors_->GridAttribute(row); }

void frmMapSymbol::mnuPopupHTML_Click() { html_->Export(); }

void frmMapSymbol::RecThingSample(clsThing& thing)
{
    for (int32_t r = 1; r < flgThings->Rows(); ++r) {
        if (grid_->IsThingRow(r) && grid_->RowThingIndex(r) == thing.Index()) {
            grid_->RecSample(r, thing, false);
            return;
        }
    }
}
