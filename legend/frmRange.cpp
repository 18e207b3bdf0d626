#include "legend/frmRange.h"

#include "core/DialogGuard.h"
#include "core/MapProjection.h"
#include "core/Scale.h"
#include "legend/RangeSlider.h"
#include "legend/StyleMath.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolTip>
#include <QCursor>
#include <utility>

namespace {

const QString kName = QStringLiteral("frmRange");

QLabel* label(QWidget* parent, const QString& tip, int x, int y, int w)
{
    auto* l = new QLabel(parent);
    l->setToolTip(tip);
    l->setGeometry(x, y, w, 20);
    return l;
}

// A map sheet under a magnifier: what the dialog is about.
QPixmap RangePicture()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 230, 255));
    p.setPen(QColor(40, 80, 140));
    p.drawRect(4, 8, 44, 36);
    p.setBrush(QColor(150, 210, 150));
    p.drawEllipse(10, 16, 20, 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.drawEllipse(28, 26, 22, 22);
    p.drawLine(46, 46, 58, 58);
    return pm;
}

} // namespace

frmRange::frmRange(QWidget* parent)
    : DialogFrame(parent)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("可視縮尺範囲"));
    setFixedSize(372, 452);

    fraSlider = new QGroupBox(this);
    fraSlider->setToolTip(QStringLiteral("表示される縮尺範囲を設定"));
    fraSlider->setGeometry(8, 6, 150, 440);
    sliRange = new RangeSlider(fraSlider);
    sliRange->setGeometry(84, 12, 40, 418);
    sliRange->setRange(1, 53);
    sliRange->setPageStep(1);
    for (int32_t i = 0; i < 9; ++i) {
        lblLevel[i] = new QLabel(fraSlider);
        lblLevel[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    const QString largeTip = QStringLiteral("地図の縮尺がこれ以下なら表示される");
    const QString smallTip = QStringLiteral("地図の縮尺がこれ以上なら表示される");
    fraLarge = new QGroupBox(QStringLiteral("最大縮尺"), this);
    fraLarge->setToolTip(largeTip);
    fraLarge->setGeometry(168, 6, 196, 92);
    fraSmall = new QGroupBox(QStringLiteral("最小縮尺"), this);
    fraSmall->setToolTip(smallTip);
    fraSmall->setGeometry(168, 106, 196, 92);
    static const char* const kTips[4] = {"最大縮尺を大きくする", "最大縮尺を小さくする", "最小縮尺を大きくする",
                                         "最小縮尺を小さくする"};
    for (int32_t i = 0; i < 4; ++i) {
        QGroupBox* frame = i < 2 ? fraLarge : fraSmall;
        cmdRange[i] = new QPushButton(i % 2 == 0 ? QStringLiteral("▲") : QStringLiteral("▼"), frame);
        cmdRange[i]->setToolTip(QString::fromUtf8(kTips[i]));
        cmdRange[i]->setGeometry(10, i % 2 == 0 ? 24 : 56, 32, 28);
        connect(cmdRange[i], &QPushButton::clicked, this, [this, i] { Guarded("cmdRange_Click", [this, i] { cmdRange_Click(i); }); });
    }
    lblLargeVal = label(fraLarge, largeTip, 56, 28, 130);
    lblLargeStep = label(fraLarge, largeTip, 56, 60, 130);
    lblSmallVal = label(fraSmall, smallTip, 56, 28, 130);
    lblSmallStep = label(fraSmall, smallTip, 56, 60, 130);

    imgRange = new QLabel(this);
    imgRange->setPixmap(RangePicture());
    imgRange->setGeometry(232, 220, 64, 64);

    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp, true);
    cmdOK->setGeometry(214, 330, 100, 30);
    cmdCancel->setGeometry(214, 366, 100, 30);
    cmdHelp->setGeometry(214, 402, 100, 30);
    SetDefaultOk(true);
    SetHelpContext(252201);

    sliRange->MouseDown = [this](bool shift) { Guarded("sliRange_MouseDown", [this, shift] { sliRange_MouseDown(shift); }); };
    sliRange->Scroll = [this] { Guarded("sliRange_Scroll", [this] { sliRange_Scroll(); }); };
}

void frmRange::Guarded(const char* proc, const std::function<void()>& f)
{
    DialogGuard::StopOnError(kName, proc, f);
}

int32_t frmRange::LargeStep() const { return StyleMath::PosToStep(sliRange->SelStart()); }

