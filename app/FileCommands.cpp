#include "app/FileCommands.h"

#include "app/MainGuard.h"
#include "app/MapPicture.h"
#include "app/ViewControls.h"
#include "app/ViewRedraw.h"
#include "app/frmAbout.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "document/clsMapUnits.h"
#include "document/ui/frmMapInfo.h"
#include "platform/Desktop.h"
#include "platform/FilePicker.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"
#include "render/clsAccessory.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"

#include <QAction>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

const QString kForm = QStringLiteral("frmMain");
const QString kThingFilter = QStringLiteral("事象ファイル(*.THG)|*.THG|");
const QString kAdminFilter = QStringLiteral("行政区ファイル(*.ADM)|*.ADM|");
const QString kLogFilter = QStringLiteral("ログファイル(*.MLG)|*.MLG|");

[[noreturn]] void Fail(const char* proc) { ErrorMng::ReRaise(ErrBase + 1003, kForm, QString::fromLatin1(proc)); }

// Saves `list` under `path`. A save that fails leaves the list with its
// own file, lock and modified state: the next save must not go to a file
// the user never saw written.
template <class List> bool SaveListAs(List& list, const QString& path) {
    const QString file = list.FileName();
    const bool lock = list.LockMode();
    const bool modify = list.Modify();
    const auto restore = [&] {
        list.SetFileName(file);
        list.SetLockMode(lock);
        list.SetModify(modify);
    };
    list.SetFileName(path);
    try {
        if (list.Save() == 0) return true;
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return false;
}

// Puts back a list's name and lock (a new name unlocks it) when its edits
// stay unsaved: they were never saved under the name the question gave it.
template <class List> auto Keeper(List& list) {
    return [&list, file = list.FileName(), lock = list.LockMode()] {
        list.SetFileName(file);
        list.SetLockMode(lock);
    };
}

void InvalidFormat(const QString& path) { Library::MsgError(path + QStringLiteral("\r\nは無効なファイル形式です.")); }

// A file that holds none of a list's section headers reads as an empty list;
// taking it would blank the map without a word. A file that cannot be read
// here is left to the list's own load, which reports it.
bool HoldsSection(const QString& path, const QStringList& headers) {
    if (!Library::FileExists(path)) return true;
    QStringList lines;
    try {
        lines = FileSystem::ReadCp932Lines(path);
    } catch (...) {
        return true;
    }
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        const QString head = Library::UpperLatin(Library::TrimBlanks(line));
        return std::any_of(headers.begin(), headers.end(), [&](const QString& h) {
            // "[THING" also stands for "[THING=n]".
            return h.endsWith(QLatin1Char(']')) ? head == h : head.startsWith(h);
        });
    });
}

bool RefuseNoList(const QString& path, const QStringList& headers, const QString& kind) {
    if (HoldsSection(path, headers)) return false;
    Library::MsgError(path + QStringLiteral("\r\nは") + kind + QStringLiteral("ではありません. 何も読み込みませんでした."));
    return true;
}

// Loads a thing or area list into a new object, so that a failed load leaves
// the active unit's list as it was.
template <class List> bool LoadList(std::shared_ptr<List>& slot, const QString& path) {
    auto fresh = std::make_shared<List>();
    fresh->SetFileName(path);
    if (fresh->Load() != 0) return false;
    fresh->SetModify(true);
    slot = fresh;
    return true;
}

} // namespace

FileCommands::FileCommands(ViewRedraw& redraw, ViewControls& controls) : redraw_(redraw), controls_(controls) {
    WriteClip = [this] { return redraw_.mView && redraw_.mView->WriteClip(); };
}

QString FileCommands::Kind(const QString& path) { return Library::UpperLatin(path.right(4)); }

QString FileCommands::ScaleHint(int32_t level, int32_t viewLevel) {
    const int32_t d = level > 0 ? level - viewLevel : level;
    if (d < -1) return QStringLiteral("縮尺を小さくしましょう.");
    if (d > 1) return QStringLiteral("目的地を中心にしてから縮尺を大きくしましょう.");
    return {};
}

QString FileCommands::CreditLine(const QString& urlHome) {
    // A part left empty (no web page configured) takes its separator with it.
    QStringList parts;
    for (const QString& part : {UiServices::AppTitle(), frmAbout::LegalNotice(), urlHome})
        if (!part.isEmpty()) parts << part;
    return parts.join(QStringLiteral(" - "));
}

