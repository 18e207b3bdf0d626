#include "dialogs/frmVospProjection.h"

#include "core/AngleLib.h"
#include "core/DialogGuard.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "dialogs/EntryCheck.h"
#include "platform/WidgetLib.h"
#include "render/clsMapPlot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kName = QStringLiteral("frmVospProjection");

struct BoxText {
    const char16_t* caption;
    const char16_t* tip;
};

const BoxText kArea[5] = {
    {u"全世界", u"全世界の投影に適している"},       {u"大陸程度", u"大陸程度の面積に適している"},
    {u"高緯度地帯", u"高緯度地域の投影に適している"}, {u"中緯度地帯", u"中緯度地域の投影に適している"},
    {u"低緯度地帯", u"低緯度地域の投影に適している"},
};
const BoxText kRight[7] = {
    {u"距離", u"主要な部分の距離が正しい"},   {u"面積", u"全ての部分で面積が正しい"},
    {u"角度", u"狭い部分に限れば形状が正しい"}, {u"方位", u"中心からの方位が正しい"},
    {u"大圏", u"２点間の最短コースが直線"},   {u"水平緯線", u"正軸法のとき全ての緯線が平行な水平線"},
    {u"バランス", u"全体のバランスがよい"},
};
const BoxText kForm[8] = {
    {u"円形", u"全体形状が円形"},     {u"長方形", u"全体形状が長方形"}, {u"扇形", u"全体形状が扇形"},
    {u"楕円形", u"全体形状が楕円形"}, {u"紡錘形", u"南北を1点に収束させた形状"}, {nullptr, nullptr},
    {u"タル型", u"タルのような形状"}, {u"その他", u"いずれにも属さない形状"},
};

QString U(const char16_t* s) { return QString::fromUtf16(s); }

// The projections the light source matters for.
bool HasLight(int16_t index) { return (MapProjection::PrjStatus(index) & 0x32) != 0; }

} // namespace

