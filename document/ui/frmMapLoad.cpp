#include "document/ui/frmMapLoad.h"

#include "core/ErrorMng.h"
#include "document/clsMapUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QGroupBox* Frame(const QString& title, QLabel*& path, QLabel*& info, QProgressBar** bar = nullptr) {
    auto* box = new QGroupBox(title);
    auto* lay = new QVBoxLayout(box);
    path = new QLabel;
    info = new QLabel;
    path->setMinimumWidth(360);
    lay->addWidget(path);
    lay->addWidget(info);
    if (bar) {
        *bar = new QProgressBar;
        (*bar)->setRange(0, 100);
        lay->addWidget(*bar);
    }
    return box;
}

} // namespace

frmMapLoad::frmMapLoad(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("地図ファイルを開く"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Frame(QStringLiteral("行政区ファイル"), lblAdminsPath, lblAdminsInfo));
    lay->addWidget(Frame(QStringLiteral("事象ファイル"), lblThingsPath, lblThingsInfo));
    lay->addWidget(Frame(QStringLiteral("地図図形ファイル"), lblFiguresPath, lblFiguresInfo, &prgFigures));

    auto label = [this](UnitLoader::Part part, bool path) -> QLabel* {
        switch (part) {
        case UnitLoader::Admins: return path ? lblAdminsPath : lblAdminsInfo;
        case UnitLoader::Things: return path ? lblThingsPath : lblThingsInfo;
        default: return path ? lblFiguresPath : lblFiguresInfo;
        }
    };
    UnitLoader::Watcher w;
    w.path = [label](UnitLoader::Part p, const QString& s) { label(p, true)->setText(s); };
    w.state = [label](UnitLoader::Part p, const QString& s) { label(p, false)->setText(s); };
    w.progressVisible = [this](bool v) { prgFigures->setVisible(v); };
    w.progress = [this](int16_t percent) { prgFigures->setValue(percent); };
    w.processEvents = [] { QCoreApplication::processEvents(); };
    loader_ = UnitLoader(std::move(w));
}

void frmMapLoad::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmMapLoad::Form_Activate() {
    if (loader_.Busy()) return;
    try {
        mResult = false;
        if (mMapUnit) mResult = loader_.Run(*mMapUnit);
        mMapUnit = nullptr;
        accept();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, QStringLiteral("frmMapLoad"), QStringLiteral("Form_Activate"));
    }
}

// The window stays until its work is done.
void frmMapLoad::closeEvent(QCloseEvent* e) {
    if (loader_.Busy()) e->ignore();
    else QDialog::closeEvent(e);
}

void frmMapLoad::reject() {
    if (!loader_.Busy()) QDialog::reject();
}

bool frmMapLoad::LoadUnit(clsMapUnit& unit) {
    frmMapLoad dlg;
    dlg.mMapUnit = &unit;
    dlg.adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        dlg.move((r.width() - dlg.width()) / 2, (r.height() - dlg.height()) / 2);
    }
    dlg.exec();
    const bool result = dlg.mResult;
    dlg.mMapUnit = nullptr;
    QCoreApplication::processEvents();
    return result;
}

void frmMapLoad::Install() {
    clsMapUnit::SetLoadPresenter([](clsMapUnit& unit) { return LoadUnit(unit); });
}