int32_t FileCommands::CreditLeft(const QRectF& ink, int32_t width, double ratio, const std::vector<QRect>& occupied) {
    constexpr int32_t kMargin = 4;
    // How many of the items' device pixels the line's glyphs would lie on:
    // a bar's whole length weighs more than the foot of a label it touches.
    const auto covered = [&](int32_t left) {
        const QRectF at = ink.translated(left, 0);
        const QRectF device(at.topLeft() * ratio, at.size() * ratio);
        double area = 0;
        for (const QRect& r : occupied) {
            const QRectF both = device & QRectF(r);
            area += both.width() * both.height();
        }
        return area;
    };
    const int32_t right = width - kMargin - int32_t(std::ceil(ink.right()));
    if (right <= kMargin) return kMargin;
    const double atLeft = covered(kMargin);
    return atLeft > 0 && covered(right) < atLeft ? right : kMargin;
}

bool FileCommands::LoadFile(const QString& path) {
    try {
        clsMapUnits& units = *redraw_.mUnits;
        const QString kind = Kind(path);
        bool result = false;
        QString hint;
        if (kind == QStringLiteral(".MLL")) {
            auto unit = std::make_shared<clsMapUnit>();
            unit->SetMapMode(1);
            unit->SetUnitName(path);
            if (unit->Load()) {
                // A copy of the base map from another folder takes the base
                // unit's place: its edits are offered first, as at a close.
                if (const auto replaced = units.Replaced(*unit); replaced && !UnloadMapUnit(*replaced)) return false;
                result = true;
                units.Add(unit);
                units.Optimize(7);
            }
            PublicVal::gvMapMode = 1;
            const int32_t level = unit->gFigures->Level();
            const int32_t viewLevel = ScaleToLevel ? ScaleToLevel(redraw_.mPlot->MapScale()) : -1;
            hint = ScaleHint(level, viewLevel);
        } else if (kind == QStringLiteral(".THG")) {
            const QStringList headers{QStringLiteral("[COMMENT]"), QStringLiteral("[CATEGORY]"),
                                      QStringLiteral("[THING"), QStringLiteral("[LINK]"), QStringLiteral("[NATION]")};
            if (RefuseNoList(path, headers, QStringLiteral("事象ファイル"))) return false;
            const auto opened = replaceList(true, path);
            if (!opened) return false;
            result = *opened;
        } else if (kind == QStringLiteral(".ADM")) {
            const QStringList headers{QStringLiteral("[COMMENT]"), QStringLiteral("[AREA]"),
                                      QStringLiteral("[ADMINISTRATION]")};
            if (RefuseNoList(path, headers, QStringLiteral("行政区ファイル"))) return false;
            const auto opened = replaceList(false, path);
            if (!opened) return false;
            result = *opened;
        } else if (kind == QStringLiteral(".MLG")) {
            // Missing or refused, nothing was read: nothing to tidy or draw.
            if (!ReadLog || ReadLog(path) != 0) return false;
            result = true;
            units.Optimize(7);
        } else {
            InvalidFormat(path);
            return false;
        }
        redraw_.bHoldRedraw = true;
        controls_.ResizeFormByView();
        controls_.SetScrollRange();
        redraw_.bHoldRedraw = false;
        controls_.SetViewControllByEngine();
        redraw_.PlotWindow();
        if (!hint.isEmpty()) Ui().MsgBox(hint, Mb::OkOnly + Mb::Information, QString());
        return result;
    } catch (...) {
        redraw_.bHoldRedraw = false;
        Fail("LoadFile");
    }
}

bool FileCommands::SaveFile(const QString& path) {
    try {
        clsMapUnits& units = *redraw_.mUnits;
        const QString kind = Kind(path);
        if (kind == QStringLiteral(".THG")) return SaveListAs(*units.Active()->gThings, path);
        if (kind == QStringLiteral(".ADM")) return SaveListAs(*units.Active()->gAdmins, path);
        if (kind == QStringLiteral(".MLG")) return WriteLog && WriteLog(path) == 0;
        // Saying nothing here would look like a save that worked.
        InvalidFormat(path);
        return false;
    } catch (...) {
        Fail("SaveFile");
    }
}