frmVospProjection::frmVospProjection(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("地図投影法"));
    SetHelpContext(253000);
    SetDefaultOk(false);

    auto* top = new QVBoxLayout(this);
    tbsProjection = new QTabWidget(this);
    top->addWidget(tbsProjection);

    // First tab: centre, scale, light source.
    auto* page0 = new QWidget;
    auto* p0 = new QVBoxLayout(page0);
    auto* fraCenter = new QGroupBox(QStringLiteral("地図ビュー中心点"), page0);
    fraCenter->setToolTip(QStringLiteral("地図ビューの中心地図座標"));
    auto* cl = new QGridLayout(fraCenter);
    txtLon = new QLineEdit(fraCenter);
    txtLon->setToolTip(QStringLiteral("地図ビューの中心経度を入力"));
    txtLat = new QLineEdit(fraCenter);
    txtLat->setToolTip(QStringLiteral("地図ビューの中心緯度を入力"));
    cl->addWidget(BuddyLabel(QStringLiteral("経度(&X):"), txtLon), 0, 0);
    cl->addWidget(txtLon, 0, 1);
    cl->addWidget(BuddyLabel(QStringLiteral("緯度(&Y):"), txtLat), 1, 0);
    cl->addWidget(txtLat, 1, 1);
    p0->addWidget(fraCenter);

    auto* fraScale = new QGroupBox(QStringLiteral("縮尺(&S)"), page0);
    fraScale->setToolTip(QStringLiteral("出力先での地図の縮尺"));
    auto* scl = new QHBoxLayout(fraScale);
    txtScale = new QLineEdit(fraScale);
    txtScale->setToolTip(QStringLiteral("縮尺の分母を入力"));
    scl->addWidget(new QLabel(QStringLiteral("1 /"), fraScale));
    scl->addWidget(txtScale, 1);
    p0->addWidget(fraScale);

    fraAltitude = new QGroupBox(QStringLiteral("光源高度(&Z)"), page0);
    fraAltitude->setToolTip(QStringLiteral("光源から地表までの距離"));
    auto* al = new QGridLayout(fraAltitude);
    txtAltitude = new QLineEdit(fraAltitude);
    txtAltitude->setToolTip(QStringLiteral("光源から地表までの距離を入力"));
    sliAltitude = new QSlider(Qt::Horizontal, fraAltitude);
    sliAltitude->setToolTip(QStringLiteral("光源から地表までの距離を設定"));
    sliAltitude->setTickPosition(QSlider::TicksBelow);
    lblAltitude[0] = new QLabel(QStringLiteral("km"), fraAltitude);
    lblAltitude[1] = new QLabel(fraAltitude);
    lblAltitude[2] = new QLabel(fraAltitude);
    al->addWidget(txtAltitude, 0, 0, 1, 2);
    al->addWidget(lblAltitude[0], 0, 2);
    al->addWidget(lblAltitude[1], 1, 0);
    al->addWidget(sliAltitude, 1, 1);
    al->addWidget(lblAltitude[2], 1, 2);
    p0->addWidget(fraAltitude);
    p0->addStretch();
    WidgetLib::FrameKeyToBox(fraScale, txtScale);
    WidgetLib::FrameKeyToBox(fraAltitude, txtAltitude);
    tbsProjection->addTab(page0, QStringLiteral("投影条件(&C)"));
    tbsProjection->setTabToolTip(0, QStringLiteral("中心座標・縮尺・光源距離"));

    // Second tab: the projection and its filter.
    auto* page1 = new QWidget;
    auto* p1 = new QVBoxLayout(page1);
    chkPrjAuto = new QCheckBox(QStringLiteral("自動選択(&A)"), page1);
    chkPrjAuto->setToolTip(QStringLiteral("中心緯度と縮尺により自動選択"));
    p1->addWidget(chkPrjAuto);
    lblPrjList = new QLabel(page1);
    choPrjList = new QComboBox(page1);
    choPrjList->setToolTip(QStringLiteral("条件に合致する図法をリストから選択"));
    lblPrjList->setBuddy(choPrjList);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(lblPrjList);
    listRow->addWidget(choPrjList, 1);
    p1->addLayout(listRow);
    auto* btnRow = new QHBoxLayout;
    cmdPrjGuide = new QPushButton(QStringLiteral("解説(&G)"), page1);
    cmdPrjGuide->setToolTip(QStringLiteral("この図法の解説を読む"));
    cmdPrjReset = new QPushButton(QStringLiteral("リセット(&R)"), page1);
    cmdPrjReset->setToolTip(QStringLiteral("条件を解除して全ての図法をリストアップする"));
    btnRow->addStretch();
    btnRow->addWidget(cmdPrjGuide);
    btnRow->addWidget(cmdPrjReset);
    p1->addLayout(btnRow);

    const char16_t* frameCaptions[3] = {u"全体形状(&S)", u"正性質(&Q)", u"地図化領域(&T)"};
    const char16_t* frameTips[3] = {u"全世界を投影したときの形状（いずれかに合致するもの）",
                                    u"正しく表現できる性質（すべてに合致するもの）",
                                    u"表示したい領域の広さと緯度帯（いずれかに合致するもの）"};
    auto* conditions = new QHBoxLayout;
    for (int g = 2; g >= 0; --g) {
        fraCondition[size_t(g)] = new QGroupBox(U(frameCaptions[g]), page1);
        fraCondition[size_t(g)]->setToolTip(U(frameTips[g]));
        auto* fl = new QVBoxLayout(fraCondition[size_t(g)]);
        const BoxText* boxes = g == Area ? kArea : g == Right ? kRight : kForm;
        const int n = g == Area ? 5 : g == Right ? 7 : 8;
        for (int k = 0; k < n; ++k) {
            if (!boxes[k].caption) continue;
            auto* c = new QCheckBox(U(boxes[k].caption), fraCondition[size_t(g)]);
            c->setToolTip(U(boxes[k].tip));
            fl->addWidget(c);
            if (g == Area) chkArea[size_t(k)] = c;
            else if (g == Right) chkRight[size_t(k)] = c;
            else chkForm[size_t(k)] = c;
            connect(c, &QCheckBox::clicked, this, [this, g, k] { chkCondition_Click(Group(g), k); });
        }
        fl->addStretch();
        conditions->addWidget(fraCondition[size_t(g)]);
    }
    p1->addLayout(conditions);
    tbsProjection->addTab(page1, QStringLiteral("図法(&P)"));
    tbsProjection->setTabToolTip(1, QStringLiteral("地図投影法のタイプ"));

    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp);
    top->addLayout(StandardButtonRow());

    AddValidator(txtLon, [this] { return txtLon_Validate(); });
    AddValidator(txtLat, [this] { return txtLat_Validate(); });
    AddValidator(txtScale, [this] { return txtScale_Validate(); });
    AddValidator(txtAltitude, [this] { return txtAltitude_Validate(); });
    connect(tbsProjection, &QTabWidget::currentChanged, this, [this](int i) {
        if (!refreshing_) tbsProjection_Click(i + 1);
    });
    connect(sliAltitude, &QSlider::valueChanged, this, [this] {
        if (!refreshing_) sliAltitude_Scroll();
    });
    connect(chkPrjAuto, &QCheckBox::clicked, this, [this] {
        auto_ = chkPrjAuto->isChecked();
        ToControl();
    });
    connect(choPrjList, &QComboBox::activated, this, [this] { choPrjList_Click(); });
    connect(cmdPrjGuide, &QPushButton::clicked, this, [this] { cmdPrjGuide_Click(); });
    connect(cmdPrjReset, &QPushButton::clicked, this, [this] { cmdPrjReset_Click(); });
}

