#include "dialogs/frmMapSize.h"

#include "core/DialogGuard.h"
#include "core/Library.h"
#include "dialogs/EntryCheck.h"
#include "core/PublicVal.h"
#include "render/clsView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString kName = QStringLiteral("frmMapSize");

int32_t DefaultPrinterDpi() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return Library::ScreenDPI();
    QPrinter printer(info, QPrinter::HighResolution);
    const int dpi = printer.resolution();
    return dpi >= 1 ? dpi : Library::ScreenDPI();
}

// Inches and millimetres are shown in steps of a tenth of an inch and of a
// millimetre (10 / 254 inch): `dpi` x `per` / `in` pixels a step.
struct Step {
    int64_t per, in;
};

Step StepOf(int16_t unit) { return unit == frmMapSize::Inches ? Step{1, 10} : Step{10, 254}; }

int64_t FloorDiv(int64_t n, int64_t d) { return n / d - (n % d != 0 && n < 0); }
int64_t CeilDiv(int64_t n, int64_t d) { return n / d + (n % d != 0 && n > 0); }

// The steps that `pixels` make, cut short as the box shows them.
int64_t StepsIn(int64_t pixels, int16_t unit, int32_t dpi) {
    const Step s = StepOf(unit);
    return FloorDiv(pixels * s.in, int64_t(dpi) * s.per);
}

// The fewest pixels that show as `steps`: every step is wider than a pixel,
// so each has its own.
int64_t PixelsOf(int64_t steps, int16_t unit, int32_t dpi) {
    const Step s = StepOf(unit);
    return CeilDiv(steps * dpi * s.per, s.in);
}

QString StepText(int64_t steps, int16_t unit) {
    return Library::NumStr(unit == frmMapSize::Inches ? double(steps) / 10 : double(steps));
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
    auto row = [form](const QString& caption, QWidget* w) { form->addRow(BuddyLabel(caption, w), w); };
    row(QStringLiteral("単位(&U):"), choUnit);
    row(QStringLiteral("幅(&W):"), txtSize[0]);
    row(QStringLiteral("高さ(&T):"), txtSize[1]);
    row(QStringLiteral("ドットピッチ(&R):"), txtDPI);
    top->addLayout(form);

    MakeStandardButtons(cmdOK, cmdCancel, cmdHelp, true);
    top->addLayout(StandardButtonRow());

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
    if (unit != Inches && unit != Millimetres) return Library::NumStr(double(pixels));
    return StepText(StepsIn(pixels, unit, dpi), unit);
}

QString frmMapSize::PixelsToTextUp(int32_t pixels, int16_t unit, int32_t dpi) {
    if (dpi < 1) dpi = 1;
    if (unit != Inches && unit != Millimetres) return Library::NumStr(double(pixels));
    return StepText(StepsIn(int64_t(pixels) - 1, unit, dpi) + 1, unit);
}

QString frmMapSize::SizeText(int32_t pixels, int32_t limit, int16_t unit, int32_t dpi) {
    if (pixels > limit) return PixelsToText(limit, unit, dpi);
    const QString text = PixelsToText(pixels, unit, dpi);
    const QString least = PixelsToTextUp(clsView::MinSize, unit, dpi);
    return text.toDouble() < least.toDouble() ? least : text;
}

int32_t frmMapSize::TextToPixels(const QString& text, int16_t unit, int32_t dpi) {
    if (dpi < 1) dpi = 1;
    const double n = EntryCheck::Number(text);
    try {
        if (unit != Inches && unit != Millimetres) return Library::DblToLng(n);
        // Taken at the precision the box shows, as the pixels that show it:
        // the nearest pixels would show a step less about half the time.
        const int32_t steps = Library::DblToLng(unit == Inches ? n * 10 : n);
        return int32_t(std::clamp<int64_t>(PixelsOf(steps, unit, dpi), INT32_MIN, INT32_MAX));
    } catch (...) {
        return 0;
    }
}

int32_t frmMapSize::RequestedDpi(const QString& text, bool* fromScreen) {
    const QString t = text.toLower();
    int32_t dpi = 0;
    bool screen = false;
    if (t == QLatin1String("screen")) {
        dpi = PublicVal::gvScreenDPI;
        screen = PublicVal::gvScreenDPIFromScreen;
    } else if (t == QLatin1String("printer")) {
        dpi = PrinterDpi ? PrinterDpi() : 0;
    } else {
        dpi = Library::JstrToLong(text);
    }
    if (dpi < 1) {
        dpi = Library::ScreenDPI();
        screen = true;
    }
    if (fromScreen) *fromScreen = screen;
    return dpi;
}

void frmMapSize::Form_Load() {
    DialogGuard::StopOnError(kName, "Form_Load", [this] {
        mResult = false;
        dpi_ = mView->Dpi();
        dpiFromScreen_ = mView->DpiFromScreen();
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
    shown_[0] = SizeText(width_, mView ? mView->MaxWidth() : width_, unit_, dpi_);
    shown_[1] = SizeText(height_, mView ? mView->MaxHeight() : height_, unit_, dpi_);
    txtSize[0]->setText(shown_[0]);
    txtSize[1]->setText(shown_[1]);
    filling_ = false;
}

bool frmMapSize::txtDPI_Validate() {
    bool fromScreen = false;
    const int32_t dpi = RequestedDpi(txtDPI->text(), &fromScreen);
    const bool ok = EntryCheck::Within(dpi, 48, 1440);
    // The number shown, left as it was, is no entry of the user's.
    if (ok && (dpi != dpi_ || fromScreen)) dpiFromScreen_ = fromScreen;
    if (ok) dpi_ = dpi;
    FillBoxes();
    return ok;
}

bool frmMapSize::txtSize_Validate(int index) {
    // Inches and millimetres show the size cut short: read back, the text
    // would be a few pixels less than the size it stands for.
    if (txtSize[size_t(index)]->text() == shown_[size_t(index)]) return true;
    const int32_t px = TextToPixels(txtSize[size_t(index)]->text(), unit_, dpi_);
    const int32_t limit = index == 0 ? mView->MaxWidth() : mView->MaxHeight();
    const bool ok = Library::InRange(px, clsView::MinSize, limit);
    if (ok) (index == 0 ? width_ : height_) = px;
    else EntryCheck::SayRange(PixelsToTextUp(clsView::MinSize, unit_, dpi_), PixelsToText(limit, unit_, dpi_));
    FillBoxes();
    return ok;
}

void frmMapSize::cmdOK_Click() {
    DialogGuard::StopOnError(kName, "cmdOK_Click", [this] {
        mView->SetDpi(int16_t(dpi_), dpiFromScreen_);
        mView->SetWidth(width_);
        mView->SetHeight(height_);
    });
    Unload(true);
}