std::optional<bool> FileCommands::replaceList(bool things, const QString& path) {
    clsMapUnit& unit = *redraw_.mUnits->Active();
    auto replace = [&](auto& slot) -> std::optional<bool> {
        const auto keep = Keeper(*slot);
        if (!offerSave(things, unit)) return std::nullopt;
        if (LoadList(slot, path)) return true;
        if (slot->Modify()) keep();
        return false;
    };
    return things ? replace(unit.gThings) : replace(unit.gAdmins);
}

bool FileCommands::offerSave(bool things, clsMapUnit& unit) {
    auto ask = [&](auto& list, const QString& what, const QString& filter) {
        if (!list.Modify()) return true;
        const auto giveUp = [&, keep = Keeper(list)] {
            keep();
            return false;
        };
        list.SetFileName(unit.UnitName());
        const QString name = list.FileName();
        // Left unanswered (Esc, the close box), the open or quit that asked
        // is given up: only No lets the edits go.
        const int answer = Ui().MsgBox(what + name + QStringLiteral("\rが修正されています.\r保存しますか？"),
                                       Mb::YesNo | Mb::Exclamation, QString());
        if (answer == Mb::No) return true;
        if (answer != Mb::Yes) return giveUp();
        if (redraw_.mForm) redraw_.mForm->repaint();
        for (int32_t r = list.Save(); r != 0; r = list.Save()) {
            if (r == ErrorMng::SaveCancelled) return giveUp();
            const QString answer = FilePicker::InputSaveName(QString(), filter, list.FileName());
            if (answer.isEmpty()) return giveUp();
            list.SetFileName(answer);
        }
        return true;
    };
    if (things) return ask(*unit.gThings, QStringLiteral("事象ファイル "), kThingFilter);
    return ask(*unit.gAdmins, QStringLiteral("行政区ファイル "), kAdminFilter);
}

bool FileCommands::UnloadMapUnit(clsMapUnit& unit) {
    try {
        // In a fatal stop's wind-up the program ends whatever the answer: a
        // cancel skips that list only, and the unit's other list is offered.
        const bool things = offerSave(true, unit);
        if (!things && !ErrorMng::FatalInProgress()) return false;
        return offerSave(false, unit) && things;
    } catch (...) {
        Fail("UnloadMapUnit");
    }
}

void FileCommands::BuildFileMenu(QMenu* menu) {
    mnuFile = menu;
    auto item = [&](const QString& caption, const std::function<void()>& fn) {
        QAction* a = menu->addAction(caption);
        QObject::connect(a, &QAction::triggered, [fn] { fn(); });
        return a;
    };
    mnuOpen = item(QStringLiteral("開く(&O)..."), [this] { mnuOpen_Click(); });
    mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuClose = menu->addMenu(QStringLiteral("地図を閉じる(&L)"));
    mnuCloseItem = {mnuClose->addAction(QStringLiteral("全地図(&0)"))};
    QObject::connect(mnuCloseItem[0], &QAction::triggered, [this] { mnuCloseItem_Click(0); });
    mnuSave = item(QStringLiteral("名前を付けて保存(&A)..."), [this] { mnuSave_Click(); });
    mnuActive = menu->addMenu(QStringLiteral("アクティブ地図(&U)"));
    mnuActiveItem = {mnuActive->addAction(QStringLiteral("キャンセル(&0)"))};
    QObject::connect(mnuActiveItem[0], &QAction::triggered, [this] { mnuActiveItem_Click(0); });
    mnuCruiseSet = item(QStringLiteral("クルーズ設定(&T)..."), [this] {
        if (CruiseSettings) CruiseSettings();
    });
    mnuCruiseExe = item(QStringLiteral("クルーズ実行(&W)"), [this] {
        if (CruiseRun) CruiseRun();
    });
    menu->addSeparator();
    mnuMapCopy = item(QStringLiteral("地図画像コピー(&C)"), [this] { mnuMapCopy_Click(); });
    mnuMapCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    menu->addSeparator();
    mnuMapSize = item(QStringLiteral("画像サイズ(&Z)..."), [this] {
        if (ImageSize) ImageSize();
    });
    mnuMapInfo = item(QStringLiteral("地図情報(&I)..."), [this] { mnuMapInfo_Click(); });
    mnuMapInfo->setEnabled(false);
    menu->addSeparator();
    mnuQuit = item(UiServices::AppTitle() + QStringLiteral("の終了(&X)"), [this] {
        if (redraw_.mForm) redraw_.mForm->close();
    });
    menu->addSeparator();
    const QString logs[] = {QString(), QStringLiteral("(&1) LAST.LOG"), QStringLiteral("(&2) CLIP.LOG"),
                            QStringLiteral("(&3) PRINT.LOG"), QStringLiteral("(&4)")};
    for (int32_t i = 1; i <= 4; ++i)
        mnuLogItem[size_t(i)] = item(logs[i], [this, i] { mnuLogItem_Click(i); });
    mnuLogItem[3]->setEnabled(false);
    QObject::connect(menu, &QMenu::aboutToShow, [this] { mnuFile_Click(); });
}

