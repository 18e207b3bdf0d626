#include "app/ViewMenu.h"

#include "app/MainGuard.h"
#include "app/ViewRedraw.h"
#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/LibraryMessages.h"
#include "core/PublicVal.h"
#include "document/clsMap.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/ScriptedUi.h"
#include "platform/UiServices.h"
#include "render/BaseMap.h"
#include "render/clsMapPlot.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace {

using MainGuard::Guarded;

// Line counts of the azimuth presets, items 1..4.
constexpr std::array<int16_t, 4> kAzimuthLines{4, 8, 12, 16};

} // namespace

ViewMenu::ViewMenu(ViewRedraw& redraw, QMenu* menu) : QObject(menu), mnuView(menu), redraw_(redraw) {
    QMenu* m = menu;
    // A command goes through the window's hook of the moment.
    auto command = [this](std::function<void()> ViewMenu::*hook) {
        return [this, hook] {
            if (this->*hook) (this->*hook)();
        };
    };
    mnuHome = m->addAction(QStringLiteral("ポジション(&N)"), this, command(&ViewMenu::Home));
    mnuJump = m->addAction(QStringLiteral("地名ジャンプ(&J)..."), this, command(&ViewMenu::Jump));
    m->addSeparator();
    mnuVospProjection = m->addAction(QStringLiteral("地図投影法(&P)..."), this, command(&ViewMenu::Projection));
    mnuGrid = m->addAction(QStringLiteral("経緯線(&G)..."), this, command(&ViewMenu::Grid));
    mnuAccessory = m->addAction(QStringLiteral("アクセサリ(&A)..."), this, command(&ViewMenu::Accessory));
    mnuMapSymbol = m->addAction(QStringLiteral("地図記号・凡例(&K)..."), this, command(&ViewMenu::MapSymbol));
    m->addSeparator();

    mnuLanguage = m->addMenu(QStringLiteral("言語モード(&L)"));
    const std::array<QString, 2> language{QStringLiteral("欧州語(&E)"), QStringLiteral("日本語(&J)")};
    for (int32_t i = 1; i <= 2; ++i)
        mnuLanguageItem[size_t(i)] = mnuLanguage->addAction(language[size_t(i - 1)], this, [this, i] {
            if (LanguageItem) LanguageItem(i);
        });
    // The coordinate items only show the mode: a click leaves the tick as it was.
    mnuCoordinate = m->addMenu(QStringLiteral("座表モード(&U)"));
    const std::array<QString, 2> coordinate{QStringLiteral("経緯度座標(&L)"), QStringLiteral("ＸＹ座標(&X)")};
    for (int32_t i = 1; i <= 2; ++i)
        mnuCoordinateItem[size_t(i)] = mnuCoordinate->addAction(coordinate[size_t(i - 1)], this, [this, i] {
            mnuCoordinateItem[size_t(i)]->setChecked(PublicVal::gvMapMode == i);
        });
    m->addSeparator();

    mnuFigDisp = m->addMenu(QStringLiteral("図形種別表示許可(&I)"));
    const std::array<QString, 4> kinds{QStringLiteral("連続線(&L)"), QStringLiteral("多辺形(&G)"),
                                       QStringLiteral("点記号(&S)"), QStringLiteral("文字列(&T)")};
    for (int32_t c = 2; c <= 5; ++c)
        mnuFigDispItem[size_t(c)] =
            mnuFigDisp->addAction(kinds[size_t(c - 2)], this, [this, c] { mnuFigDispItem_Click(c); });
    mnuMapDisp = m->addMenu(QStringLiteral("地図別表示許可(&M)"));
    mnuMapDispItem.resize(1);
    m->addSeparator();

    mnuAzimuthLine = m->addMenu(QStringLiteral("方位線(&R)"));
    const std::array<QString, 6> azimuth{QStringLiteral("なし(&A)"),   QStringLiteral("４方位(&B)"),
                                         QStringLiteral("８方位(&C)"), QStringLiteral("12方位(&D)"),
                                         QStringLiteral("16方位(&E)"), QStringLiteral("任意(&F)")};
    for (int32_t i = 0; i < 6; ++i)
        mnuAzimuthLineItem[size_t(i)] =
            mnuAzimuthLine->addAction(azimuth[size_t(i)], this, [this, i] { mnuAzimuthLineItem_Click(i); });
    mnuPtnRatio = m->addMenu(QStringLiteral("文字列・点記号拡大率(&Z)"));
    for (int32_t i = 0; i < 7; ++i) {
        const QString caption = QString::number((i + 2) * 20) + QStringLiteral("%(&") + QChar(u'A' + i) + QLatin1Char(')');
        mnuPtnRatioItem[size_t(i)] = mnuPtnRatio->addAction(caption, this, [this, i] { mnuPtnRatioItem_Click(i); });
    }
    mnuEdge = m->addAction(QStringLiteral("文字列・点記号縁取り許可(&O)"), this, [this] { mnuEdge_Click(); });
    mnuTextSlant = m->addAction(QStringLiteral("文字列傾斜許可(&S)"), this, [this] { mnuTextSlant_Click(); });

    for (size_t i = 1; i <= 2; ++i) {
        mnuLanguageItem[i]->setCheckable(true);
        mnuCoordinateItem[i]->setCheckable(true);
    }
    for (size_t c = 2; c <= 5; ++c) mnuFigDispItem[c]->setCheckable(true);
    for (QAction* a : mnuAzimuthLineItem) a->setCheckable(true);
    for (QAction* a : mnuPtnRatioItem) a->setCheckable(true);
    mnuEdge->setCheckable(true);
    mnuTextSlant->setCheckable(true);
    QObject::connect(menu, &QMenu::aboutToShow, this, [this] { mnuView_Click(); });
}

