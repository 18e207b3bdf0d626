// Cancel at the file-error question, at every place that asks it.
#include "AppFixture.h"

#include "core/DialogGuard.h"
#include "core/clsEnvironment.h"
#include "cruise/clsCruiseList.h"
#include "cruise/clsGridMap.h"
#include "dialogs/GazetteerFile.h"
#include "dialogs/PlaceList.h"
#include "document/clsAdmins.h"
#include "document/clsThings.h"
#include "support/DiskFull.h"
#include "support/FakeAppHost.h"

#include <QMap>

namespace {

// Every file of a folder with its bytes; links by name only.
QMap<QString, QByteArray> Contents(const QString& folder) {
    QMap<QString, QByteArray> m;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile file(f.filePath());
        m[f.fileName()] = !f.isSymLink() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("link");
    }
    return m;
}

class FileErrorCancelTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_EQ(PublicVal::gvInitialize(), 0);
    }
};

// Reading this process's memory file fails with an I/O error (57) and a
// full disk fails a write (57 too), both offered for retry. Cancel ends the
// operation as giving up does, with its give-up result, the old file as it
// was and the program going on; a list's save alone answers that it was
// cancelled, so that the close or quit asking for it stops.
TEST_F(FileErrorCancelTest, CancelEndsTheOperationAsGivingUp) {
    const QString mem = QStringLiteral("/proc/self/mem");
    if (!QFileInfo::exists(mem)) GTEST_SKIP();
    TestFolder dir;
    for (const char* name : {"MEM.MLL", "MEM.ADM", "MEM.MLG"}) ASSERT_TRUE(QFile::link(mem, dir.file(name)));
    const QString oldThings = dir.write("OLD.THG", "[CATEGORY]\r\n\r\n");
    const QString oldGazet = dir.write("GAZET.TXT", "old\r\n");
    const QString oldLog = dir.write("OLD.MLG", "old\r\n");
    PlaceList places;
    places.Append({"Tokyo", "JAPAN.MLL", "Japan", "City", "503000", "128000", "1", "1", "TOKYO"});
    const clsRect area(-648000, 324000, 648000, -324000);
    const struct {
        const char* what;
        std::function<int32_t()> run;
        int32_t result;
    } rows[] = {
        {"environment", [&] { clsEnvironment e; e.SetFileName(mem); return e.Load(); }, 57},
        {"map", [&] { clsMap m; m.SetFileName(dir.file("MEM.MLL")); return m.Load(); }, 57},
        {"area list", [&] { clsAdmins a; a.SetFileName(dir.file("MEM.ADM")); return a.Load(); }, 57},
        {"cruise list", [&] { clsCruiseList l; l.SetFileName(mem); return int32_t(l.ReadCruiseList()); }, 0},
        {"grid point", [&] { clsGridMap g; g.SetFileName(mem); return int32_t(g.GetCountryCode(0, 0)); }, -1},
        {"grid area", [&] { clsGridMap g; g.SetFileName(mem); return int32_t(g.GetCountryCodeArea(&area).size()); }, 0},
        {"gazetteer read", [&] { PlaceList l; int32_t s = 1; return int32_t(GazetteerFile::Read(mem, l, s)); }, 0},
        {"gazetteer write", [&] { return int32_t(GazetteerFile::Write(oldGazet, places, 1, 1)); }, 0},
        {"snapshot write", [&] { return PublicVal::gvWriteLog(oldLog); }, 57},
        {"snapshot read", [&] { return PublicVal::gvReadLog(dir.file("MEM.MLG")); }, 57},
        {"list save", [&] {
             clsThings t;
             t.SetFileName(oldThings);
             t.SetComment("new");
             return t.Save() + (t.Modify() ? 0 : 1000);
         }, ErrorMng::SaveCancelled},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const auto before = Contents(dir.path());
        FakeAppHost host;
        scripted.ui.messages.clear();
        scripted.ui.answers = {Mb::Cancel};
        int32_t result = 12345;
        {
            DiskFull disk(8);
            // A handler's guard: what passes it stops the program.
            EXPECT_NO_THROW(DialogGuard::StopOnError("frmTest", "Run", [&] { result = r.run(); }));
        }
        EXPECT_EQ(result, r.result);
        EXPECT_EQ(host.windupCalls, 0);
        // (The full disk may refuse the settings store too, and say so.)
        ASSERT_GE(scripted.ui.messages.size(), 1);
        EXPECT_TRUE(scripted.ui.messages[0].text.endsWith(QStringLiteral("再試行しますか？")));
        EXPECT_EQ(Contents(dir.path()), before);
    }
}

} // namespace
