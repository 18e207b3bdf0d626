#include "cruise/clsCruiseList.h"

#include "support/CruiseFiles.h"
#include "platform/ScriptedUi.h"
#include "support/TestFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs a step just before answering a message box.
class HookedUi : public ScriptedUi {
public:
    std::function<void()> beforeAnswer;
    int MsgBox(const QString& text, int style, const QString& title) override {
        if (beforeAnswer) beforeAnswer();
        return ScriptedUi::MsgBox(text, style, title);
    }
};

} // namespace

TEST(CruiseListLine, FieldsCodesAndRefusedLines) {
    const struct {
        const char* line;
        int32_t code;
        const char *file, *nameE, *nameJ;
    } cases[] = {
        {"131000,WORLD_P1.MLL,World,世界", 131000, "WORLD_P1.MLL", "World", "世界"},
        {"\"167392\",\"JAPAN_P7.MLL\",\"Japan\",\"日本\"", 167392, "JAPAN_P7.MLL", "Japan", "日本"},
        {"131000,\"a,b\",c,d", 131000, "a,b", "c", "d"},
        {"131000, A.MLL ,Name E, ", 131000, " A.MLL ", "Name E", " "},
        {"141000,,Topo,地形", 141000, "", "Topo", "地形"}, // a code without a file
        {"020000,X.MLL,a,b", 20000, "X.MLL", "a", "b"},
        {"131000,A.MLL,a,b,", 131000, "A.MLL", "a", "b"}, // a final comma adds no field
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CruiseListRecord r;
        ASSERT_TRUE(clsCruiseList::ParseLine(QString::fromUtf8(c.line), r));
        EXPECT_EQ(r.Code, c.code);
        EXPECT_EQ(r.File, QString::fromUtf8(c.file));
        EXPECT_EQ(r.NameE, QString::fromUtf8(c.nameE));
        EXPECT_EQ(r.NameJ, QString::fromUtf8(c.nameJ));
    }
    // Not records: a code of other than six characters or not a number, and
    // other than four fields.
    for (const char* line : {"x,\"a,b\",c,d", "13100,A.MLL,a,b", "1310000,A.MLL,a,b", "CODE__,FILE,NAMEE,NAMEJ",
                             "131000,A.MLL,a", "131000,A.MLL,a,", "131000,A.MLL,a,b,c", "", "' 131000,A.MLL,a,b"}) {
        CruiseListRecord r;
        EXPECT_FALSE(clsCruiseList::ParseLine(QString::fromUtf8(line), r)) << line;
    }
}

TEST(CruiseListFile, ReadsTheJapaneseCodePageFirstDuplicateWins) {
    TestFolder t;
    ScopedUi ui;
    // 表示 = 95 5C 8E A6: a trail byte that is a backslash.
    clsCruiseList list;
    list.SetFileName(t.write("CRUISE05.LST", "code,file,English,Japanese\r\n"
                                             "131000,WORLD_P1.MLL,World,\x90\xA2\x8A\x45\r\n\r\n"
                                             "167392,JAPAN_P7.MLL,Japan,\x95\x5C\x8E\xA6\n"
                                             "131000,OTHER.MLL,Second,x\r\n"
                                             "132000,,Asia,y"));
    ASSERT_TRUE(list.ReadCruiseList());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Records()[0].NameJ, QStringLiteral("世界"));
    EXPECT_EQ(list.Records()[1].NameJ, QStringLiteral("表示"));
    EXPECT_EQ(list.Records()[2].File, "OTHER.MLL");
    EXPECT_EQ(list.Records()[3].NameJ, "y");
    ASSERT_NE(list.Find(131000), nullptr);
    EXPECT_EQ(list.Find(131000)->File, "WORLD_P1.MLL");
    EXPECT_EQ(list.Find(133000), nullptr);
    EXPECT_TRUE(ui.ui.messages.isEmpty());

    // No accepted line is an empty list that was read.
    list.SetFileName(t.write("b.lst", "; nothing here\r\n13100,A,b,c\r\n"));
    EXPECT_TRUE(list.ReadCruiseList());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.IsCurrent());
}

TEST(CruiseListFile, KeptUntilNameSizeOrTimeChanges) {
    TestFolder t;
    ScopedUi ui;
    const QDateTime when(QDate(2021, 5, 6), QTime(7, 8, 9));
    const QString path = t.write("a.lst", "131000,A.MLL,a,b\r\n");
    ASSERT_TRUE(SetModified(path, when));
    clsCruiseList list;
    list.SetFileName(path);
    EXPECT_FALSE(list.IsCurrent());
    ASSERT_TRUE(list.ReadCruiseList());
    EXPECT_TRUE(list.IsCurrent());

    t.write("a.lst", "131000,B.MLL,a,b\r\n");
    ASSERT_TRUE(SetModified(path, when));
    EXPECT_TRUE(list.IsCurrent());
    ASSERT_TRUE(SetModified(path, when.addSecs(1)));
    EXPECT_FALSE(list.IsCurrent());
    ASSERT_TRUE(list.ReadCruiseList());
    EXPECT_EQ(list.Find(131000)->File, "B.MLL");

    t.write("a.lst", "131000,CC.MLL,a,b\r\n");
    ASSERT_TRUE(SetModified(path, when.addSecs(1)));
    EXPECT_FALSE(list.IsCurrent()); // the size differs
    ASSERT_TRUE(list.ReadCruiseList());
    list.SetFileName(path); // naming the file again forgets it
    EXPECT_FALSE(list.IsCurrent());
    EXPECT_EQ(list.Count(), 0);
}

TEST(CruiseListFile, MissingFileIsReportedThenOffersARetry) {
    TestFolder t;
    const QString path = t.file("CRUISE05.LST");
    {
        ScopedUi ui;
        ui.ui.answers = {Mb::Ok, Mb::No};
        clsCruiseList list;
        list.SetFileName(path);
        EXPECT_FALSE(list.ReadCruiseList());
        EXPECT_EQ(list.Count(), 0);
        EXPECT_FALSE(list.IsCurrent());
        ASSERT_EQ(ui.ui.messages.size(), 2);
        EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("クルーズリストファイルが存在しません.\r\n") + path);
        EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
        EXPECT_EQ(ui.ui.messages[1].style & 7, Mb::YesNoCancel);
        EXPECT_TRUE(ui.ui.messages[1].text.contains(QStringLiteral("*File=") + path));
    }
    // The file appears while the prompt is shown; the retry reads it.
    HookedUi hooked;
    UiServices* previous = SetUi(&hooked);
    hooked.answers = {Mb::Ok, Mb::Yes};
    hooked.beforeAnswer = [&] {
        if (hooked.messages.size() == 1) t.write("CRUISE05.LST", "131000,A.MLL,a,b\r\n");
    };
    clsCruiseList list;
    list.SetFileName(path);
    const bool ok = list.ReadCruiseList();
    SetUi(previous);
    EXPECT_TRUE(ok);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(hooked.messages.size(), 2);
}
