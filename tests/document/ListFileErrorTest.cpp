#include "core/ErrorMng.h"
#include "document/clsAdmins.h"
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

// A number too large for its field is a damaged file: one message naming the
// file, the line and its text, error 6 as the result, and nothing kept of
// the file. The prompt for other errors is not shown.
TEST_F(ListFileErrorTest, NumberBeyondItsFieldFailsTheLoadAtItsLine) {
    const QString thingHead = QStringLiteral("[THING]\r\nNUMBER=1\r\nFIGURE=POLYGON\r\nNAME=\"a\"\r\n");
    struct Case {
        const char* name;
        bool things;
        QString text;
        int line;
        QString bad;
    } cases[] = {
        {"fore beyond 32 bits", true, thingHead + "FORE=&H000000FF&,&H100000000&\r\n", 5, "FORE=&H000000FF&,&H100000000&"},
        {"scale beyond a double", true, thingHead + "SMALL=1E+400\r\n\r\n", 5, "SMALL=1E+400"},
        {"thing header", true, "[COMMENT]\r\nc\r\n\r\n[THING=1E+400]\r\nNAME=\"a\"\r\n", 4, "[THING=1E+400]"},
        {"category", true, "[CATEGORY]\r\n1,\"a\"\r\n-1E999,\"b\"\r\n\r\n", 3, "-1E999,\"b\""},
        {"area group", false, "[AREA]\r\n1,\"ASIA\",\"アジア\"\r\n1E+400,\"x\",\"y\"\r\n", 3, "1E+400,\"x\",\"y\""},
        {"area page", false, "[ADMINISTRATION]\r\n001,1,2,\"a\",\"b\"\r\n002,1,&HFFFFFFFFF,\"c\",\"d\"\r\n", 3,
         "002,1,&HFFFFFFFFF,\"c\",\"d\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.ui.messages.clear();
        const QString path = dir.write(QLatin1String(c.things ? "BAD.THG" : "BAD.ADM"), Cp932Encode(c.text));
        int32_t result = 0;
        int32_t count = -1;
        if (c.things) {
            clsThings list;
            list.SetFileName(path);
            list.SetComment(QStringLiteral("kept?"));
            result = list.Load();
            count = list.Count() + (list.Comment().isEmpty() ? 0 : 100);
        } else {
            clsAdmins list;
            list.SetFileName(path);
            list.SetAreaName(5, 1, QStringLiteral("kept?"));
            result = list.Load();
            count = list.Count() + (list.AreaName(1, 1).isEmpty() && list.AreaName(5, 1).isEmpty() ? 0 : 100);
        }
        EXPECT_EQ(result, 6);
        EXPECT_EQ(count, 0); // nothing of the file, nothing of before
        ASSERT_EQ(ui.ui.messages.size(), 1);
        EXPECT_EQ(ui.ui.messages[0].text,
                  path + "\r\n" + QString::number(c.line) + "行目の数値が範囲を超えています.\r\n" + c.bad);
        EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
    }
}

} // namespace
