// Library's paths and files: names, folders, extensions, case-free lookup, read-only files, file lists.
#include "core/Library.h"

#include "platform/ScriptedUi.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <tuple>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Library;

namespace {

TEST(LibraryPath, FileNameAndFolderWithEitherSeparator) {
    struct Case {
        const char* path;
        const char* name;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\a\\b.mll", "b.mll", "C:\\a"},
        {"/home/u/b.mll", "b.mll", "/home/u"},
        {"a/b\\c", "c", "a/b"},
        {"a\\b/c", "c", "a\\b"},
        {"C:b.mll", "b.mll", "C:b.mll"},
        {"b.mll", "b.mll", "b.mll"},
        {"C:\\x", "x", "C:"},
        {"C:\\a\\", "", "C:\\a"},
        {"/x", "x", "/"},   // the root holds it
        {"\\x", "x", "\\"},
        {"/", "", "/"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathFileName(c.path), c.name) << c.path;
        EXPECT_EQ(PathFolder(c.path), c.folder) << c.path;
    }
}

TEST(LibraryPath, JoinChangeExtAndShortenPath) {
    const std::tuple<QString, QString, const char*> joins[] = {
        {"C:\\maps", "a.thg", "C:\\maps\\a.thg"}, {"C:\\maps\\", "a.thg", "C:\\maps\\a.thg"},
        {"/home/u/maps/", "a.thg", "/home/u/maps/a.thg"}, {PathFolder("/x"), "y", "/y"},
        {"maps", "a.thg", "maps\\a.thg"}, {"", "a.thg", "\\a.thg"},
        // A file text that names a folder of its own is taken as it is.
        {"C:\\maps", "sub\\a.thg", "sub\\a.thg"}, {"/m", "/abs/a.thg", "/abs/a.thg"}, {"C:\\m", "x/a.thg", "x/a.thg"}};
    for (const auto& [folder, file, want] : joins) EXPECT_EQ(JoinPath(folder, file), want) << want;
    // ChangeExt looks only at the file name.
    const std::tuple<const char*, const char*, const char*> exts[] = {
        {"C:\\a.b\\map", "THG", "C:\\a.b\\map.THG"}, {"/x/map.mll", ".THG", "/x/map.THG"},
        {"map.tar.gz", "x", "map.tar.x"}, {"map.mll", "..", "map.."}};
    for (const auto& [path, ext, want] : exts) EXPECT_EQ(ChangeExt(path, ext), want) << path;

    // ShortenPath cuts one folder at a time; the first cut of p gives 20 characters.
    const QString p = "C:\\a\\bb\\ccc\\file.txt", q = "/home/user/maps/BASE.MLL"; // 20 and 24 characters
    const std::tuple<QString, int, QString> cuts[] = {
        {p, 20, p}, {p, 19, "C:\\a\\...\\file.txt"}, {p, 16, "C:\\...\\file.txt"}, {p, 14, "file.txt"},
        {p, 7, "file.tx"}, {p, 0, ""}, {p, -3, ""}, {q, 24, q}, {q, 23, "/home/user/.../BASE.MLL"},
        {q, 22, "/home/.../BASE.MLL"}, {q, 12, "BASE.MLL"},
        // Ends when nothing more can be cut.
        {"a\\\\\\\\\\\\\\\\\\b", 2, "b"}, {"////////x", 3, "x"}, {"noseparator.txt", 20, "noseparator.txt"},
        {QString(300, QLatin1Char('/')) + "z", 1, "z"}};
    for (const auto& [path, n, want] : cuts) EXPECT_EQ(ShortenPath(path, n), want) << path.toStdString() << " " << n;
}

TEST(LibraryPath, FileExistsWithoutRegardToCase) {
    TestFolder t;
    QDir(t.path()).mkpath("Maps");
    t.write("Maps/A.mll", "x");
    EXPECT_TRUE(FileExists(t.path() + "\\MAPS\\a.MLL"));
    EXPECT_TRUE(FileExists(t.path() + "/mAps")); // folders count
    EXPECT_FALSE(FileExists(t.path() + "/maps/b.mll"));
    EXPECT_FALSE(FileExists(""));
}

TEST(LibraryPath, ReadOnlyFileEvenForRootWithItsMessage) {
    ScopedUi ui;
    TestFolder t;
    const QString f = t.write("a.thg", "x");
    EXPECT_FALSE(IsReadOnlyFile(f, true));
    ::chmod(QFile::encodeName(f).constData(), 0444);
    EXPECT_FALSE(IsReadOnlyFile(t.file("missing.thg"), true));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
    EXPECT_TRUE(IsReadOnlyFile(t.file("A.THG"), false));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
    EXPECT_TRUE(IsReadOnlyFile(f, true));
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, f + QStringLiteral("\r\nは読み取り専用ファイルです."));
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
}

TEST(LibraryPath, FindFilesListsAFoldersFilesSortedBeforeItsSubfolders) {
    TestFolder t;
    QDir d(t.path());
    d.mkpath("Maps/Sub1/deep");
    d.mkpath("Maps/sub2");
    for (const char* f : {"Maps/b.MLL", "Maps/A.mll", "Maps/c.txt", "Maps/.hidden.mll", "Maps/noext", "Maps/sub2/x.mll",
                          "Maps/Sub1/y.MLL", "Maps/Sub1/deep/z.mll"})
        t.write(f, "x");
    // A link back up is not followed.
    ASSERT_EQ(::symlink(QFile::encodeName(t.path() + "/Maps").constData(),
                        QFile::encodeName(t.path() + "/Maps/Sub1/loop").constData()),
              0);
    const QString m = t.path() + "/Maps/";
    EXPECT_EQ(FindFiles(t.path() + "\\maps\\*.MLL"),
              QStringList({m + ".hidden.mll", m + "A.mll", m + "b.MLL", m + "Sub1/y.MLL", m + "Sub1/deep/z.mll",
                           m + "sub2/x.mll"}));
    EXPECT_EQ(FindFiles(t.path() + "/MAPS/?.mll"),
              QStringList({m + "A.mll", m + "b.MLL", m + "Sub1/y.MLL", m + "Sub1/deep/z.mll", m + "sub2/x.mll"}));
    EXPECT_TRUE(FindFiles(t.path() + "/Maps/*.*").contains(m + "noext"));
    EXPECT_EQ(FindFiles(t.path() + "/Maps/sub2/*"), QStringList({m + "sub2/x.mll"}));
    EXPECT_TRUE(FindFiles(t.path() + "/Maps/*.ADM").isEmpty());
    EXPECT_TRUE(FindFiles(t.path() + "/none/*.MLL").isEmpty());
}

} // namespace
