#include "platform/FileSystem.h"

#include "platform/Cp932Codec.h"
#include "platform/VospError.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

int32_t ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VospError& e) {
        return e.number;
    }
    return 0;
}

std::ptrdiff_t OpenDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
}

// As the map file's view reads: as many bytes as the size given.
QByteArray ReadBySize(const QString& path) {
    struct stat st {};
    const int fd = FileSystem::OpenForReading(path, st);
    QByteArray bytes(st.st_size, '\0');
    bytes.resize(std::max<ssize_t>(::read(fd, bytes.data(), bytes.size()), 0));
    ::close(fd);
    return bytes;
}

// "123" under a write lease, as a file server takes one; `holder` writes
// "45" and lets go 200 ms later.
void HoldLease(const QString& path, std::thread& holder) {
    ::signal(SIGIO, SIG_IGN); // the notice of the break: the holder lets go in its own time
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::write(fd, "123", 3), 3);
    const bool leased = ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
    const int e = errno;
    holder = std::thread([fd, leased] {
        if (leased) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(::write(fd, "45", 2), 2);
        ::close(fd);
    });
    if (leased) return;
    holder.join(); // the row reads the whole file all the same
    GTEST_SKIP() << "no lease can be taken here: F_SETLEASE: " << std::strerror(e);
}

TEST(FileSystem, ResolvesNamesWithoutRegardToCaseAndEitherSeparator) {
    TestFolder t;
    QDir(t.path()).mkpath("Maps/World");
    t.write("Maps/World/BASE.MLL", "x");
    const QString expect = t.path() + "/Maps/World/BASE.MLL";
    EXPECT_EQ(FileSystem::ResolvePath(t.path() + "/maps/world/base.mll"), expect);
    EXPECT_EQ(FileSystem::ResolvePath(t.path() + "\\MAPS\\WORLD\\Base.Mll"), expect);
    EXPECT_TRUE(FileSystem::IsFile(t.path() + "/MAPS/world/base.MLL"));
    EXPECT_TRUE(FileSystem::IsFolder(t.path() + "\\maps"));
    // A new file keeps the name as given below the resolved folder.
    EXPECT_EQ(FileSystem::ResolvePath(t.path() + "/maps/New.THG"), t.path() + "/Maps/New.THG");
    EXPECT_FALSE(FileSystem::Exists(""));
}

// Milliseconds since 1970 in UTC, sub-millisecond parts cut off; anything
// but a folder has none.
TEST(FileSystem, FolderTimeIsUtcMilliseconds) {
    TestFolder t;
    QDir(t.path()).mkpath("sub");
    t.write("file.txt", "x");
    const QString sub = t.path() + "/sub";
    const struct {
        const char* name;
        timespec when;
        int64_t ms;
    } rows[] = {
        {"recent", {1700000000, 987654321}, 1700000000987},
        {"whole second", {1000000000, 0}, 1000000000000},
        {"epoch", {0, 999999}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const timespec times[2] = {r.when, r.when};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(sub).constData(), times, 0), 0);
        EXPECT_EQ(FileSystem::FolderTime(sub), r.ms);
    }
    EXPECT_EQ(FileSystem::FolderTime(t.path() + "/file.txt"), -1);
    EXPECT_EQ(FileSystem::FolderTime(t.path() + "/missing"), -1);
    EXPECT_EQ(FileSystem::FolderTime(QString()), -1);
}

