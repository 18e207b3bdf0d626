// The program-folder tool as the build runs it, one file at a time, over a
// build folder where the user saves lists and edits settings in between.
#include "support/TestFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

bool Git(const QString& folder, const QStringList& args) {
    QProcess git;
    git.setWorkingDirectory(folder);
    git.start(QStringLiteral("git"), QStringList{QStringLiteral("-c"), QStringLiteral("user.name=t"), QStringLiteral("-c"),
                                                 QStringLiteral("user.email=t@t")} +
                                         args);
    return git.waitForFinished(60000) && git.exitStatus() == QProcess::NormalExit && git.exitCode() == 0;
}

TEST(ProgFolderTool, LaysOutAFileUnlessTheUserChangedIt) {
    struct Step {
        // Written over the file first; or the file deleted, linked from
        // outside the build folder (with what it held), linked to nothing
        // there, or made a folder; or its folder moved out and linked back;
        // nullptr leaves it.
        const char* there;
        QByteArray source;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        QByteArray file;    // afterwards; empty: none
        QByteArray aside;   // the copy kept beside; empty: none
        const char* told;   // why, by the last step; nullptr: nothing
        const char* how = "text";
        bool git = false;   // the source's folder is a checkout where A was committed
    };
    const char *del = "-", *linked = "->", *dangling = "->?", *folder = "/", *linkedFolder = "/->";
    const char* changed = "was changed; the new shipped copy is";
    const char* unknown = "differs from the shipped copy and the build cannot tell who changed it; the shipped copy is";
    const char* foreign = "is no plain file inside the build folder (a link or a folder); the new shipped copy is";
    const Row rows[] = {
        {"lay out", {{nullptr, A}}, A1, {}, nullptr},
        {"copied byte for byte", {{nullptr, "a\nb"}}, "a\nb", {}, nullptr, "copy"},
        // Remark record 1, area 0, 22 characters of text, the attribute word.
        {"empty base map", {{nullptr, {}}},
         QByteArray("\x01\x00\x00\x00\x16\x00", 6) + "VOSPERAL BASE MAP 1.06" + QByteArray(4, '\0'), {}, nullptr,
         "empty-map"},
        {"relinked, saved", {{nullptr, A}, {Saved, A}}, Saved, {}, nullptr},
        {"changed source, saved", {{nullptr, A}, {Saved, B}}, Saved, B1, changed},
        {"changed source, untouched", {{nullptr, A}, {nullptr, B}}, B1, {}, nullptr},
        {"changed again, saved", {{nullptr, A}, {Saved, B}, {nullptr, C}}, Saved, C1, changed},
        {"changed back, saved", {{nullptr, A}, {Saved, B}, {nullptr, A}}, Saved, {}, nullptr},
        {"saved as the new source", {{nullptr, A}, {B1, B}}, B1, {}, nullptr},
        {"missing", {{nullptr, A}, {del, A}}, A1, {}, nullptr},
        {"saved, then deleted", {{nullptr, A}, {Saved, B}, {del, B}}, B1, {}, nullptr},
        // Never written through, never in the way of the build.
        {"a link, changed source", {{nullptr, A}, {linked, B}}, A1, B1, foreign},
        {"a link to nothing, changed source", {{nullptr, A}, {dangling, B}}, {}, B1, foreign},
        {"a folder, changed source", {{nullptr, A}, {folder, B}}, {}, B1, foreign},
        {"a linked folder, changed source", {{nullptr, A}, {linkedFolder, B}}, A1, B1, foreign},
        // A build folder from before records: who changed a difference is
        // not known, unless it is a version shipped before.
        {"no record, differing", {{Saved, A}}, Saved, A1, unknown},
        {"no record, as shipped", {{A1, A}, {nullptr, B}}, B1, {}, nullptr},
        {"no record, as shipped before", {{A1, B}}, B1, {}, nullptr, "text", true},
    };
    const QString name = QStringLiteral("MAP/X.THG");
    for (const Row& r : rows) {
        TestFolder src, build, outside;
        const QString file = build.file(name), aside = build.file(QStringLiteral("shipped/") + name);
        if (r.steps.front().there) QDir().mkpath(build.file(QStringLiteral("MAP")));
        if (r.git) {
            src.write(QStringLiteral("X"), A);
            ASSERT_TRUE(Git(src.path(), {QStringLiteral("init"), QStringLiteral("-q")}) &&
                        Git(src.path(), {QStringLiteral("add"), QStringLiteral("X")}) &&
                        Git(src.path(), {QStringLiteral("commit"), QStringLiteral("-qm"), QStringLiteral("A")}));
        }
        ToolRun last;
        // Once more with nothing changed: the build relinked the tool.
        std::vector<Step> steps = r.steps;
        steps.push_back({nullptr, r.steps.back().source});
        for (const Step& s : steps) {
            if (s.there == linked) outside.write(QStringLiteral("X"), build.read(name));
            if (s.there == del || s.there == linked || s.there == dangling || s.there == folder) QFile::remove(file);
            if (s.there == linked || s.there == dangling)
                QFile::link(outside.file(QLatin1String(s.there == linked ? "X" : "none")), file);
            else if (s.there == folder)
                QDir().mkpath(file);
            else if (s.there == linkedFolder &&
                     QDir().rename(build.file(QStringLiteral("MAP")), outside.file(QStringLiteral("MAP"))))
                QFile::link(outside.file(QStringLiteral("MAP")), build.file(QStringLiteral("MAP")));
            else if (s.there && s.there != del)
                build.write(name, s.there);
            src.write(QStringLiteral("X"), s.source);
            // A file whose bytes stay is not written either.
            const QByteArray before = build.read(name);
            const QDateTime old = Stamp(file, QDateTime::fromSecsSinceEpoch(1000000000));
            const QString how = QLatin1String(r.how);
            const QString source = how == QLatin1String("empty-map") ? QString() : src.file(QStringLiteral("X"));
            src.write(QStringLiteral("list"), QStringLiteral("%1\t%2\t%3\n").arg(how, source, name).toUtf8());
            const ToolRun run = Tool({src.file(QStringLiteral("list")), build.path()});
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
        const QString told = QStringLiteral("Kept %1 as it %2 %3\n").arg(file, QString::fromUtf8(r.told), aside);
        EXPECT_EQ(last.out, r.told ? told.toUtf8() : QByteArray()) << r.name;
        // What is not a file of the build's stays what it was, and what it
        // leads to is neither written nor made.
        const Step& put = r.steps.back();
        EXPECT_EQ(QFileInfo(file).isSymLink(), put.there == linked || put.there == dangling) << r.name;
        EXPECT_EQ(QFileInfo(file).isDir(), put.there == folder) << r.name;
        EXPECT_EQ(outside.read(QStringLiteral("X")), put.there == linked ? A1 : QByteArray()) << r.name;
        EXPECT_EQ(outside.read(name), put.there == linkedFolder ? A1 : QByteArray()) << r.name;
        EXPECT_FALSE(QFile::exists(outside.file(QStringLiteral("none")))) << r.name;
    }
}

} // namespace
