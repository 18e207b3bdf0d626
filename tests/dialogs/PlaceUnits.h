#pragma once
// Map units made in memory for the place tests: area 1 "日本" drawn with
// colour page 2, thing 1 "地名" visible from 1:30,000,000 to 1:200,000 on
// that page (page 1 keeps no range), and one text figure per place.
#include "document/clsAdmin.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsThing.h"

struct TestPlace {
    QString name;
    int admin = 1;
    int thing = 1;
    int x = 0;
};

inline void FillUnit(clsMapUnit& u, const std::vector<TestPlace>& places) {
    auto area = std::make_shared<clsAdmin>();
    area->SetAdminCode(1);
    area->SetJapaneseName("日本");
    area->SetPage(2);
    u.gAdmins->Add(area);
    auto thing = std::make_shared<clsThing>();
    thing->SetIndex(1);
    thing->SetName("地名");
    thing->SetPage(2);
    thing->SetScaleS(30000000);
    thing->SetScaleL(200000);
    u.gThings->Add(thing);
    for (const TestPlace& p : places) {
        auto t = std::make_shared<clsMapText>();
        t->SetTextUnicode(2, p.name);
        t->SetAdmin(p.admin);
        t->SetThing(p.thing);
        t->Setmx(p.x);
        t->Setmy(-p.x / 10);
        u.gFigures->Add(t);
    }
}
