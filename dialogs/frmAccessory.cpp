#include "dialogs/frmAccessory.h"

#include "core/AppHost.h"
#include "core/DialogGuard.h"
#include "dialogs/ColorFaceButton.h"
#include "platform/UiServices.h"
#include "render/clsAccessory.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

const QString kName = QStringLiteral("frmAccessory");

struct Row {
    const char16_t* caption;
    const char16_t* tip;
    const char16_t* colorTip;
    const char16_t* textTip;
    const char16_t* fontTip;
};

const Row kRows[8] = {
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {u"背景(&G)", u"コメント部分の背景を塗りつぶす", u"背景の色", nullptr, nullptr},
    {u"フレーム(&F)", u"全体を囲む枠線を描く", u"フレームの色", nullptr, nullptr},
    {u"距離尺(&M)", u"距離尺を付ける", u"距離尺の色", u"縮尺値文字列(\"*\"なら出力縮尺)", u"距離尺のフォント"},
    {u"タイトル(&I)", u"地図にタイトルを書き加える", u"タイトルの文字色", u"タイトルとして記述する文章",
     u"タイトルのフォント"},
    {u"コメント(&C)", u"地図に説明を書き加える", u"コメントの文字色",
     u"コメントとして記述する文章(\"*\" なら図法名)", u"コメントのフォント"},
    {u"センター(&N)", u"中心の十字線を描く", u"センターマーカーの色", nullptr, nullptr},
    {u"高度凡例(&V)", u"高度段彩凡例を付ける", u"高度凡例目盛の色", nullptr, u"高度凡例目盛のフォント"},
};

QString U(const char16_t* s) { return QString::fromUtf16(s); }

// Wide enough to show the whole text (up to half the screen), never
// narrower than the usual entry.
void FitText(QLineEdit* e) {
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QMargins m = e->textMargins();
    // The entry keeps a small margin on each side of the text and room for
    // the cursor.
    const int text = e->fontMetrics().horizontalAdvance(e->text()) + m.left() + m.right() + 2 * 2 + 1;
    const QSize want = e->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text, e->sizeHint().height()), e);
    int limit = 640;
    if (const QScreen* s = e->screen()) limit = s->availableGeometry().width() / 2;
    e->setMinimumWidth(std::min(limit, std::max(want.width(), e->sizeHint().width())));
}

} // namespace

frmAccessory::frmAccessory(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("アクセサリ"));
    SetHelpContext(250003);
    SetDefaultOk(false);

    auto* top = new QVBoxLayout(this);
    auto* fraTable = new QGroupBox(QStringLiteral("アイテムリスト"), this);
    auto* tl = new QGridLayout(fraTable);
    for (int i = 1; i <= 7; ++i) {
        const Row& r = kRows[i];
        chkAcsItem[size_t(i)] = new QCheckBox(U(r.caption), fraTable);
        chkAcsItem[size_t(i)]->setToolTip(U(r.tip));
        tl->addWidget(chkAcsItem[size_t(i)], i, 0);
        cmdAcsColor[size_t(i)] = new ColorFaceButton(fraTable);
        cmdAcsColor[size_t(i)]->setToolTip(U(r.colorTip));
        cmdAcsColor[size_t(i)]->setFixedWidth(40);
        tl->addWidget(cmdAcsColor[size_t(i)], i, 1);
        if (r.textTip) {
            txtAcs[size_t(i)] = new QLineEdit(fraTable);
            txtAcs[size_t(i)]->setToolTip(U(r.textTip));
            txtAcs[size_t(i)]->installEventFilter(this);
            tl->addWidget(txtAcs[size_t(i)], i, 2);
        }
        if (r.fontTip) {
            cmdAcsFont[size_t(i)] = new QPushButton(fraTable);
            cmdAcsFont[size_t(i)]->setToolTip(U(r.fontTip));
            tl->addWidget(cmdAcsFont[size_t(i)], i, 3);
            DialogGuard::OnSignal(cmdAcsFont[size_t(i)], &QPushButton::clicked, this, kName, "cmdAcsFont_Click",
                                  [this, i] { cmdAcsFont_Click(i); });
        }
        DialogGuard::OnSignal(chkAcsItem[size_t(i)], &QCheckBox::clicked, this, kName, "chkAcsItem_Click",
                              [this, i] { chkAcsItem_Click(i); });
        DialogGuard::OnSignal(cmdAcsColor[size_t(i)], &QPushButton::clicked, this, kName, "cmdAcsColor_Click",
                              [this, i] { cmdAcsColor_Click(i); });
    }
    tl->setColumnStretch(2, 1);
    top->addWidget(fraTable);

    auto* lower = new QHBoxLayout;
    chkAcsEi = new QCheckBox(QStringLiteral("表示許可(&E)"), this);
    chkAcsEi->setToolTip(QStringLiteral("アクセサリの表示を許可"));
    lower->addWidget(chkAcsEi);
    auto* fraPosition = new QGroupBox(QStringLiteral("配置位置"), this);
    fraPosition->setToolTip(QStringLiteral("メジャー、タイトル、コメントを表示する位置"));
    auto* pl = new QHBoxLayout(fraPosition);
    optAcsPosition[0] = new QRadioButton(QStringLiteral("上部(&T)"), fraPosition);
    optAcsPosition[0]->setToolTip(QStringLiteral("地図の上部に置く"));
    optAcsPosition[1] = new QRadioButton(QStringLiteral("下部(&B)"), fraPosition);
    optAcsPosition[1]->setToolTip(QStringLiteral("地図の下部に置く"));
    pl->addWidget(optAcsPosition[0]);
    pl->addWidget(optAcsPosition[1]);
    lower->addWidget(fraPosition);
    lower->addStretch();
    top->addLayout(lower);

    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp, true);
    top->addLayout(StandardButtonRow());

    InputRealColor = [](int32_t initial) { return Host().InputRealColor(initial); };
    InputFont = [](QFont& font) {
        FontChoice c{font.family(), float(font.pointSizeF()), font.bold(), font.italic()};
        if (!Host().InputFont(c)) return false;
        font.setFamily(c.name);
        if (c.size > 0) font.setPointSizeF(double(c.size));
        font.setBold(c.bold);
        font.setItalic(c.italic);
        return true;
    };

    connect(chkAcsEi, &QCheckBox::clicked, this, [this] { mAcsEi = chkAcsEi->isChecked(); });
    for (int i = 0; i < 2; ++i)
        connect(optAcsPosition[size_t(i)], &QRadioButton::clicked, this, [this, i] { position_ = i; });
}

