#include "core/ErrorMng.h"
#include "document/clsThings.h"

#include "support/DocumentTestEnv.h"

#include <QDir>

namespace {

using ListFileErrorTest = DocumentTest;

std::shared_ptr<clsThings> ThingsAt(const QString& path) {
    auto list = std::make_shared<clsThings>();
    list->SetFileName(path);
    list->SetComment(QStringLiteral("c"));
    return list;
}

// Writing into a folder that is not there is a file error offered for retry.
TEST_F(ListFileErrorTest, SaveRetriesThenGivesUpAndStaysModified) {
    const QString path = dir.file("gone/T.THG");
    auto list = ThingsAt(path);
    ui.ui.answers = {Mb::Cancel};
    EXPECT_EQ(list->Save(), ErrorMng::SaveCancelled); // cancelled: fails without raising
    EXPECT_TRUE(list->Modify());
    ui.ui.messages.clear();
    ui.ui.answers = {Mb::Yes, Mb::No};
    EXPECT_EQ(list->Save(), 76);
    ASSERT_EQ(ui.ui.messages.size(), 2);
    EXPECT_TRUE(ui.ui.messages[1].text.endsWith(QStringLiteral("*File=") + path + QStringLiteral("\r\n再試行しますか？")));
    EXPECT_TRUE(list->Modify());
    EXPECT_EQ(list->Comment(), QStringLiteral("c"));

    // Once the folder is there the same list saves and is no longer modified.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("gone")));
    EXPECT_EQ(list->Save(), 0);
    EXPECT_FALSE(list->Modify());
    EXPECT_TRUE(QFile::exists(path));
}

// A folder in the file's place reads as a file access error (75), one that
// is not offered for retry; the list then keeps nothing of what it held.
TEST_F(ListFileErrorTest, FailedLoadEmptiesTheList) {
    const QString path = dir.file("T.THG");
    auto list = ThingsAt(path);
    list->SetCategoryName(3, QStringLiteral("k"));
    list->Add(std::make_shared<clsThing>());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("T.THG")));
    EXPECT_EQ(list->Load(), 75);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Exclamation);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Comment(), QString());
    EXPECT_EQ(list->CategoryName(3), QString());
    EXPECT_FALSE(list->LockMode());
}

} // namespace
