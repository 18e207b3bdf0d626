// The program-folder tool as the build runs it, one file at a time, over a
// build folder where the user saves lists and edits settings in between.
#include "support/TestFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct ToolRun {
    int exit = -1;
    QByteArray out, err;
};

ToolRun Tool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(VOSP_TOOL_PROGFOLDER), args);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit) return {};
    return {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
}

// Sets the file's time when `to` is given; its time.
QDateTime Stamp(const QString& path, const QDateTime& to = {}) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return {};
    if (to.isValid()) f.setFileTime(to, QFileDevice::FileModificationTime);
    return f.fileTime(QFileDevice::FileModificationTime);
}

// Sources in UTF-8 with LF, and what the program folder gets of them.
const QByteArray A = "[COMMENT]\n\xE3\x81\x82\n", A1 = "[COMMENT]\r\n\x82\xA0\r\n";
const QByteArray B = "[COMMENT]\n\xE3\x81\x84\n", B1 = "[COMMENT]\r\n\x82\xA2\r\n";
const QByteArray C = "[COMMENT]\n\xE3\x81\x86\n", C1 = "[COMMENT]\r\n\x82\xA4\r\n";
const QByteArray Saved = "[COMMENT]\r\nmine\r\n";

TEST(ProgFolderTool, LaysOutAFileUnlessTheUserChangedIt) {
    struct Step {
        const char* there;  // written over the file first; "-" deletes it; nullptr leaves it
        QByteArray source;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        QByteArray file;    // afterwards; empty: none
        QByteArray aside;   // the copy kept beside; empty: none
        bool told;          // by the last step
        const char* how = "text";
    };
    const char* del = "-";
    const Row rows[] = {
        {"lay out", {{nullptr, A}}, A1, {}, false},
        {"copied byte for byte", {{nullptr, "a\nb"}}, "a\nb", {}, false, "copy"},
        // Remark record 1, area 0, 22 characters of text, the attribute word.
        {"empty base map", {{nullptr, {}}},
         QByteArray("\x01\x00\x00\x00\x16\x00", 6) + "VOSPERAL BASE MAP 1.06" + QByteArray(4, '\0'), {}, false,
         "empty-map"},
        {"relinked, saved", {{nullptr, A}, {Saved, A}}, Saved, {}, false},
        {"changed source, saved", {{nullptr, A}, {Saved, B}}, Saved, B1, true},
        {"changed source, untouched", {{nullptr, A}, {nullptr, B}}, B1, {}, false},
        {"changed again, saved", {{nullptr, A}, {Saved, B}, {nullptr, C}}, Saved, C1, true},
        {"changed back, saved", {{nullptr, A}, {Saved, B}, {nullptr, A}}, Saved, {}, false},
        {"saved as the new source", {{nullptr, A}, {B1, B}}, B1, {}, false},
        {"missing", {{nullptr, A}, {del, A}}, A1, {}, false},
        {"saved, then deleted", {{nullptr, A}, {Saved, B}, {del, B}}, B1, {}, false},
        // A build folder from before records: a difference is the user's.
        {"no record, differing", {{Saved, A}}, Saved, A1, true},
        {"no record, as shipped", {{A1, A}, {nullptr, B}}, B1, {}, false},
    };
    const QString name = QStringLiteral("MAP/X.THG");
    for (const Row& r : rows) {
        TestFolder src, build;
        const QString file = build.file(name), aside = build.file(QStringLiteral("shipped/") + name);
        if (r.steps.front().there) QDir().mkpath(build.file(QStringLiteral("MAP")));
        ToolRun last;
        // Once more with nothing changed: the build relinked the tool.
        std::vector<Step> steps = r.steps;
        steps.push_back({nullptr, r.steps.back().source});
        for (const Step& s : steps) {
            if (s.there == del) QFile::remove(file);
            else if (s.there) build.write(name, s.there);
            src.write(QStringLiteral("X"), s.source);
            // A file whose bytes stay is not written either.
            const QByteArray before = build.read(name);
            const QDateTime old = Stamp(file, QDateTime::fromSecsSinceEpoch(1000000000));
            QStringList args{QString::fromLatin1(r.how), src.file(QStringLiteral("X")), build.path(), name};
            if (args[0] == QLatin1String("empty-map")) args.removeAt(1);
            const ToolRun run = Tool(args);
            ASSERT_EQ(run.exit, 0) << r.name << ' ' << run.err.constData();
            if (QFile::exists(file) && build.read(name) == before) {
                EXPECT_EQ(Stamp(file), old) << r.name;
            }
            if (&s == &steps.back()) {
                EXPECT_EQ(run.out, QByteArray()) << r.name;
            } else {
                last = run;
            }
        }
        EXPECT_EQ(build.read(name), r.file) << r.name;
        EXPECT_EQ(build.read(QStringLiteral("shipped/") + name), r.aside) << r.name;
        EXPECT_EQ(QFile::exists(aside), !r.aside.isEmpty()) << r.name;
        const QString told = QStringLiteral("Kept %1 as it was changed; the new shipped copy is %2\n").arg(file, aside);
        EXPECT_EQ(last.out, r.told ? told.toUtf8() : QByteArray()) << r.name;
    }
}

} // namespace
