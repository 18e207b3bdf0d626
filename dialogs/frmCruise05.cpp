#include "dialogs/frmCruise05.h"

#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/Scale.h"
#include "dialogs/EntryCheck.h"
#include "cruise/clsCruise05.h"
#include "platform/UiServices.h"
#include "render/clsMapPlot.h"

#include <QCheckBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("frmCruise05");

} // namespace

frmCruise05::frmCruise05(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("クルーズ設定"));
    SetHelpContext(230006);
    SetDefaultOk(false);

    auto* top = new QHBoxLayout(this);
    auto* fraScale = new QGroupBox(QStringLiteral("縮尺レベルの境界"), this);
    auto* sg = new QGridLayout(fraScale);
    sg->setVerticalSpacing(2);
    int row = 0;
    for (int k = 0; k <= 8; ++k) {
        lblNumerator[size_t(k)] = new QLabel(fraScale);
        if (k >= 1 && k <= 7) {
            lblNumerator[size_t(k)]->setText(QStringLiteral("-------- (&%1)  1 /").arg(k));
            txtScale[size_t(k)] = new QLineEdit(fraScale);
            txtScale[size_t(k)]->setAlignment(Qt::AlignRight);
            lblNumerator[size_t(k)]->setBuddy(txtScale[size_t(k)]);
            sliScale[size_t(k)] = new QSlider(Qt::Horizontal, fraScale);
            sliScale[size_t(k)]->setRange(1, 53);
            sg->addWidget(lblNumerator[size_t(k)], row, 0);
            sg->addWidget(txtScale[size_t(k)], row, 1);
            sg->addWidget(sliScale[size_t(k)], row, 2);
            AddValidator(txtScale[size_t(k)], [this, k] { return txtScale_Validate(k); });
            connect(sliScale[size_t(k)], &QSlider::valueChanged, this, [this, k] {
                if (!toControl_) sliScale_Scroll(k);
            });
        } else {
            sg->addWidget(lblNumerator[size_t(k)], row, 0, 1, 3);
        }
        ++row;
        if (k < 8) sg->addWidget(new QLabel(QStringLiteral("レベル%1").arg(k + 1), fraScale), row++, 0);
    }
    cmdDefScale = new QPushButton(QStringLiteral("標準値(&D)"), fraScale);
    sg->addWidget(cmdDefScale, row, 2, Qt::AlignRight);
    top->addWidget(fraScale);

    auto* side = new QVBoxLayout;
    chkReplace = new QCheckBox(QStringLiteral("小縮尺地図による代用許可(&R)"), this);
    side->addWidget(chkReplace);
    auto* fraType = new QGroupBox(QStringLiteral("地図の種類"), this);
    auto* tl = new QVBoxLayout(fraType);
    optType[0] = new QRadioButton(QStringLiteral("行政図(&P)"), fraType);
    optType[1] = new QRadioButton(QStringLiteral("地形図(&T)"), fraType);
    tl->addWidget(optType[0]);
    tl->addWidget(optType[1]);
    side->addWidget(fraType);
    auto* fraOption = new QGroupBox(QStringLiteral("オプション"), this);
    auto* ol = new QVBoxLayout(fraOption);
    chkOcean = new QCheckBox(QStringLiteral("海底地形図(&O)"), fraOption);
    chkTraffic = new QCheckBox(QStringLiteral("交通図(&C)"), fraOption);
    ol->addWidget(chkOcean);
    ol->addWidget(chkTraffic);
    side->addWidget(fraOption);
    chkAuto = new QCheckBox(QStringLiteral("オートクルーズ(&A)"), this);
    side->addWidget(chkAuto);
    side->addStretch();
    cmdExe = new QPushButton(QStringLiteral("更新実行(&E)"), this);
    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp);
    for (QPushButton* b : {cmdExe, cmdOK, cmdCancel, cmdHelp}) side->addWidget(b);
    top->addLayout(side);

    connect(cmdDefScale, &QPushButton::clicked, this, [this] { cmdDefScale_Click(); });
    DialogGuard::OnSignal(cmdExe, &QPushButton::clicked, this, kName, "cmdExe_Click", [this] { cmdExe_Click(); });
}

