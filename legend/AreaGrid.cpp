#include "legend/AreaGrid.h"

#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/clsAdmins.h"
#include "document/clsThings.h"
#include "legend/ColoredMap.h"
#include "platform/DialogFrame.h"
#include "platform/FlexGrid.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QPushButton>
#include <QVBoxLayout>
#include <random>

namespace {

const QString kObj = QStringLiteral("frmMapSymbol");
constexpr int32_t kCodeCol = 3;

QPushButton* button(const QString& caption, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

} // namespace

AreaGrid::AreaGrid(QWidget* page, SymbolWork& work, SymbolSwitches& sw)
    : SymbolPane(page, work, sw)
{
    auto* lblArea = new QLabel(QStringLiteral("地域グループ(&C):"), page);
    choArea = new QComboBox(page);
    choArea->setToolTip(QStringLiteral("目的の行政区を含む地域"));
    choArea->setMinimumContentsLength(12);
    lblArea->setBuddy(choArea);
    chkAreaSync = new QCheckBox(QStringLiteral("地域グループ内連動(&E)"), page);
    chkAreaSync->setToolTip(QStringLiteral("選択地域内の全行政区を一括して変更する"));
    flgAdmins = new FlexGrid(page);
    cmdAllAdminOne = button(QStringLiteral("全行政区がページ１(&1)"),
                            QStringLiteral("全ての行政区がページ１を参照するように変更する"), page);
    cmdAllAdminShow = button(QStringLiteral("全行政区表示(&2)"), QStringLiteral("すべての行政区を「表示」に設定する"), page);
    cmdAllAdminHide = button(QStringLiteral("全行政区隠蔽(&3)"), QStringLiteral("すべての行政区を「隠蔽」に設定する"), page);
    cmdColoredMap = button(QStringLiteral("8色分け地図(&U)"), QStringLiteral("自動で行政区別に陸地を色分けする"), page);
    lstPage = new QListWidget(page);
    // A frame of its own: where it opens over the grid's rows it would
    // otherwise read as part of the grid.
    lstPage->setFrameShape(QFrame::Box);
    lstPage->setFrameShadow(QFrame::Plain);
    lstPage->setLineWidth(1);
    lstPage->hide();
    lstPage->setEnabled(false);
    lstPage->installEventFilter(this);
    DialogFrame::KeepEnter(lstPage);

    auto* top = new QHBoxLayout;
    top->addWidget(lblArea);
    top->addWidget(choArea, 1);
    top->addWidget(chkAreaSync);
    auto* side = new QVBoxLayout;
    side->addWidget(cmdAllAdminOne);
    side->addWidget(cmdAllAdminShow);
    side->addWidget(cmdAllAdminHide);
    side->addSpacing(12);
    side->addWidget(cmdColoredMap);
    side->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(flgAdmins, 1);
    body->addLayout(side);
    auto* box = new QVBoxLayout(page);
    box->setContentsMargins(0, 4, 0, 0);
    box->addLayout(top);
    box->addLayout(body, 1);

    QObject::connect(choArea, &QComboBox::activated, this, [this] { guarded("choArea_Click", [this] { choArea_Click(); }); });
    QObject::connect(chkAreaSync, &QCheckBox::clicked, this, [this] { chkAreaSync_Click(); });
    QObject::connect(lstPage, &QListWidget::itemClicked, this, [this] { guarded("lstPage_Click", [this] { lstPage_Click(); }); });
    onClick(cmdAllAdminOne, "cmdAllAdminOne_Click", [this] { cmdAllAdminOne_Click(); });
    onClick(cmdAllAdminShow, "cmdAllAdminShow_Click", [this] { cmdAllAdminShow_Click(); });
    onClick(cmdAllAdminHide, "cmdAllAdminHide_Click", [this] { cmdAllAdminHide_Click(); });
    onClick(cmdColoredMap, "cmdColoredMap_Click", [this] { cmdColoredMap_Click(); });
    flgAdmins->Click = [this] { guarded("flgAdmins_Click", [this] { flgAdmins_Click(); }); };
    flgAdmins->KeyDown = [this](int32_t key, int32_t) {
        guarded("flgAdmins_KeyDown", [this, key] { flgAdmins_KeyDown(key); });
    };
    flgAdmins->MouseMove = [this](int32_t, int32_t, int32_t, int32_t) { flgAdmins_MouseMove(); };
}

void AreaGrid::Layout(int32_t widthTwips)
{
    flgAdmins->SetFormatString(QStringLiteral("<行政区名|<事象ページ|<表示|<"));
    flgAdmins->SetColWidth(1, 1100);
    flgAdmins->SetColWidth(2, 700);
    flgAdmins->SetColWidth(kCodeCol, 0);
    flgAdmins->SetColWidth(0, std::max(255, widthTwips - 1100 - 700 - 255));
    lstPage->clear();
    lstPage->setFont(flgAdmins->font());
    for (int p = 1; p <= 8; ++p)
        lstPage->addItem(QString::number(p));
    lstPage->setFixedWidth(flgAdmins->ColWidth(1) / FlexGrid::TwipsX());
    lstPage->setFixedHeight(lstPage->sizeHintForRow(0) * 8 + 2 * lstPage->frameWidth());
}

int32_t AreaGrid::SideWidthTwips() const
{
    int w = 0;
    for (const QPushButton* b : {cmdAllAdminOne, cmdAllAdminShow, cmdAllAdminHide, cmdColoredMap})
        w = std::max(w, b->sizeHint().width());
    return (w + 12) * FlexGrid::TwipsX();
}

void AreaGrid::SetColoredMapButton(int32_t mapCode)
{
    const int32_t kind = (mapCode / 10000) % 10;
    cmdColoredMap->setEnabled(kind == 3 || kind == 6);
    cmdColoredMap->setText(QString::number(ColoredMap::ColorCount()) + QStringLiteral("色分け地図(&U)"));
}

void AreaGrid::MakeAreaList()
{
    try {
        const auto admins = work_.Admins();
        choArea->blockSignals(true);
        choArea->clear();
        for (int16_t g = 0; g <= 19 && admins; ++g) {
            const QString name = admins->AreaName(g, PublicVal::gvLanguage);
            if (!name.isEmpty())
                choArea->addItem(name, int(g));
        }
        // The remembered group by its number; when the unit has no such
        // group, the item at that place, as the index once stood for it.
        int index = choArea->findData(int(mAreaGroup));
        if (index < 0 && choArea->count() > 0)
            index = Library::Clamp(mAreaGroup, 0, choArea->count() - 1);
        choArea->setCurrentIndex(index);
        choArea->blockSignals(false);
        choArea_Click();
    } catch (...) {
        choArea->blockSignals(false);
        DialogGuard::RaiseError(kObj, "MakeAreaList");
    }
}

void AreaGrid::choArea_Click()
{
    if (choArea->currentIndex() >= 0)
        mAreaGroup = int16_t(choArea->currentData().toInt());
    MakeAdminList();
}

QString AreaGrid::AdminShowText(const clsAdmin& area)
{
    return area.Show() ? QStringLiteral("表示") : QStringLiteral("隠蔽");
}

void AreaGrid::MakeAdminList()
{
    if (!flgAdmins)
        return;
    try {
        const bool redraw = flgAdmins->Redraw();
        flgAdmins->SetRedraw(false);
        flgAdmins->SetRows(1);
        const auto admins = work_.Admins();
        // Without a group to show (no named group) the grid stays empty.
        if (admins && choArea->currentIndex() >= 0) {
            for (const auto& a : *admins) {
                if (a->AreaCode() != mAreaGroup)
                    continue;
                flgAdmins->AddItem(QStringList{a->AdminName(), QString::number(a->Page()), AdminShowText(*a),
                                               QString::number(a->AdminCode())}
                                       .join(QLatin1Char('\t')));
            }
        }
        if (flgAdmins->Rows() > 1) {
            flgAdmins->Sort(0, true);
            flgAdmins->SetSelection(1, 0, 1, 0);
        }
        flgAdmins->SetRedraw(redraw);
    } catch (...) {
        flgAdmins->SetRedraw(true);
        DialogGuard::RaiseError(kObj, "MakeAdminList");
    }
}

void AreaGrid::apply(const std::function<void(clsAdmin&)>& set, int32_t col,
                     const std::function<QString(const clsAdmin&)>& text)
{
    const auto admins = work_.Admins();
    if (!admins)
        return;
    if (sw_.mAreaSync) {
        for (const auto& a : *admins) {
            if (a->AreaCode() != mAreaGroup)
                continue;
            set(*a);
            SyncMapAdmin(*a);
        }
        MakeAdminList();
        if (ExePreview)
            ExePreview();
        return;
    }
    const int32_t row = flgAdmins->Row();
    if (row < 1 || row >= flgAdmins->Rows())
        return;
    const auto area = admins->Item(flgAdmins->TextMatrix(row, kCodeCol).toInt());
    if (area) {
        set(*area);
        flgAdmins->SetTextMatrix(row, col, text(*area));
        SyncMapAdmin(*area);
    }
    if (ExePreview)
        ExePreview();
}

void AreaGrid::SetAdminPage(int16_t page)
{
    try {
        const int16_t p = int16_t(Library::WrapRange(page, 1, 8));
        apply([p](clsAdmin& a) { a.SetPage(p); }, 1, [](const clsAdmin& a) { return QString::number(a.Page()); });
    } catch (...) {
        DialogGuard::RaiseError(kObj, "SetAdminPage");
    }
}

void AreaGrid::SetAdminShow(bool show)
{
    try {
        apply([show](clsAdmin& a) { a.SetShow(show); }, 2, &AdminShowText);
    } catch (...) {
        DialogGuard::RaiseError(kObj, "SetAdminShow");
    }
}

void AreaGrid::SyncMapAdmin(const clsAdmin& area)
{
    if (!sw_.mUnitSync)
        return;
    try {
        // The chosen unit's own list already holds the edit: a name search
        // there could land on a namesake and overwrite it whole.
        for (int32_t k = 1; k <= work_.mUnitCount; ++k) {
            const auto list = work_.WorkAdmins(k);
            if (k == work_.mUnitIndex || !list || list->LockMode())
                continue;
            const int16_t code = list->Search(area.AdminName());
            if (code < 0)
                continue;
            auto copy = area.Copy();
            copy->SetAdminCode(code);
            list->Add(copy);
        }
    } catch (...) {
        DialogGuard::RaiseError(kObj, "SyncMapAdmin");
    }
}

void AreaGrid::chkAreaSync_Click() { sw_.mAreaSync = chkAreaSync->isChecked(); }

void AreaGrid::flgAdmins_Click()
{
    if (flgAdmins->MouseRow() < 1)
        return;
    const int32_t row = flgAdmins->Row();
    if (row < 1 || row >= flgAdmins->Rows())
        return;
    const auto page = int16_t(flgAdmins->TextMatrix(row, 1).toInt());
    switch (flgAdmins->Col()) {
    case 0: SetAdminPage(int16_t(page + 1)); break;
    case 1: showPageList(row); break;
    case 2: SetAdminShow(flgAdmins->TextMatrix(row, 2) != QStringLiteral("表示")); break;
    default: break;
    }
}

void AreaGrid::showPageList(int32_t row)
{
    const int32_t d = row - flgAdmins->TopRow();
    const int h = std::max(1, flgAdmins->RowHeight(1) / FlexGrid::TwipsY());
    const int left = flgAdmins->x() + flgAdmins->frameWidth() + flgAdmins->ColWidth(0) / FlexGrid::TwipsX();
    // Just below the row; from the eighth visible row on, above it.
    int top = flgAdmins->y() + flgAdmins->frameWidth() + flgAdmins->horizontalHeader()->height() + (d + 1) * h;
    if (d > 6)
        top -= lstPage->height() + h;
    lstPage->move(left, top);
    const int page = flgAdmins->TextMatrix(row, 1).toInt();
    lstPage->setCurrentRow(Library::Clamp(page - 1, 0, 7));
    lstPage->setEnabled(true);
    lstPage->show();
    lstPage->raise();
    lstPage->setFocus();
}

void AreaGrid::lstPage_Click()
{
    if (!lstPage->isEnabled())
        return;
    const int16_t page = int16_t(lstPage->currentRow() + 1);
    // The keys go on to the grid the list was opened from.
    flgAdmins->setFocus(Qt::OtherFocusReason);
    HidePageList();
    SetAdminPage(page);
}

void AreaGrid::lstPage_KeyDown(int key)
{
    const int last = lstPage->count() - 1;
    int row = lstPage->currentRow();
    switch (key) {
    case Qt::Key_Up: row = std::max(row - 1, 0); break;
    case Qt::Key_Down: row = std::min(row + 1, last); break;
    case Qt::Key_PageUp:
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_PageDown:
    case Qt::Key_End: row = last; break;
    default: return;
    }
    if (row == lstPage->currentRow())
        return;
    lstPage->setCurrentRow(row);
    // The list stays open for the next key; the preview's passing loss of
    // focus does not close it.
    const QScopedValueRollback<bool> choosing(choosing_, true);
    SetAdminPage(int16_t(row + 1));
}

void AreaGrid::HidePageList()
{
    lstPage->setEnabled(false);
    lstPage->hide();
}

bool AreaGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lstPage)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && !choosing_)
        HidePageList();
    if (event->type() == QEvent::KeyPress && lstPage->isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: guarded("lstPage_Click", [this] { lstPage_Click(); }); return true;
        case Qt::Key_Escape: // the list's, not the dialog's
            flgAdmins->setFocus(Qt::OtherFocusReason);
            HidePageList();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: guarded("lstPage_Click", [this, key] { lstPage_KeyDown(key); }); return true;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void AreaGrid::flgAdmins_KeyDown(int32_t keyCode)
{
    const int32_t row = flgAdmins->Row();
    if (keyCode == 32) {
        if (row >= 1 && row < flgAdmins->Rows())
            SetAdminPage(int16_t(flgAdmins->TextMatrix(row, 1).toInt() + 1));
    } else if (keyCode >= 49 && keyCode <= 56) {
        SetAdminPage(int16_t(keyCode - 48));
    } else if (keyCode >= 97 && keyCode <= 104) {
        SetAdminPage(int16_t(keyCode - 96));
    } else if (keyCode == 45) {
        SetAdminShow(true);
        SetAdminShow(false);
    }
}

void AreaGrid::flgAdmins_MouseMove()
{
    QString tip;
    switch (flgAdmins->MouseCol()) {
    case 0: tip = QStringLiteral("クリックで次ページ"); break;
    case 1: tip = QStringLiteral("プルダウンリストで選択"); break;
    case 2: tip = QStringLiteral("表示スイッチ反転"); break;
    default: break;
    }
    if (tip != flgAdmins->ToolTipText())
        flgAdmins->SetToolTipText(tip);
}

void AreaGrid::cmdAllAdminOne_Click()
{
    if (const auto admins = work_.Admins())
        for (const auto& a : *admins)
            a->SetPage(1);
    MakeAdminList();
    if (SelectThingPageOne)
        SelectThingPageOne();
    if (ExePreview)
        ExePreview();
}

void AreaGrid::cmdAllAdminShow_Click()
{
    if (const auto admins = work_.Admins())
        for (const auto& a : *admins)
            a->SetShow(true);
    MakeAdminList();
    if (ExePreview)
        ExePreview();
}

void AreaGrid::cmdAllAdminHide_Click()
{
    if (const auto admins = work_.Admins())
        for (const auto& a : *admins)
            a->SetShow(false);
    MakeAdminList();
    if (ExePreview)
        ExePreview();
}

void AreaGrid::cmdColoredMap_Click()
{
    const auto things = work_.Things();
    const auto admins = work_.Admins();
    if (!things || !admins)
        return;
    const int16_t n = ColoredMap::ColorCount();
    const auto land = things->Item(things->Search(QStringLiteral("陸地")));
    if (!land) {
        Library::MsgError(QStringLiteral("事象 [陸地] が存在しません."));
        return;
    }
    ColoredMap::MakePages(*land, n);
    if (RecSample)
        RecSample(*land);
    work_.SyncMapThing(*land, sw_.mUnitSync);

    const QString preset = ColoredMap::PresetPath(*admins, n);
    if (preset.isEmpty() || !ColoredMap::ApplyPreset(*admins, preset)) {
        if (Random) {
            ColoredMap::RandomPages(*admins, n, Random);
        } else {
            std::mt19937 gen{static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch())};
            std::uniform_real_distribution<double> uniform(0.0, 1.0);
            ColoredMap::RandomPages(*admins, n, [&] { return uniform(gen); });
        }
    }
    MakeAdminList();
    if (ExePreview)
        ExePreview();
}
