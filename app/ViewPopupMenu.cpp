#include "app/ViewPopupMenu.h"

#include "app/MainGuard.h"
#include "app/SurveyTool.h"
#include "app/ViewControls.h"
#include "app/ViewRedraw.h"
#include "core/ErrorMng.h"
#include "core/PublicVal.h"
#include "platform/ScriptedUi.h"
#include "render/clsMapPlot.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

using MainGuard::Guarded;

} // namespace

ViewPopupMenu::ViewPopupMenu(ViewRedraw& redraw, ViewControls& controls, SurveyTool& survey, QWidget* parent)
    : QObject(parent), redraw_(redraw), controls_(controls), survey_(survey) {
    mnuPopup = new QMenu(QStringLiteral("ポップアップ(&P)"), parent);
    QMenu* m = mnuPopup;
    mnuPopupHome = m->addAction(QStringLiteral("ポジション(&N)"), this, [this] { mnuHome_Click(); });
    mnuPopupCruiseExe = m->addAction(QStringLiteral("クルーズ実行(&W)"), this, [this] {
        if (CruiseExe) CruiseExe();
    });
    mnuPopupMapCopy = m->addAction(QStringLiteral("地図画像コピー(&C)"), this, [this] {
        if (MapCopy) MapCopy();
    });
    m->addSeparator();
    mnuPopupSurvey = m->addAction(QStringLiteral("測量(&V)"), this, [this] { survey_.mnuSurvey_Click(); });
    m->addSeparator();
    const std::array<QString, 5> direct{QStringLiteral("図法自動選択(&T)"), QStringLiteral("接円筒図法(&1)"),
                                        QStringLiteral("割円筒図法(&2)"), QStringLiteral("接円錐図法(&3)"),
                                        QStringLiteral("接方位図法(&4)")};
    for (int i = 0; i < 5; ++i)
        mnuPopupDirectItem[size_t(i)] = m->addAction(direct[size_t(i)], this, [this, i] { mnuPopupDirectItem_Click(i); });
    m->addSeparator();
    mnuPopupGrid = m->addAction(QStringLiteral("経緯線許可(&G)"), this, [this] {
        Toggle(&PlotOptions::mGridEi, &clsMapPlot::SetGridEi, "mnuPopupGrid_Click");
    });
    mnuPopupAcs = m->addAction(QStringLiteral("アクセサリ許可(&A)"), this,
                               [this] { Toggle(&PlotOptions::mAcsEi, &clsMapPlot::SetAcsEi, "mnuPopupAcs_Click"); });
    mnuPopupEdge = m->addAction(QStringLiteral("文字列・点記号縁取り許可(&O)"), this, [this] {
        Toggle(&PlotOptions::mEdgeEi, &clsMapPlot::SetEdgeEi, "mnuPopupEdge_Click");
    });
    mnuPopupTextSlant = m->addAction(QStringLiteral("文字列傾斜許可(&K)"), this, [this] {
        Toggle(&PlotOptions::mTextSlant, &clsMapPlot::SetTextSlant, "mnuPopupTextSlant_Click");
    });
    m->addSeparator();
    const std::array<QString, 2> language{QStringLiteral("欧州語(&E)"), QStringLiteral("日本語(&J)")};
    for (int i = 0; i < 2; ++i)
        mnuPopupLanguageItem[size_t(i)] =
            m->addAction(language[size_t(i)], this, [this, i] { mnuLanguageItem_Click(i + 1); });
    m->addSeparator();
    const std::array<QString, 2> scale{QStringLiteral("拡大(&B)"), QStringLiteral("縮小(&S)")};
    for (int i = 0; i < 2; ++i)
        mnuPopupScaleItem[size_t(i)] = m->addAction(scale[size_t(i)], this, [this, i] { mnuPopupScaleItem_Click(i); });
    m->addSeparator();
    const std::array<QString, 4> scroll{QStringLiteral("西へ(&L)"), QStringLiteral("東へ(&R)"),
                                        QStringLiteral("北へ(&U)"), QStringLiteral("南へ(&D)")};
    for (int i = 0; i < 4; ++i)
        mnuPopupScrollItem[size_t(i)] = m->addAction(scroll[size_t(i)], this, [this, i] {
            if (ScrollItem) ScrollItem(i);
        });
    for (QAction* a : {mnuPopupSurvey, mnuPopupGrid, mnuPopupAcs, mnuPopupEdge, mnuPopupTextSlant,
                       mnuPopupDirectItem[0], mnuPopupLanguageItem[0], mnuPopupLanguageItem[1]})
        a->setCheckable(true);
}