frmCruise05::Enabling frmCruise05::EnablingOf(int32_t m) {
    Enabling e{};
    e.political = (m & 0x18007E) != 0;
    e.topographic = (m & 0x601F80) != 0;
    e.ocean = (m & 0x1) != 0;
    e.traffic = (m & 0x187E000) != 0;
    e.autoCruise = (m & 126) == 126 || (m & 0x780) == 0x780 || (m & 0x180000) == 0x180000;
    return e;
}

QString frmCruise05::FixedBorderText(int index) {
    const double scale = index == 0 ? MapProjection::ScaleMax : MapProjection::ScaleMin;
    return QStringLiteral("-------       1 /  ") + Library::FormatStdInt(scale);
}

void frmCruise05::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = 0;
        lblNumerator[8]->setText(FixedBorderText(8));
        lblNumerator[0]->setText(FixedBorderText(0));
        const Enabling e = EnablingOf(mCruise->GetStdMapList());
        optType[0]->setEnabled(e.political);
        optType[1]->setEnabled(e.topographic);
        chkOcean->setEnabled(e.ocean);
        chkTraffic->setEnabled(e.traffic);
        chkAuto->setEnabled(e.autoCruise);
        CruiseToControl();
    });
}

void frmCruise05::Form_Unload() {
    mUnits = nullptr;
    mCruise = nullptr;
    mPlot = nullptr;
}

void frmCruise05::CruiseToControl() {
    DialogGuard::Refresh(toControl_, kName, "CruiseToControl", [this] {
        for (int16_t k = 1; k <= 7; ++k) {
            sliScale[size_t(k)]->setValue(Scale::StdScaleIndex(mCruise->BorderScale(k)));
            txtScale[size_t(k)]->setText(Library::FormatStdInt(mCruise->BorderScale(k)));
        }
        chkReplace->setChecked(mCruise->mEiReplace);
        optType[mCruise->mEiTopo ? 1 : 0]->setChecked(true);
        chkOcean->setChecked(mCruise->mEiOcean);
        chkTraffic->setChecked(mCruise->mEiTraffic);
        chkAuto->setChecked(mCruise->mEiAuto);
    });
}

void frmCruise05::ControlToCruise() {
    if (toCruise_) return;
    toCruise_ = true;
    // A step that fails is skipped; the others still run.
    for (int16_t k = 1; k <= 7; ++k) {
        try {
            mCruise->SetBorderScale(k, Library::JstrToDouble(txtScale[size_t(k)]->text()));
        } catch (...) {
        }
    }
    mCruise->mEiReplace = chkReplace->isChecked();
    mCruise->mEiTopo = optType[1]->isChecked();
    mCruise->mEiOcean = chkOcean->isChecked();
    mCruise->mEiTraffic = chkTraffic->isChecked();
    mCruise->mEiAuto = chkAuto->isChecked();
    toCruise_ = false;
}

bool frmCruise05::txtScale_Validate(int k) {
    const int16_t step = Scale::StdScaleIndex(EntryCheck::Number(txtScale[size_t(k)]->text()));
    QSlider* s = sliScale[size_t(k)];
    if (step >= 1 && step <= 53) {
        const QSignalBlocker block(s);
        s->setValue(step);
        return true;
    }
    txtScale[size_t(k)]->setText(Library::FormatStdInt(Scale::StdScale(int16_t(s->value()))));
    return false;
}

void frmCruise05::sliScale_Scroll(int k) {
    QSlider* s = sliScale[size_t(k)];
    const int16_t step = int16_t(s->value());
    txtScale[size_t(k)]->setText(Library::FormatStdInt(Scale::StdScale(step)));
    if (s->isSliderDown()) QToolTip::showText(QCursor::pos(), QStringLiteral("1/") + Scale::StdScaleText(step), s);
}

void frmCruise05::cmdDefScale_Click() {
    for (int16_t k = 1; k <= 7; ++k) {
        txtScale[size_t(k)]->setText(Library::FormatStdInt(mCruise->StdBorderScale(k)));
        txtScale_Validate(k);
    }
}

void frmCruise05::cmdExe_Click() {
    {
        Library::BusyPointer wait;
        ControlToCruise();
        clsRect field = mPlot->Field();
        mCruise->Cruise(mPlot->MapScale(), &field, mUnits);
    }
    mResult = 2;
    Unload(true);
}

void frmCruise05::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] { ControlToCruise(); });
    mResult = 1;
    Unload(true);
}

void frmCruise05::cmdCancel_Click() {
    mResult = 0;
    Unload(false);
}