void FileCommands::mnuFile_Click() {
    MainGuard::Guarded("mnuFile_Click", [this] {
        clsMapUnits& units = *redraw_.mUnits;
        const auto active = units.Active();
        mnuMapInfo->setEnabled(active && active->gFigures->Count() >= 1);
        for (int32_t i = 1; i <= 3; ++i)
            mnuLogItem[size_t(i)]->setEnabled(LogPath && Library::FileExists(LogPath(i)));
        const QString last = LogPath ? LogPath(4) : QString();
        mnuLogItem[4]->setText(QStringLiteral("(&4) ") + Library::PathFileName(last));
        mnuLogItem[4]->setEnabled(Library::FileExists(last));
        mnuLogItem[3]->setEnabled(false);
        mnuCruiseSet->setEnabled(bool(CruiseSettings));
        mnuCruiseExe->setEnabled(bool(CruiseRun));
        mnuMapSize->setEnabled(bool(ImageSize));
        for (int32_t k = iUnitItems; k >= 1; --k) {
            delete mnuCloseItem[size_t(k)];
            delete mnuActiveItem[size_t(k)];
        }
        mnuCloseItem.resize(1);
        mnuActiveItem.resize(1);
        iUnitItems = 0;
        mnuClose->setEnabled(false);
        mnuActive->setEnabled(false);
        if (units.Count() < 1) return;
        mnuClose->setEnabled(true);
        mnuActive->setEnabled(true);
        for (const auto& unit : units) {
            const QString caption = unit->gFigures->MapName(PublicVal::gvLanguage) + QStringLiteral("(&") +
                                    QChar(u'A' + iUnitItems) + QLatin1Char(')');
            ++iUnitItems;
            const int32_t k = iUnitItems;
            QAction* c = mnuClose->addAction(caption);
            QObject::connect(c, &QAction::triggered, [this, k] { mnuCloseItem_Click(k); });
            QAction* a = mnuActive->addAction(caption);
            a->setCheckable(true);
            a->setChecked(k == units.Index());
            QObject::connect(a, &QAction::triggered, [this, k] { mnuActiveItem_Click(k); });
            mnuCloseItem.push_back(c);
            mnuActiveItem.push_back(a);
        }
        // The base unit cannot be closed alone.
        mnuCloseItem[1]->setEnabled(false);
    });
}

void FileCommands::mnuOpen_Click() {
    MainGuard::Guarded("mnuOpen_Click", [this] {
        if (sOpenPath.isEmpty()) sOpenPath = Library::JoinPath(PublicVal::gvMapFolder, QStringLiteral("*.MLL"));
        const QString filter = QStringLiteral("地図ファイル(*.MLL)|*.MLL|") + kThingFilter + kAdminFilter + kLogFilter;
        const QString answer = FilePicker::InputLoadName(QString(), filter, sOpenPath);
        if (answer.isEmpty()) return;
        sOpenPath = answer;
        LoadFile(answer);
    });
}

void FileCommands::mnuSave_Click() {
    MainGuard::Guarded("mnuSave_Click", [this] {
        QString& last = *LastSavePath;
        if (last.isEmpty() && PngPath) last = PngPath();
        const QString answer = FilePicker::InputSaveName(QString(), kThingFilter + kAdminFilter + kLogFilter, last);
        if (answer.isEmpty()) return;
        last = answer;
        SaveFile(answer);
        redraw_.PlotCaption();
    });
}

