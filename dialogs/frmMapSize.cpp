#include "dialogs/frmMapSize.h"

#include "core/Library.h"
#include "dialogs/DialogGuard.h"
#include "core/PublicVal.h"
#include "render/clsView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kName = QStringLiteral("frmMapSize");
constexpr int32_t kMinSize = 32;

int32_t DefaultPrinterDpi() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return Library::ScreenDPI();
    QPrinter printer(info, QPrinter::HighResolution);
    const int dpi = printer.resolution();
    return dpi >= 1 ? dpi : Library::ScreenDPI();
}

} // namespace

std::function<int32_t()> frmMapSize::PrinterDpi = DefaultPrinterDpi;

frmMapSize::frmMapSize(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("画像サイズ"));
    SetHelpContext(230010);
    SetDefaultOk(false);

    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    choUnit = new QComboBox(this);
    choUnit->addItems({QStringLiteral("ドット"), QStringLiteral("インチ"), QStringLiteral("mm")});
    choUnit->setToolTip(QStringLiteral("幅と高さの単位"));
    txtSize[0] = new QLineEdit(this);
    txtSize[0]->setToolTip(QStringLiteral("地図ビューの横幅を選択単位で入力"));
    txtSize[1] = new QLineEdit(this);
    txtSize[1]->setToolTip(QStringLiteral("地図ビューの高さを選択単位で入力"));
    txtDPI = new QLineEdit(this);
    txtDPI->setToolTip(QStringLiteral("出力先のドットピッチ（dot/inch）"));
    auto row = [this, form](const QString& caption, QWidget* w) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(w);
        form->addRow(l, w);
    };
    row(QStringLiteral("単位(&U):"), choUnit);
    row(QStringLiteral("幅(&W):"), txtSize[0]);
    row(QStringLiteral("高さ(&T):"), txtSize[1]);
    row(QStringLiteral("ドットピッチ(&R):"), txtDPI);
    top->addLayout(form);

    auto* buttons = new QHBoxLayout;
    cmdOK = new QPushButton(QStringLiteral("ＯＫ"), this);
    cmdOK->setToolTip(QStringLiteral("設定を確定して閉じる"));
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setToolTip(QStringLiteral("設定を取り消して閉じる"));
    cmdHelp = new QPushButton(QStringLiteral("ヘルプ(&H)"), this);
    cmdHelp->setToolTip(QStringLiteral("このダイアログの解説"));
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    top->addLayout(buttons);
    SetButtons(cmdOK, cmdCancel, cmdHelp);

    AddValidator(txtDPI, [this] { return txtDPI_Validate(); });
    AddValidator(txtSize[0], [this] { return txtSize_Validate(0); });
    AddValidator(txtSize[1], [this] { return txtSize_Validate(1); });
    connect(choUnit, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (filling_) return;
        unit_ = int16_t(i);
        FillBoxes();
    });
}

QString frmMapSize::PixelsToText(int32_t pixels, int16_t unit, int32_t dpi) {
    if (dpi < 1) dpi = 1;
    const int64_t p = pixels;
    switch (unit) {
    case Inches: return Library::NumStr(double(p * 10 / dpi) / 10);
    case Millimetres: return Library::NumStr(double(p * 254 / dpi / 10));
    default: return Library::NumStr(double(pixels));
    }
}

int32_t frmMapSize::TextToPixels(const QString& text, int16_t unit, int32_t dpi) {
    double n = 0;
    try {
        n = Library::JstrToDouble(text);
    } catch (...) {
        n = 0;
    }
    switch (unit) {
    case Inches: n = dpi * n; break;
    case Millimetres: n = dpi * n / 25.4; break;
    default: break;
    }
    try {
        return Library::DblToLng(n);
    } catch (...) {
        return 0;
    }
}

int32_t frmMapSize::RequestedDpi(const QString& text) {
    const QString t = text.toLower();
    int32_t dpi = 0;
    if (t == QLatin1String("screen")) dpi = PublicVal::gvScreenDPI;
    else if (t == QLatin1String("printer")) dpi = PrinterDpi ? PrinterDpi() : 0;
    else dpi = Library::JstrToLong(text);
    if (dpi < 1) dpi = Library::ScreenDPI();
    return dpi;
}

void frmMapSize::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = false;
        dpi_ = mView->Dpi();
        width_ = mView->Width();
        height_ = mView->Height();
        filling_ = true;
        choUnit->setCurrentIndex(unit_);
        filling_ = false;
        FillBoxes();
    });
}

void frmMapSize::Form_Unload() { mView = nullptr; }

void frmMapSize::FillBoxes() {
    if (filling_) return;
    filling_ = true;
    txtDPI->setText(QString::number(dpi_));
    txtSize[0]->setText(PixelsToText(width_, unit_, dpi_));
    txtSize[1]->setText(PixelsToText(height_, unit_, dpi_));
    filling_ = false;
}

bool frmMapSize::txtDPI_Validate() {
    const int32_t dpi = RequestedDpi(txtDPI->text());
    const bool ok = Library::InRange(dpi, 48, 1440);
    if (ok) dpi_ = dpi;
    else Library::MsgOutOfRange(QStringLiteral("48～1440"));
    FillBoxes();
    return ok;
}

bool frmMapSize::txtSize_Validate(int index) {
    const int32_t px = TextToPixels(txtSize[size_t(index)]->text(), unit_, dpi_);
    const int32_t limit = index == 0 ? mView->MaxWidth() : mView->MaxHeight();
    const bool ok = Library::InRange(px, kMinSize, limit);
    if (ok) (index == 0 ? width_ : height_) = px;
    else
        Library::MsgOutOfRange(PixelsToText(kMinSize, unit_, dpi_) + QStringLiteral("～") +
                               PixelsToText(limit, unit_, dpi_));
    FillBoxes();
    return ok;
}

void frmMapSize::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] {
        mView->SetDpi(int16_t(dpi_));
        mView->SetWidth(width_);
        mView->SetHeight(height_);
    });
    Unload(true);
}