// Read-only means no write bit, even for root, and a replacement keeps it.
TEST(FileSystem, WritesCp932LinesWithCrLfAtomicallyAndKeepsReadOnly) {
    TestFolder t;
    const QString f = t.file("list.txt");
    FileSystem::WriteCp932Lines(f, {QStringLiteral("表"), QString(), QStringLiteral("a")});
    EXPECT_EQ(t.read("list.txt"), QByteArray("\x95\x5C\r\n\r\na\r\n"));
    EXPECT_FALSE(FileSystem::IsReadOnly(f));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(f).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u); // a new file gets the usual bits
    EXPECT_FALSE(FileSystem::IsReadOnly(t.path() + "/missing"));
    ::chmod(QFile::encodeName(f).constData(), 0444);
    EXPECT_TRUE(FileSystem::IsReadOnly(t.path() + "/LIST.TXT"));
    FileSystem::WriteCp932Lines(f, {QStringLiteral("b")});
    EXPECT_TRUE(FileSystem::IsReadOnly(f)); // permissions survive the replacement
    EXPECT_EQ(QDir(t.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(FileSystem, ReadsCrLfAndBareLfLines) {
    TestFolder t;
    t.write("a.txt", "one\r\ntwo\nthree\r\n\r\n\x95\x5C");
    EXPECT_EQ(FileSystem::ReadCp932Lines(t.file("A.TXT")), (QStringList{"one", "two", "three", "", QStringLiteral("表")}));
}

TEST(FileSystem, OpensForReadingByAnyLetterCaseAndFailsWithTheClassicNumbers) {
    TestFolder t;
    QDir(t.path()).mkpath("Data");
    t.write("Data/LIST.TXT", "12345");
    struct stat st {};
    const int fd = FileSystem::OpenForReading(t.path() + "\\data\\list.txt", st);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(st.st_size, 5);
    char buf[8] = {};
    EXPECT_EQ(::read(fd, buf, sizeof buf), 5);
    ::close(fd);
    EXPECT_STREQ(buf, "12345");
    // Failures carry the classic file error numbers.
    EXPECT_EQ(ErrorOf([&] { FileSystem::OpenForReading(t.file("none.txt"), st); }), 53);
    EXPECT_EQ(ErrorOf([&] { FileSystem::OpenForReading(t.path() + "/DATA", st); }), 75);
    EXPECT_EQ(ErrorOf([&] { FileSystem::ReadAll(t.file("missing.txt")); }), 53);
    EXPECT_EQ(ErrorOf([&] { FileSystem::WriteAtomic(t.file("nofolder/x.txt"), "a"); }), 76);
    EXPECT_EQ(ErrorOf([&] { FileSystem::ReadAll(t.path()); }), 75);
    // A FIFO would wait for a writer for good: refused, never opened, even
    // when it takes the file's place after the check.
    ASSERT_EQ(::mkfifo(QFile::encodeName(t.file("PIPE.MLG")).constData(), 0600), 0);
    const auto fifoAfterCheck = [&](const char* file, const QByteArray& descriptorFolder) {
        const QByteArray name = QFile::encodeName(t.write(file, "12345"));
        FileSystem::SetReadOpenHookForTests(
            [name] { EXPECT_TRUE(::unlink(name.constData()) == 0 && ::mkfifo(name.constData(), 0600) == 0); },
            descriptorFolder);
    };
    std::thread holder; // of the lease
    const std::tuple<const char*, std::function<void()>, QString, int32_t> rows[] = {
        {"FIFO", {}, t.file("pipe.mlg"), 75},
        {"file under a lease", [&] { HoldLease(t.file("LEASED.MLL"), holder); }, t.file("leased.mll"), 0},
        {"FIFO after the check", [&] { fifoAfterCheck("SWAP1.MLL", {}); }, t.file("swap1.mll"), 0},
        {"FIFO after the check, no /proc", [&] { fifoAfterCheck("SWAP2.MLL", QFile::encodeName(t.file("none/"))); },
         t.file("swap2.mll"), 75},
    };
    ::alarm(10); // a read stuck on a FIFO ends the test now, not at CTest's timeout
    for (const auto& [name, setUp, path, error] : rows) {
        SCOPED_TRACE(name);
        const auto open = OpenDescriptors(); // before the lease holder's own
        if (setUp) setUp();
        QByteArray bytes;
        const QString file = path; // clang before 16 lets no lambda capture a structured binding
        EXPECT_EQ(ErrorOf([&] { bytes = ReadBySize(file); }), error);
        EXPECT_EQ(bytes, error == 0 ? "12345" : "");
        EXPECT_EQ(OpenDescriptors(), open); // none left behind by a read or a refusal
        FileSystem::SetReadOpenHookForTests({});
    }
    ::alarm(0);
    if (holder.joinable()) holder.join();
}

TEST(FileSystem, ChangeExtensionReplacesOnlyTheLastDotOfTheName) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"a.b/c", "x", "a.b/c.x"}, {"a.b\\c", ".x", "a.b\\c.x"}, {"c.d.e", "x", "c.d.x"},
        {".mll", "THG", ".THG"},   {"", "", "."},                     {"m.", ".x.y", "m.x.y"}};
    for (const auto& [path, ext, want] : rows) EXPECT_EQ(FileSystem::ChangeExtension(path, ext), want) << path;
}

} // namespace

TEST(FileSystem, SavingThroughLinksReplacesTheFileTheyStandFor) {
    TestFolder t;
    const QByteArray real = QFile::encodeName(t.write("real.THG", "old")), near = QFile::encodeName(t.file("near.THG"));
    ASSERT_EQ(::chmod(real.constData(), 0640), 0);
    ASSERT_EQ(::symlink("real.THG", near.constData()), 0); // relative, and an absolute link to it
    ASSERT_EQ(::symlink(near.constData(), QFile::encodeName(t.file("far.THG")).constData()), 0);
    FileSystem::WriteAtomic(t.file("far.thg"), "new");
    EXPECT_EQ(QFileInfo(t.file("near.THG")).symLinkTarget(), t.file("real.THG"));
    EXPECT_EQ(QFileInfo(t.file("far.THG")).symLinkTarget(), t.file("near.THG"));
    EXPECT_EQ(t.read("real.THG"), "new");
    EXPECT_EQ(QFile::permissions(t.file("real.THG")), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                       QFile::WriteUser | QFile::ReadGroup);
}