void FileCommands::mnuCloseItem_Click(int32_t index) {
    MainGuard::Guarded("mnuCloseItem_Click", [this, index] {
        clsMapUnits& units = *redraw_.mUnits;
        if (index > 1 && index > units.Count()) return;
        // Closing drops the unit's lists: offer to save what was changed.
        if (index == 0) {
            for (int32_t i = 2; i <= units.Count(); ++i)
                if (!UnloadMapUnit(*units.Item(i))) return;
        } else if (index >= 2) {
            if (!UnloadMapUnit(*units.Item(index))) return;
        }
        redraw_.SetStatusMessage(QStringLiteral("地図を閉じています..."));
        Library::ScreenMousePointer(MousePtr::Hourglass);
        if (index == 0)
            units.ClearAll();
        else
            units.Remove(index);
        units.Optimize(7);
        Library::ScreenMousePointer(-1);
        redraw_.SetStatusMessage(QString());
        redraw_.PlotWindow();
    });
}

void FileCommands::mnuActiveItem_Click(int32_t index) {
    MainGuard::Guarded("mnuActiveItem_Click", [this, index] {
        if (index <= 0) return;
        redraw_.mUnits->SetIndex(index);
        redraw_.PlotCaption();
    });
}

void FileCommands::mnuLogItem_Click(int32_t index) {
    MainGuard::Guarded("mnuLogItem_Click", [this, index] {
        if (!LogPath) return;
        LoadFile(Library::ChangeExt(LogPath(index), QStringLiteral("MLG")));
    });
}

void FileCommands::picView_OLEDragDrop(const QStringList& paths) {
    MainGuard::Guarded("picView_OLEDragDrop", [this, &paths] {
        for (const QString& p : paths) LoadFile(p);
    });
}

void FileCommands::mnuMapCopy_Click() {
    MainGuard::Guarded("mnuMapCopy_Click", [this] {
        redraw_.SetStatusMessage(QStringLiteral("クリップボードへ出力しています..."));
        if (MapPicture* pic = redraw_.picView) {
            QImage& img = pic->Image();
            QPainter p(&img);
            // Placed in the picture's own (screen) pixels over its device pixels.
            const double ratio = pic->PixelRatio();
            const int32_t w = Library::DblToLng(img.width() / ratio), h = Library::DblToLng(img.height() / ratio);
            if (ratio != 1.0) p.scale(ratio, ratio);
            p.setFont(pic->font());
            p.setPen(pic->palette().color(QPalette::WindowText));
            const clsAccessory* acc = redraw_.mAccessory;
            const bool shown = acc && redraw_.mPlot && redraw_.mPlot->Options().mAcsEi;
            const int32_t position = acc ? acc->Position() : 0;
            const QFontMetricsF metrics(p.font(), &img);
            int32_t y = 2;
            if (position == 1) {
                // The whole line, descenders too, ends 3 pixels above the
                // frame: placed by the height of the line as it is drawn,
                // not by a point size taken as pixels.
                const bool framed = shown && acc->Item(2).Use;
                const int32_t edge = framed ? int32_t(PublicVal::EnvVal(QStringLiteral("AccessoryFrameThick"), 1, 1, 9)) : 1;
                y = h - edge - int32_t(std::ceil(metrics.height())) - 3;
            }
            const QString text = CreditLine(AuthorURLhome ? AuthorURLhome() : QString());
            const QRectF ink = metrics.tightBoundingRect(text).translated(0, y + metrics.ascent());
            const int32_t x = CreditLeft(ink, w, ratio, shown ? acc->Occupied() : std::vector<QRect>{});
            p.drawText(QRect(x, y, w, h), Qt::AlignLeft | Qt::AlignTop, text);
            p.end();
            pic->Refresh();
        }
        if (WriteClip && WriteClip()) {
            if (WriteLog && LogPath) WriteLog(LogPath(2));
            redraw_.PlotWindow();
            redraw_.SetStatusMessage(QStringLiteral("クリップボードへ出力しました."));
        } else {
            redraw_.SetStatusMessage(QStringLiteral("クリップボード出力に失敗しました."));
        }
    });
}

FileCommands::~FileCommands() = default;

void FileCommands::mnuMapInfo_Click() {
    MainGuard::Guarded("mnuMapInfo_Click", [this] {
        if (!mapInfo_) mapInfo_ = std::make_unique<frmMapInfo>(redraw_.mForm);
        mapInfo_->mMap = redraw_.mUnits->Active()->gFigures;
        mapInfo_->PlaceFirst(redraw_.mForm, 600, 600);
        mapInfo_->ShowModal();
        mapInfo_->mMap.reset();
    });
}