void frmAccessory::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = false;
        SetKeyPreview(true);
        position_ = mAcsObj->Position();
        for (int i = 1; i <= 7; ++i) {
            mAcsObj->SetIndex(i);
            AcsItem& w = items_[size_t(i)];
            w.Status = mAcsObj->Status();
            w.Use = mAcsObj->Use();
            w.Color = mAcsObj->Color();
            w.Font = mAcsObj->Font() ? QFont(*mAcsObj->Font()) : QFont();
            w.Text = mAcsObj->Text();
        }
        ToControl();
    });
}

void frmAccessory::Form_Unload() {
    items_ = {};
    mAcsObj = nullptr;
}

void frmAccessory::ToControl() {
    DialogGuard::Refresh(refreshing_, kName, "ToControl", [this] {
        chkAcsEi->setChecked(mAcsEi);
        optAcsPosition[position_ == 1 ? 1 : 0]->setChecked(true);
        for (size_t i = 1; i <= 7; ++i) {
            const AcsItem& w = items_[i];
            chkAcsItem[i]->setChecked(w.Use);
            cmdAcsColor[i]->setVisible((w.Status & clsAccessory::HasColor) != 0);
            if (w.Status & clsAccessory::HasColor) {
                cmdAcsColor[i]->SetColor(w.Color);
                cmdAcsColor[i]->setEnabled(w.Use);
            }
            if (cmdAcsFont[i] && (w.Status & clsAccessory::HasFont)) {
                cmdAcsFont[i]->setText(w.Font.family());
                cmdAcsFont[i]->setEnabled(w.Use);
            }
            if (txtAcs[i] && (w.Status & clsAccessory::HasText)) {
                // From its start: a long text would otherwise show only its tail.
                if (txtAcs[i]->text() != w.Text) {
                    txtAcs[i]->setText(w.Text);
                    txtAcs[i]->setCursorPosition(0);
                }
                FitText(txtAcs[i]);
                txtAcs[i]->setEnabled(w.Use);
            }
        }
    });
}

void frmAccessory::chkAcsItem_Click(int i) {
    // A box in its third state counts as on.
    items_[size_t(i)].Use = chkAcsItem[size_t(i)]->checkState() != Qt::Unchecked;
    ToControl();
}

void frmAccessory::cmdAcsColor_Click(int i) {
    if (InputRealColor) {
        const int32_t c = InputRealColor(items_[size_t(i)].Color);
        if (c >= 0) items_[size_t(i)].Color = c;
    }
    ToControl();
}

void frmAccessory::cmdAcsFont_Click(int i) {
    if (InputFont) InputFont(items_[size_t(i)].Font);
    ToControl();
}

bool frmAccessory::eventFilter(QObject* watched, QEvent* e) {
    for (size_t i = 1; i <= 7; ++i) {
        if (!txtAcs[i] || watched != txtAcs[i]) continue;
        // Enter moves the focus to OK from every control but the item
        // texts, which keep it.
        if (e->type() == QEvent::FocusIn) SetKeyPreview(false);
        if (e->type() == QEvent::FocusOut) {
            items_[i].Text = txtAcs[i]->text();
            SetKeyPreview(true);
        }
    }
    return DialogFrame::eventFilter(watched, e);
}

void frmAccessory::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] {
        // An entry that still has the focus has not handed over its text;
        // every other one holds its working text already.
        for (size_t i = 1; i <= 7; ++i)
            if (txtAcs[i]) items_[i].Text = txtAcs[i]->text();
        mAcsObj->SetPosition(position_);
        for (int i = 1; i <= 7; ++i) {
            const AcsItem& w = items_[size_t(i)];
            mAcsObj->SetIndex(i);
            mAcsObj->SetUse(w.Use);
            mAcsObj->SetColor(w.Color);
            mAcsObj->SetFont(std::make_shared<QFont>(w.Font));
            mAcsObj->SetText(w.Text);
        }
    });
    Unload(true);
}
