#pragma once
// Common ground of the document tests: the sphere settings with the default
// radius (scale range 100000 .. 1000000000), a map folder, a language, and
// scripted message boxes.
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "platform/Cp932Codec.h"
#include "platform/ScriptedUi.h"
#include "platform/VospError.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

struct DocumentTest : ::testing::Test {
    TestFolder dir;
    ScopedUi ui;
    int32_t savedLanguage = PublicVal::gvLanguage;
    QString savedFolder = PublicVal::gvMapFolder;

    void SetUp() override {
        MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
        PublicVal::gvLanguage = 1;
        PublicVal::gvMapFolder = dir.path();
    }
    void TearDown() override {
        PublicVal::gvLanguage = savedLanguage;
        PublicVal::gvMapFolder = savedFolder;
    }

    // The CP932 bytes of lines each ended by CR LF.
    static QByteArray Lines(const QStringList& lines) {
        QByteArray b;
        for (const QString& l : lines) b += Cp932Encode(l) + "\r\n";
        return b;
    }
    static void MakeReadOnly(const QString& path) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    // The message texts shown so far.
    QStringList Messages() const {
        QStringList m;
        for (const auto& msg : ui.ui.messages) m << msg.text;
        return m;
    }
};