int32_t frmVospProjection::ConditionBit(Group group, int k) {
    const int32_t base = group == Form ? 256 : group == Right ? 65536 : 16777216;
    return int32_t(uint32_t(1) << k) * base;
}

QStringList frmVospProjection::FilteredNames(int32_t mask) {
    QStringList names;
    if (mask == 0) {
        for (int16_t i = 1; i <= 30; ++i) {
            const QString n = MapProjection::PrjName(i);
            if (!n.isEmpty()) names << n;
        }
    } else {
        for (int i : MapProjection::PrjListByStatus(mask)) names << MapProjection::PrjName(int16_t(i));
    }
    return names;
}

QString frmVospProjection::ListCaption(int count) {
    return QStringLiteral("図法(&L): [") + QString::number(count) + QStringLiteral("/25]");
}

QString frmVospProjection::AltitudeText(double light) {
    const double km = std::floor(MapProjection::LightToAltitude(light) / 1000 + 0.5);
    return Library::FormatStdInt(km) + QStringLiteral("km");
}

int frmVospProjection::SliderStep(const std::vector<double>& steps, double altitude) {
    for (int i = int(steps.size()) - 1; i >= 1; --i)
        if (steps[size_t(i)] <= altitude) return i;
    return 1;
}

QCheckBox* frmVospProjection::Box(Group group, int k) const {
    if (group == Area) return chkArea[size_t(k)];
    if (group == Right) return chkRight[size_t(k)];
    return chkForm[size_t(k)];
}

void frmVospProjection::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = false;
        if (!mPlot) return;
        lon_ = mPlot->CenterX();
        lat_ = mPlot->CenterY();
        scale_ = mPlot->MapScale();
        light_ = mPlot->Light();
        auto_ = mPlot->Options().mProjectionAuto;
        prj_ = mPlot->ProjectionIndex();
        steps_ = MapProjection::AltitudeSteps();
        const int last = std::max(0, int(steps_.size()) - 1);
        {
            const QSignalBlocker block(sliAltitude);
            sliAltitude->setRange(0, last);
            sliAltitude->setTickInterval(std::max(1, last / 4));
        }
        if (!steps_.empty()) {
            lblAltitude[1]->setText(Library::FormatStdInt(std::nearbyint(steps_.front() / 1000)) + QStringLiteral("km"));
            lblAltitude[2]->setText(Library::FormatStdInt(std::nearbyint(steps_.back() / 1000)) + QStringLiteral("km"));
        }
        // The tab without the click's check: the focused entry still holds
        // the text of the last opening, not the engine's value.
        ShowTab(tab_);
        FillPrjList();
    });
}

void frmVospProjection::Form_Unload() {
    steps_.clear();
    mPlot = nullptr;
}

void frmVospProjection::FillPrjList() {
    const QStringList names = FilteredNames(mask_);
    {
        const QSignalBlocker block(choPrjList);
        choPrjList->clear();
        choPrjList->addItems(names);
        lblPrjList->setText(ListCaption(int(names.size())));
        if (names.isEmpty()) choPrjList->addItem(NoneText());
        WidgetLib::SelectComboText(choPrjList, MapProjection::PrjName(prj_));
    }
    choPrjList_Click();
}