ViewMenu::~ViewMenu() = default;

int32_t ViewMenu::RatioItem(int32_t ratio) { return std::clamp(ratio / 20 - 2, 0, 6); }

bool ViewMenu::AzimuthListReadable(const QString& list) {
    // Read as the drawing reads it, where an item that is no angle becomes
    // a line to the north.
    const QStringList tokens = BaseMap::AzimuthTokens(list);
    return std::all_of(tokens.begin(), tokens.end(), [](const QString& token) {
        try {
            AngleLib::AngleSecStrToVal(token);
            return true;
        } catch (...) {
            return false;
        }
    });
}

int32_t ViewMenu::AzimuthItem(const QString& list) {
    if (list.isEmpty()) return 0;
    for (size_t k = 0; k < kAzimuthLines.size(); ++k)
        if (list == BaseMap::BaseMapAzimuthText(kAzimuthLines[k], QString())) return int32_t(k) + 1;
    return 5;
}

void ViewMenu::mnuView_Click() {
    if (!redraw_.mPlot || !redraw_.mUnits) return;
    Guarded("mnuView_Click", [this] {
        using PublicVal::gvLanguage;
        using PublicVal::gvMapMode;
        const clsMapPlot& plot = *redraw_.mPlot;
        clsMapUnits& units = *redraw_.mUnits;
        const auto active = units.Active();
        mnuJump->setEnabled(Jump && active && active->gFigures->Count() > 0);
        mnuGrid->setEnabled(Grid && gvMapMode == 1);
        mnuAzimuthLine->setEnabled(gvMapMode == 1);
        mnuHome->setEnabled(bool(Home));
        mnuVospProjection->setEnabled(bool(Projection));
        mnuAccessory->setEnabled(bool(Accessory));
        mnuMapSymbol->setEnabled(bool(MapSymbol));
        mnuEdge->setChecked(plot.Options().mEdgeEi);
        mnuTextSlant->setChecked(plot.Options().mTextSlant);
        mnuTextSlant->setEnabled(gvMapMode == 1);
        for (size_t i = 1; i <= 2; ++i) {
            mnuLanguageItem[i]->setChecked(gvLanguage == int32_t(i));
            mnuCoordinateItem[i]->setChecked(gvMapMode == int32_t(i));
        }
        for (int32_t c = 2; c <= 5; ++c) mnuFigDispItem[size_t(c)]->setChecked(plot.Options().Shows(c));
        const int32_t ratio = RatioItem(plot.PtnRatio());
        for (int32_t i = 0; i < 7; ++i) mnuPtnRatioItem[size_t(i)]->setChecked(i == ratio);
        const int32_t azimuth = AzimuthItem(plot.Options().mAzimuthLine);
        for (int32_t i = 0; i < 6; ++i) mnuAzimuthLineItem[size_t(i)]->setChecked(i == azimuth);

        for (int32_t k = iMapDispItems; k >= 1; --k) delete mnuMapDispItem[size_t(k)];
        mnuMapDispItem.resize(1);
        iMapDispItems = 0;
        for (const auto& unit : units) {
            // Past "Z" the access characters go on with the following codes.
            const QString caption = unit->gFigures->MapName(gvLanguage) + QStringLiteral("(&") +
                                    QChar(char16_t(u'A' + iMapDispItems)) + QLatin1Char(')');
            ++iMapDispItems;
            const int32_t k = iMapDispItems;
            QAction* a = mnuMapDisp->addAction(caption, this, [this, k] { mnuMapDispItem_Click(k); });
            a->setCheckable(true);
            a->setChecked(unit->bDraw);
            mnuMapDispItem.push_back(a);
        }
    });
}

