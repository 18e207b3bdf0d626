#pragma once
// Ground for the settings dialog tests: a widget application, the sphere
// with the default radius (scales 100,000 .. 1,000,000,000), the projection
// names of the environment file, a private settings store and scripted
// message boxes; and a way to drive a modal dialog.
#include "core/MapProjection.h"
#include "core/clsEnvironment.h"
#include "support/DocumentTestEnv.h"
#include "platform/DialogFrame.h"
#include "support/GuiApp.h"

#include <QTimer>
#include <functional>

struct DialogTest : DocumentTest {
    // Before any member widget of a fixture.
    struct GuiFirst {
        GuiFirst() { EnsureGuiApp(); }
    } guiFirst;
    ScopedSettingsHome home;
    clsEnvironment env;
    clsEnvironment* savedEnv = PublicVal::gvEnvironment;
    int32_t savedMode = PublicVal::gvMapMode;

    void SetUp() override {
        DocumentTest::SetUp();
        PublicVal::gvMapMode = 1;
        QStringList lines;
        for (int16_t i = 1; i <= 30; ++i)
            lines << QStringLiteral("PrjName%1=").arg(i, 2, 10, QLatin1Char('0')) + MapProjection::StandardPrjName(i);
        env.SetFileName(dir.write("Environment.txt", Lines(lines)));
        ASSERT_EQ(env.Load(), 0);
        PublicVal::gvEnvironment = &env;
    }
    void TearDown() override {
        PublicVal::gvEnvironment = savedEnv;
        PublicVal::gvMapMode = savedMode;
        DocumentTest::TearDown();
    }

    // Shows `d` modally and runs `act` once it is up; a dialog that `act`
    // left open is cancelled. The dialog's own result.
    static bool Run(DialogFrame& d, const std::function<void()>& act) {
        QTimer::singleShot(0, &d, [&d, act] {
            act();
            if (d.isVisible()) d.reject();
        });
        return d.ShowModal();
    }
    // The range part of the last range message ("" when none was shown).
    QString LastRange() const {
        if (ui.ui.messages.isEmpty()) return {};
        const QString t = ui.ui.messages.last().text;
        const QString head = QStringLiteral("既定の範囲を超えています.\r\n");
        return t.startsWith(head) ? t.mid(head.size()) : QStringLiteral("?") + t;
    }
};