void frmVospProjection::ToControl() {
    DialogGuard::Refresh(refreshing_, kName, "ToControl", [this] {
        txtLon->setText(AngleLib::LonToStr(lon_));
        txtLat->setText(AngleLib::LatToStr(lat_));
        txtScale->setText(Library::FormatStdInt(scale_));
        const bool light = HasLight(prj_);
        fraAltitude->setEnabled(light);
        sliAltitude->setEnabled(light);
        txtAltitude->setEnabled(light);
        for (QLabel* l : lblAltitude) l->setEnabled(light);
        txtAltitude->setText(AltitudeText(light_));
        sliAltitude->setValue(SliderStep(steps_, MapProjection::LightToAltitude(light_)));
        chkPrjAuto->setChecked(auto_);
        for (int g = 0; g < 3; ++g)
            for (int k = 0; k < 8; ++k) {
                if (g == Area && k >= 5) break;
                if (g == Right && k >= 7) break;
                if (QCheckBox* c = Box(Group(g), k)) c->setChecked((mask_ & ConditionBit(Group(g), k)) != 0);
            }
        const bool manual = !auto_;
        choPrjList->setEnabled(manual);
        cmdPrjGuide->setEnabled(manual);
        cmdPrjReset->setEnabled(manual);
        for (QGroupBox* f : fraCondition) f->setEnabled(manual);
    });
}

void frmVospProjection::tbsProjection_Click(int index) {
    ValidateEntry(focusWidget());
    ShowTab(index - 1);
}

void frmVospProjection::ShowTab(int tab) {
    tab_ = tab;
    if (tbsProjection->currentIndex() != tab_) {
        const QSignalBlocker block(tbsProjection);
        tbsProjection->setCurrentIndex(tab_);
    }
    ToControl();
}

void frmVospProjection::chkCondition_Click(Group group, int k) {
    const int32_t bit = ConditionBit(group, k);
    if (Box(group, k)->isChecked()) mask_ |= bit;
    else mask_ &= ~bit;
    FillPrjList();
}

bool frmVospProjection::txtLon_Validate() {
    const bool ok = EntryCheck::Longitude(txtLon->text(), lon_);
    ToControl();
    return ok;
}

bool frmVospProjection::txtLat_Validate() {
    const bool ok = EntryCheck::Latitude(txtLat->text(), lat_);
    ToControl();
    return ok;
}

bool frmVospProjection::txtScale_Validate() {
    const bool ok = EntryCheck::Scale(txtScale->text(), scale_);
    ToControl();
    return ok;
}

bool frmVospProjection::txtAltitude_Validate() {
    double v = 0;
    try {
        v = Library::StrToMeter(txtAltitude->text(), QStringLiteral("km"));
    } catch (...) {
        v = 0;
    }
    bool ok = !steps_.empty() && Library::VarInRange(v, steps_.front(), steps_.back());
    if (ok) light_ = MapProjection::AltitudeToLight(v);
    else if (!steps_.empty())
        EntryCheck::SayRange(QString::number(std::floor(steps_.front() / 1000), 'f', 0),
                             QString::number(std::floor(steps_.back() / 1000), 'f', 0));
    ToControl();
    return ok;
}

void frmVospProjection::sliAltitude_Scroll() {
    const int i = sliAltitude->value();
    if (i < 0 || size_t(i) >= steps_.size()) return;
    light_ = MapProjection::AltitudeToLight(steps_[size_t(i)]);
    ToControl();
    if (sliAltitude->isSliderDown()) QToolTip::showText(QCursor::pos(), txtAltitude->text(), sliAltitude);
}

void frmVospProjection::choPrjList_Click() {
    const int index = MapProjection::PrjNameToIndex(choPrjList->currentText());
    if (index >= 1) prj_ = int16_t(index);
    ToControl();
}

void frmVospProjection::cmdPrjGuide_Click() {
    const int32_t id = MapProjection::PrjHelpID(int16_t(MapProjection::PrjNameToIndex(choPrjList->currentText())));
    if (id > 0) ShowHelp(id);
}

void frmVospProjection::cmdPrjReset_Click() {
    mask_ = 0;
    ToControl();
    FillPrjList();
}

void frmVospProjection::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] {
        mPlot->SetCenterX(lon_);
        mPlot->SetCenterY(lat_);
        mPlot->SetMapScale(scale_);
        mPlot->SetLight(light_);
        mPlot->SetProjectionAuto(auto_);
        mPlot->SetProjectionIndex(prj_);
    });
    Unload(true);
}
