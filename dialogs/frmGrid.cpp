#include "dialogs/frmGrid.h"

#include "core/AngleLib.h"
#include "core/DialogGuard.h"
#include "core/Library.h"
#include "platform/WidgetLib.h"
#include "render/clsGrid.h"

#include <QCheckBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

struct Row {
    int32_t low, high;
    const char16_t* range;
    const char16_t* frame;
    const char16_t* lblLow;
    const char16_t* lblHigh;
    int32_t sliMin, sliMax;
};

const Row kRows[4] = {
    {60, 162000, u"0ﾟ01'～45ﾟ00'", u"経線間隔(&X)", u"00ﾟ01'", u" 45ﾟ", 0, 2700},
    {60, 162000, u"0ﾟ01'～45ﾟ00'", u"緯線間隔(&Y)", u"00ﾟ01'", u" 45ﾟ", 0, 2700},
    {18000, 324000, u"5ﾟ00'N～90ﾟ00'N", u"北限緯度(&N)", u"5ﾟN ", u" 90ﾟN", 300, 5400},
    {-324000, -18000, u"5ﾟ00'S～90ﾟ00'S", u"南限緯度(&S)", u"90ﾟS ", u" 5ﾟS", -5400, -300},
};

QString U(const char16_t* s) { return QString::fromUtf16(s); }

const QString kName = QStringLiteral("frmGrid");

} // namespace

frmGrid::frmGrid(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("経緯線"));
    SetHelpContext(250002);
    SetDefaultOk(false);

    auto* top = new QVBoxLayout(this);
    auto* checks = new QGridLayout;
    auto check = [this](const QString& caption, const QString& tip) {
        auto* c = new QCheckBox(caption, this);
        c->setToolTip(tip);
        return c;
    };
    chkGridEi = check(QStringLiteral("表示許可(&E)"), QStringLiteral("経線と緯線の表示を許可"));
    chkGridAuto = check(QStringLiteral("自動設定(&A)"), QStringLiteral("画面の状況に応じて自動的に調整"));
    chkOcean = check(QStringLiteral("海上のみ(&O)"), QStringLiteral("海上にのみ描く"));
    chkString = check(QStringLiteral("経緯度文字(&V)"), QStringLiteral("経緯度数値を表示する"));
    checks->addWidget(chkGridEi, 0, 0);
    checks->addWidget(chkGridAuto, 0, 1);
    checks->addWidget(chkOcean, 1, 0);
    checks->addWidget(chkString, 1, 1);
    top->addLayout(checks);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const Row& r = kRows[i];
        fraGrid[size_t(i)] = new QGroupBox(U(r.frame), this);
        auto* fl = new QGridLayout(fraGrid[size_t(i)]);
        txtGrid[size_t(i)] = new QLineEdit(fraGrid[size_t(i)]);
        txtGrid[size_t(i)]->setToolTip(QStringLiteral("度分秒で入力"));
        sliGrid[size_t(i)] = new QSlider(Qt::Horizontal, fraGrid[size_t(i)]);
        sliGrid[size_t(i)]->setToolTip(QStringLiteral("１度単位で設定"));
        sliGrid[size_t(i)]->setRange(r.sliMin, r.sliMax);
        sliGrid[size_t(i)]->setSingleStep(60);
        sliGrid[size_t(i)]->setPageStep(300);
        lblGrid[size_t(2 * i)] = new QLabel(U(r.lblLow), fraGrid[size_t(i)]);
        lblGrid[size_t(2 * i + 1)] = new QLabel(U(r.lblHigh), fraGrid[size_t(i)]);
        fl->addWidget(txtGrid[size_t(i)], 0, 0, 1, 3);
        fl->addWidget(lblGrid[size_t(2 * i)], 1, 0);
        fl->addWidget(sliGrid[size_t(i)], 1, 1);
        fl->addWidget(lblGrid[size_t(2 * i + 1)], 1, 2);
        grid->addWidget(fraGrid[size_t(i)], i / 2, i % 2);
        WidgetLib::FrameKeyToBox(fraGrid[size_t(i)], txtGrid[size_t(i)]);
        AddValidator(txtGrid[size_t(i)], [this, i] { return txtGrid_Validate(i); });
        connect(sliGrid[size_t(i)], &QSlider::valueChanged, this, [this, i] {
            if (!refreshing_) sliGrid_Scroll(i);
        });
    }
    top->addLayout(grid);

    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp);
    top->addLayout(StandardButtonRow());

    DialogGuard::OnSignal(chkGridEi, &QCheckBox::clicked, this, kName, "chkGridEi_Click", [this] {
        mGridEi = chkGridEi->isChecked();
        GridToControl();
    });
    DialogGuard::OnSignal(chkGridAuto, &QCheckBox::clicked, this, kName, "chkGridAuto_Click", [this] {
        mGridAuto = chkGridAuto->isChecked();
        GridToControl();
    });
    connect(chkOcean, &QCheckBox::clicked, this, [this] { mGridOcean = chkOcean->isChecked(); });
    connect(chkString, &QCheckBox::clicked, this, [this] { mGridString = chkString->isChecked(); });
}