void ViewMenu::mnuFigDispItem_Click(int32_t kind) {
    Guarded("mnuFigDispItem_Click", [this, kind] {
        clsMapPlot& plot = *redraw_.mPlot;
        plot.SetFigDisp(int16_t(plot.Options().mFigDisp ^ (1 << (kind - 1))));
        redraw_.PlotWindow();
    });
}

void ViewMenu::mnuMapDispItem_Click(int32_t index) {
    Guarded("mnuMapDispItem_Click", [this, index] {
        const auto unit = redraw_.mUnits->Item(index);
        if (!unit) return;
        unit->bDraw = !unit->bDraw;
        // The cruise would load and release units over the user's choice.
        if (CruiseAuto && CruiseAuto()) {
            Ui().MsgBox(QStringLiteral("〔オートクルーズ〕を解除します."), Mb::OkOnly + Mb::Information, QString());
            if (CruiseAutoOff) CruiseAutoOff();
        }
        redraw_.PlotWindow();
    });
}

void ViewMenu::mnuPtnRatioItem_Click(int32_t index) {
    Guarded("mnuPtnRatioItem_Click", [this, index] {
        redraw_.mPlot->SetPtnRatio((index + 2) * 20);
        redraw_.PlotWindow();
    });
}

void ViewMenu::mnuAzimuthLineItem_Click(int32_t index) {
    Guarded("mnuAzimuthLineItem_Click", [this, index] {
        clsMapPlot& plot = *redraw_.mPlot;
        if (index == 0) {
            plot.SetAzimuthLine(QString());
        } else if (index >= 1 && index <= 4) {
            plot.SetAzimuthLine(BaseMap::BaseMapAzimuthText(kAzimuthLines[size_t(index - 1)], QString()));
        } else if (index == 5) {
            // A free list of angles; a cancelled input keeps the lines.
            QString list = plot.Options().mAzimuthLine;
            for (;;) {
                list = BaseMap::BaseMapAzimuthText(0, list);
                if (list.isEmpty()) return;
                if (AzimuthListReadable(list)) break;
                Library::MsgOutOfRange();
            }
            plot.SetAzimuthLine(list);
        }
        redraw_.PlotWindow();
    });
}

void ViewMenu::mnuEdge_Click() {
    Guarded("mnuEdge_Click", [this] {
        redraw_.mPlot->SetEdgeEi(!redraw_.mPlot->Options().mEdgeEi);
        redraw_.PlotWindow();
    });
}

void ViewMenu::mnuTextSlant_Click() {
    Guarded("mnuTextSlant_Click", [this] {
        redraw_.mPlot->SetTextSlant(!redraw_.mPlot->Options().mTextSlant);
        redraw_.PlotWindow();
    });
}