int32_t frmRange::SmallStep() const { return LargeStep() - sliRange->SelLength(); }

void frmRange::Form_Load()
{
    Guarded("Form_Load", [this] {
        mSmall = MapProjection::LimitScale(mSmall);
        mLarge = MapProjection::LimitScale(mLarge);
        if (mSmall > mLarge)
            std::swap(mSmall, mLarge);
        const int32_t kA = Scale::StdScaleIndex(mSmall), kB = Scale::StdScaleIndex(mLarge);
        setWindowTitle(QStringLiteral("可視縮尺範囲 - ") + mName);
        {
            const QSignalBlocker block(sliRange);
            sliRange->setRange(1, 53);
            sliRange->setValue(StyleMath::StepToPos(kA));
        }
        sliRange->SetSelStart(sliRange->value());
        sliRange->SetSelLength(kA - kB);
        static constexpr int16_t kMarks[9] = {1, 8, 14, 21, 27, 34, 40, 47, 53};
        for (int32_t i = 0; i < 9; ++i) {
            lblLevel[i]->setText(QStringLiteral("1/") + Scale::StdScaleText(kMarks[i]));
            const int32_t y = sliRange->y() + sliRange->PixelOf(StyleMath::StepToPos(kMarks[i]));
            lblLevel[i]->setGeometry(4, y - 10, 76, 20);
        }
        ShowRangeLabels();
        EnableRangeButtons();
    });
}

void frmRange::ShowRangeLabels()
{
    const int32_t kL = LargeStep(), kS = SmallStep();
    lblLargeVal->setText(QStringLiteral("1/") + Scale::StdScaleText(int16_t(kL)));
    lblLargeStep->setText(QStringLiteral("ステップ：") + QString::number(kL));
    lblSmallVal->setText(QStringLiteral("1/") + Scale::StdScaleText(int16_t(kS)));
    lblSmallStep->setText(QStringLiteral("ステップ：") + QString::number(kS));
}

void frmRange::EnableRangeButtons()
{
    const int32_t start = sliRange->SelStart(), length = sliRange->SelLength();
    cmdRange[0]->setEnabled(start > sliRange->minimum());
    cmdRange[1]->setEnabled(length >= 1);
    cmdRange[2]->setEnabled(length >= 1);
    cmdRange[3]->setEnabled(start + length < sliRange->maximum());
}

void frmRange::cmdRange_Click(int32_t index)
{
    static constexpr int32_t kMoves[4][2] = {{-1, 1}, {1, -1}, {0, -1}, {0, 1}};
    if (index < 0 || index > 3)
        return;
    sliRange->SetSelStart(sliRange->SelStart() + kMoves[index][0]);
    sliRange->SetSelLength(sliRange->SelLength() + kMoves[index][1]);
    ShowRangeLabels();
    EnableRangeButtons();
}

void frmRange::sliRange_MouseDown(bool shiftOnly)
{
    shiftSel_ = shiftOnly;
    if (shiftOnly) {
        sliRange->ClearSel();
        sliRange->SetSelStart(sliRange->value());
        sliRange->SetSelLength(0);
    } else {
        sliRange->SetSelStart(sliRange->value());
        sliRange->SetSelLength(sliRange->maximum() - sliRange->value());
    }
    ShowRangeLabels();
    EnableRangeButtons();
}

void frmRange::sliRange_Scroll()
{
    const int32_t v = sliRange->value();
    if (!shiftSel_) {
        sliRange->SetSelStart(v);
        sliRange->SetSelLength(sliRange->maximum() - v);
    } else {
        // The lower end stays where the Shift-press put it.
        const int32_t e = sliRange->SelStart() + sliRange->SelLength();
        if (v <= e) {
            sliRange->SetSelLength(e - v);
            sliRange->SetSelStart(v);
        }
    }
    const QString tip = QStringLiteral("1/") + Scale::StdScaleText(int16_t(StyleMath::PosToStep(v)));
    sliRange->setToolTip(tip);
    if (sliRange->isSliderDown())
        QToolTip::showText(QCursor::pos(), tip, sliRange);
    ShowRangeLabels();
    EnableRangeButtons();
}

void frmRange::cmdOK_Click()
{
    Guarded("cmdOK_Click", [this] {
        mLarge = Scale::StdScale(int16_t(LargeStep()));
        mSmall = Scale::StdScale(int16_t(SmallStep()));
    });
    Unload(true);
}
