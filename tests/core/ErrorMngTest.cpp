#include "core/ErrorMng.h"
#include "platform/FileSystem.h"
#include "support/TestFolder.h"

#include <QFileInfo>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <system_error>

using namespace ErrorMng;

namespace {

void Inner() {
    try {
        throw VospError(53, QStringLiteral("Runtime"), QStringLiteral("ファイルが見つかりません。"));
    } catch (...) {
        ReRaise(ErrBase + 1001, "clsThings", "Load", "file=a.thg");
    }
}

void Middle() {
    try {
        Inner();
    } catch (...) {
        ReRaise(ErrBase + 1002, "basLibrary", "Open");
    }
}

// The number a failure carries once ReRaise has given it context.
template <class F>
int32_t NumberOf(F thrower) {
    try {
        try {
            thrower();
        } catch (...) {
            ReRaise(ErrBase + 1001, "x", "y");
        }
    } catch (const VospError& e) {
        return e.number;
    }
    return 0;
}

} // namespace

TEST(ErrorMng, ThreeLevelsChainSourceAndDescriptionAndKeepThePendingNumber) {
    try {
        try {
            Middle();
        } catch (...) {
            ReRaise(ErrBase + 1003, "frmMain", "mnuOpen_Click", "open");
        }
        FAIL();
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 53);
        EXPECT_EQ(e.source, "frmMain.mnuOpen_Click/basLibrary.Open/clsThings.Load/Runtime");
        EXPECT_EQ(e.description, QStringLiteral("open/file=a.thg/ファイルが見つかりません。"));
    }
    // With nothing pending a new error takes the number.
    try {
        ReRaise(ErrBase + 1001, "clsPoly", "Item", "index");
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, ErrBase + 1001);
        EXPECT_EQ(e.source, "clsPoly.Item/");
        EXPECT_EQ(e.description, "index/");
    }
    EXPECT_EQ(CurrentError().number, 0); // nothing pending outside a handler
}

TEST(ErrorMng, FailuresMapToClassicNumbers) {
    TestFolder t;
    namespace fs = std::filesystem;
    EXPECT_EQ(NumberOf([&] { (void)fs::file_size(fs::path(t.file("missing").toStdString())); }), 53);
    const QString plain = t.write("plain", "x");
    EXPECT_EQ(NumberOf([&] { FileSystem::ReadAll(plain + "/a.thg"); }), 76); // a file where a folder should be
    // Even root may not create files among the kernel's objects.
    if (QFileInfo::exists("/sys/kernel")) {
        EXPECT_EQ(NumberOf([] { FileSystem::WriteAtomic("/sys/kernel/vosperal-test.thg", "x"); }), 70);
    }
    EXPECT_EQ(NumberOf([] { throw std::system_error(std::make_error_code(std::errc::no_space_on_device)); }), 61);
    EXPECT_EQ(NumberOf([] { throw std::system_error(std::make_error_code(std::errc::file_exists)); }), 58);
    EXPECT_EQ(NumberOf([] { throw std::system_error(std::make_error_code(std::errc::too_many_files_open)); }), 67);
    EXPECT_EQ(NumberOf([] { throw std::bad_alloc(); }), 7);
    EXPECT_EQ(NumberOf([] { throw std::overflow_error("o"); }), 6);
    EXPECT_EQ(NumberOf([] { throw std::range_error("r"); }), 6);
    EXPECT_EQ(NumberOf([] { throw std::out_of_range("r"); }), 9);
    EXPECT_EQ(NumberOf([] { throw std::invalid_argument("t"); }), 13);
    EXPECT_EQ(NumberOf([] { throw std::bad_cast(); }), 13);
    EXPECT_EQ(NumberOf([] { throw 42; }), 51);
    for (auto [n, file] : {std::pair{52, true}, {76, true}, {77, false}, {51, false}}) EXPECT_EQ(IsFileError(n), file) << n;
    EXPECT_FALSE(IsFileError());
    for (auto [n, file] : {std::pair{76, true}, {ErrBase + 1001, false}}) {
        try {
            throw VospError(n, "", "");
        } catch (...) {
            EXPECT_EQ(IsFileError(), file) << n;
        }
    }
}