int32_t frmGrid::RangeLow(int i) { return kRows[i].low; }
int32_t frmGrid::RangeHigh(int i) { return kRows[i].high; }
QString frmGrid::RangeText(int i) { return U(kRows[i].range); }

int32_t frmGrid::SnapMinutes(int32_t minutes) {
    const int32_t m = minutes >= 0 ? minutes + 15 : minutes - 15;
    return (m / 30) * 30;
}

int32_t frmGrid::SliderToValue(int i, int32_t minutes) {
    const int32_t v = SnapMinutes(minutes) * 60;
    return (i <= 1 && v == 0) ? 60 : v;
}

void frmGrid::SetValue(int i, int32_t v) {
    if (i >= 0 && i < 4) value_[size_t(i)] = v;
}

void frmGrid::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = false;
        value_ = {mGrid->Width(), mGrid->Height(), mGrid->NorthLimit(), mGrid->SouthLimit()};
        GridToControl();
    });
}

void frmGrid::GridToControl() {
    DialogGuard::Refresh(refreshing_, kName, "GridToControl", [this] {
        const bool editable = mGridEi && !mGridAuto;
        chkGridEi->setChecked(mGridEi);
        chkGridAuto->setChecked(mGridAuto);
        chkOcean->setChecked(mGridOcean);
        chkString->setChecked(mGridString);
        for (size_t i = 0; i < 4; ++i) {
            fraGrid[i]->setEnabled(editable);
            txtGrid[i]->setEnabled(editable);
            sliGrid[i]->setEnabled(editable);
            sliGrid[i]->setValue(value_[i] / 60);
            txtGrid[i]->setText(i <= 1 ? AngleLib::AngleToStr(value_[i]) : AngleLib::LatToStr(value_[i]));
        }
    });
}

bool frmGrid::txtGrid_Validate(int i) {
    int32_t v = 0;
    try {
        v = AngleLib::AngleStrToSec(txtGrid[size_t(i)]->text());
    } catch (...) {
        v = 0; // unreadable text is out of range
    }
    const bool ok = Library::InRange(v, kRows[i].low, kRows[i].high);
    if (ok) SetValue(i, v);
    else Library::MsgOutOfRange(RangeText(i));
    GridToControl();
    return ok;
}

void frmGrid::sliGrid_Scroll(int i) {
    DialogGuard::StopOnError(kName, "sliGrid_Scroll", [this, i] {
        QSlider* s = sliGrid[size_t(i)];
        SetValue(i, SliderToValue(i, s->value()));
        GridToControl();
        if (s->isSliderDown()) QToolTip::showText(QCursor::pos(), txtGrid[size_t(i)]->text(), s);
    });
}

void frmGrid::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] { WriteBack(); });
    Unload(true);
}

void frmGrid::WriteBack() {
    if (mGridAuto) {
        value_[2] = 324000;
        value_[3] = -324000;
    }
    mGrid->bZone = mGridEi;
    mGrid->bHorizontal = mGridEi;
    mGrid->bVertical = mGridEi;
    mGrid->SetWidth(value_[0]);
    mGrid->SetHeight(value_[1]);
    mGrid->SetNorthLimit(value_[2]);
    mGrid->SetSouthLimit(value_[3]);
}
