#include "dialogs/clsCruiseList.h"

#include "platform/ScriptedUi.h"
#include "platform/VospError.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool Parse(const QString& line, CruiseListRecord& r) { return clsCruiseList::ParseLine(line, r); }

bool Taken(const QString& line) {
    CruiseListRecord r;
    return Parse(line, r);
}

bool SetTime(const QString& path, const QDateTime& when) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}

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

TEST(CruiseListLine, FieldsAndCodes) {
    CruiseListRecord r;
    ASSERT_TRUE(Parse(QStringLiteral("131000,WORLD_P1.MLL,World,世界"), r));
    EXPECT_EQ(r.Code, 131000);
    EXPECT_EQ(r.File, "WORLD_P1.MLL");
    EXPECT_EQ(r.NameE, "World");
    EXPECT_EQ(r.NameJ, QStringLiteral("世界"));

    ASSERT_TRUE(Parse(QStringLiteral("\"167392\",\"JAPAN_P7.MLL\",\"Japan\",\"日本\""), r));
    EXPECT_EQ(r.Code, 167392);
    EXPECT_EQ(r.File, "JAPAN_P7.MLL");

    // A comma inside quotes stays in the field; blanks belong to it.
    ASSERT_TRUE(Parse(QStringLiteral("131000,\"a,b\",c,d"), r));
    EXPECT_EQ(r.File, "a,b");
    EXPECT_EQ(r.NameE, "c");
    ASSERT_TRUE(Parse(QStringLiteral("131000, A.MLL ,Name E, "), r));
    EXPECT_EQ(r.File, " A.MLL ");
    EXPECT_EQ(r.NameJ, " ");

    // An empty field between commas counts: a code without a file.
    ASSERT_TRUE(Parse(QStringLiteral("141000,,Topo,地形"), r));
    EXPECT_EQ(r.Code, 141000);
    EXPECT_TRUE(r.File.isEmpty());

    ASSERT_TRUE(Parse(QStringLiteral("020000,X.MLL,a,b"), r)); // leading zero
    EXPECT_EQ(r.Code, 20000);
}

TEST(CruiseListLine, LinesThatAreNotRecords) {
    EXPECT_FALSE(Taken(QStringLiteral("x,\"a,b\",c,d")));              // one-character code
    EXPECT_FALSE(Taken(QStringLiteral("13100,A.MLL,a,b")));            // five characters
    EXPECT_FALSE(Taken(QStringLiteral("1310000,A.MLL,a,b")));          // seven characters
    EXPECT_FALSE(Taken(QStringLiteral("CODE__,FILE,NAMEE,NAMEJ")));    // six, not a number
    EXPECT_FALSE(Taken(QStringLiteral("131000,A.MLL,a")));             // three fields
    EXPECT_FALSE(Taken(QStringLiteral("131000,A.MLL,a,")));            // a final comma adds none
    EXPECT_FALSE(Taken(QStringLiteral("131000,A.MLL,a,b,c")));         // five fields
    EXPECT_FALSE(Taken(QString()));
    EXPECT_FALSE(Taken(QStringLiteral("' 131000,A.MLL,a,b")));
    // With a fourth field after the comma the same line counts.
    EXPECT_TRUE(Taken(QStringLiteral("131000,A.MLL,a,b,")));
}

TEST(CruiseListFile, ReadsTheJapaneseCodePageKeepingFileOrder) {
    TestFolder t;
    ScopedUi ui;
    // 表示 = 95 5C 8E A6: a trail byte that is a backslash.
    const QByteArray bytes = "code,file,English,Japanese\r\n"
                             "131000,WORLD_P1.MLL,World,\x90\xA2\x8A\x45\r\n"
                             "\r\n"
                             "167392,JAPAN_P7.MLL,Japan,\x95\x5C\x8E\xA6\n"
                             "131000,OTHER.MLL,Second,x\r\n"
                             "132000,,Asia,y";
    clsCruiseList list;
    list.SetFileName(t.write("CRUISE05.LST", bytes));
    ASSERT_TRUE(list.ReadCruiseList());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Records()[0].NameJ, QStringLiteral("世界"));
    EXPECT_EQ(list.Records()[1].NameJ, QStringLiteral("表示"));
    EXPECT_EQ(list.Records()[2].File, "OTHER.MLL");
    EXPECT_EQ(list.Records()[3].NameJ, "y");

    // The first of duplicate codes counts.
    ASSERT_NE(list.Find(131000), nullptr);
    EXPECT_EQ(list.Find(131000)->File, "WORLD_P1.MLL");
    EXPECT_EQ(list.Find(132000)->NameE, "Asia");
    EXPECT_EQ(list.Find(133000), nullptr);
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST(CruiseListFile, KeptUntilNameSizeOrTimeChanges) {
    TestFolder t;
    ScopedUi ui;
    const QDateTime when(QDate(2021, 5, 6), QTime(7, 8, 9));
    const QString path = t.write("a.lst", "131000,A.MLL,a,b\r\n");
    ASSERT_TRUE(SetTime(path, when));
    clsCruiseList list;
    list.SetFileName(path);
    EXPECT_FALSE(list.IsCurrent());
    ASSERT_TRUE(list.ReadCruiseList());
    EXPECT_TRUE(list.IsCurrent());

    t.write("a.lst", "131000,B.MLL,a,b\r\n");
    ASSERT_TRUE(SetTime(path, when));
    EXPECT_TRUE(list.IsCurrent());
    ASSERT_TRUE(SetTime(path, when.addSecs(1)));
    EXPECT_FALSE(list.IsCurrent());
    ASSERT_TRUE(list.ReadCruiseList());
    EXPECT_EQ(list.Find(131000)->File, "B.MLL");

    t.write("a.lst", "131000,CC.MLL,a,b\r\n");
    ASSERT_TRUE(SetTime(path, when.addSecs(1)));
    EXPECT_FALSE(list.IsCurrent()); // the size differs

    ASSERT_TRUE(list.ReadCruiseList());
    list.SetFileName(path); // naming the file again forgets it
    EXPECT_FALSE(list.IsCurrent());
    EXPECT_EQ(list.Count(), 0);
}

TEST(CruiseListFile, NoAcceptedLineIsAnEmptyListThatWasRead) {
    TestFolder t;
    ScopedUi ui;
    clsCruiseList list;
    list.SetFileName(t.write("a.lst", "; nothing here\r\n13100,A,b,c\r\n"));
    EXPECT_TRUE(list.ReadCruiseList());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.IsCurrent());
}

TEST(CruiseListFile, MissingFileIsReportedThenOffersARetry) {
    TestFolder t;
    const QString path = t.file("CRUISE05.LST");
    {
        // Going on without the list.
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
    {
        // Cancel passes the error on with the reader's name.
        ScopedUi ui;
        ui.ui.answers = {Mb::Ok, Mb::Cancel};
        clsCruiseList list;
        list.SetFileName(path);
        try {
            list.ReadCruiseList();
            FAIL() << "no error";
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, 53);
            EXPECT_TRUE(e.source.startsWith(QStringLiteral("clsCruise.ReadCruiseList/"))) << e.source.toStdString();
        }
    }
    {
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
        EXPECT_TRUE(list.IsCurrent());
        EXPECT_EQ(hooked.messages.size(), 2);
    }
}