ViewPopupMenu::~ViewPopupMenu() = default;

void ViewPopupMenu::mnuPopup_Click() {
    if (!redraw_.mPlot) return;
    Guarded("mnuPopup_Click", [this] {
        using PublicVal::gvLanguage;
        mnuPopupLanguageItem[0]->setChecked(gvLanguage == 1);
        mnuPopupLanguageItem[1]->setChecked(gvLanguage == 2);
        const VbScrollBar& sli = controls_.sliScale;
        mnuPopupScaleItem[0]->setEnabled(sli.Value() < sli.Max());
        mnuPopupScaleItem[1]->setEnabled(sli.Value() > sli.Min());
        const VbScrollBar& h = controls_.hsbView;
        const VbScrollBar& v = controls_.vsbView;
        mnuPopupScrollItem[0]->setEnabled(h.Value() > h.Min());
        mnuPopupScrollItem[1]->setEnabled(h.Value() < h.Max());
        // North is the top of the bar, where its Min is.
        mnuPopupScrollItem[2]->setEnabled(v.Value() < v.Min());
        mnuPopupScrollItem[3]->setEnabled(v.Value() > v.Max());
        const clsMapPlot& plot = *redraw_.mPlot;
        mnuPopupGrid->setChecked(plot.Options().mGridEi);
        mnuPopupAcs->setChecked(plot.Options().mAcsEi);
        mnuPopupEdge->setChecked(plot.Options().mEdgeEi);
        mnuPopupTextSlant->setChecked(plot.Options().mTextSlant);
        mnuPopupSurvey->setChecked(survey_.IsOn());
        if (PublicVal::gvMapMode == 1) {
            mnuPopupDirectItem[0]->setChecked(plot.Options().mProjectionAuto);
            // Longitude wraps.
            mnuPopupScrollItem[0]->setEnabled(true);
            mnuPopupScrollItem[1]->setEnabled(true);
        }
    });
}

void ViewPopupMenu::Show(const QPoint& globalPos) {
    mnuPopup_Click();
    mnuPopup->popup(globalPos);
}

void ViewPopupMenu::Toggle(bool PlotOptions::*flag, void (clsMapPlot::*set)(bool), const char* proc) {
    Guarded(proc, [&] {
        clsMapPlot& plot = *redraw_.mPlot;
        (plot.*set)(!(plot.Options().*flag));
        redraw_.PlotWindow();
    });
}

void ViewPopupMenu::mnuPopupDirectItem_Click(int index) {
    Guarded("mnuPopupDirectItem_Click", [this, index] {
        clsMapPlot& plot = *redraw_.mPlot;
        if (index == 0) {
            plot.SetProjectionAuto(!plot.Options().mProjectionAuto);
        } else if (index > 0 && index < int(kDirectProjection.size())) {
            plot.SetProjectionAuto(false);
            plot.SetProjectionIndex(kDirectProjection[size_t(index)]);
        }
        redraw_.PlotWindow();
    });
}

void ViewPopupMenu::mnuPopupScaleItem_Click(int index) {
    VbScrollBar& sli = controls_.sliScale;
    if (index == 0 && sli.Value() < sli.Max()) sli.SetValue(sli.Value() + 1);
    if (index == 1 && sli.Value() > sli.Min()) sli.SetValue(sli.Value() - 1);
}

void ViewPopupMenu::mnuHome_Click() {
    Guarded("mnuHome_Click", [this] {
        if (PublicVal::gvMapMode == 1) {
            clsMapPlot& plot = *redraw_.mPlot;
            plot.SetCenterX(PublicVal::gvHomeLon);
            plot.SetCenterY(PublicVal::gvHomeLat);
            plot.SetMapScale(PublicVal::gvHomeScaleLL);
        }
        controls_.SetViewControllByEngine();
        redraw_.PlotWindow();
    });
}

void ViewPopupMenu::mnuLanguageItem_Click(int32_t language) {
    Guarded("mnuLanguageItem_Click", [this, language] {
        PublicVal::gvLanguage = language;
        redraw_.PlotWindow();
    });
}
