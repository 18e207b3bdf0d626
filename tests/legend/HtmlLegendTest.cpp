// The HTML legend, byte for byte, with its sample pictures.
#include "SymbolTestEnv.h"

#include "legend/HtmlLegend.h"
#include "platform/Cp932Codec.h"
#include "support/DiskFull.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <functional>

namespace {

// Scripted answers with a look at each message as it is shown.
struct WatchedUi : ScriptedUi {
    std::function<void(const QString&)> shown;
    UiServices* previous = SetUi(this);
    ~WatchedUi() override { SetUi(previous); }
    int MsgBox(const QString& text, int style, const QString& title) override
    {
        if (shown)
            shown(text);
        return ScriptedUi::MsgBox(text, style, title);
    }
};

QStringList Texts(const ScriptedUi& ui)
{
    QStringList m;
    for (const auto& msg : ui.messages)
        m << msg.text;
    return m;
}

struct HtmlLegendGrid : GridTest {};

TEST_F(HtmlLegendGrid, HtmlLegendOfTheSelectedRows) {
    auto land = Work(2, 1);
    land->SetName(QStringLiteral("陸&地"));
    land->SetPage(1);
    land->SetBack(0x030201);
    work.Things()->SetFileName(dir.file(QStringLiteral("LEG.THG")));
    grid.SetGridData();
    flex.SetSelection(1, 1, 3, 1); // 枠組, 陸&地, 注記
    HtmlLegend(flex, grid, work, sw).Export();

    const QStringList want{
        R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">)",
        "<HTML>",
        "<HEAD>",
        R"(<META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">)",
        R"(<META content="Vosperal  version 1.0" name="GENERATOR">)",
        "<TITLE>LEG.THG</TITLE>",
        "</HEAD>", "<BODY>", "<P>",
        "事象ファイル名：" + dir.file("LEG.THG") + "<BR>",
        "事象ページ番号：1",
        "</P>",
        R"(<TABLE border="1">)",
        R"(  <TR bgcolor="Teal">)",
        "    <TD>事象番号</TD>", "    <TD>事象名</TD>", "    <TD>図形種</TD>", "    <TD>表示</TD>",
        R"(    <TD align="center">可視縮尺範囲</TD>)",
        "    <TD>図式（凡例）</TD>", "    <TD>前面色（RGB）</TD>", "    <TD>背景色（RGB）</TD>",
        "  </TR>",
        R"(  <TR bgcolor="Gray">)", "    <TD></TD>", "    <TD>枠組</TD>",
        "    <TD></TD>", "    <TD></TD>", "    <TD></TD>", "    <TD></TD>", "    <TD></TD>", "    <TD></TD>",
        "  </TR>",
        "  <TR>",
        R"(    <TD align="right">1</TD>)", "    <TD>陸&amp;地</TD>", "    <TD>多辺形</TD>", "    <TD>依存</TD>",
        R"(    <TD align="center">10億～10万</TD>)",
        R"(    <TD><IMG src="LEG_image/sample1.PNG"></TD>)",
        "    <TD>128,0,0</TD>", "    <TD>1,2,3</TD>",
        "  </TR>",
        "  <TR>",
        R"(    <TD align="right">2</TD>)", "    <TD>注記</TD>", "    <TD>注釈</TD>", "    <TD>依存</TD>",
        R"(    <TD align="center"></TD>)",
        R"(    <TD><IMG src="LEG_image/sample2.PNG"></TD>)",
        "    <TD></TD>", "    <TD></TD>", // an annotation has no colours
        "  </TR>",
        "</TABLE>", "</BODY>", "</HTML>",
    };
    EXPECT_EQ(dir.read(QStringLiteral("LEG.HTM")), Cp932Encode(want.join("\r\n") + "\r\n"));
    for (int code : {1, 2}) {
        SCOPED_TRACE(code);
        const QImage png(dir.file(QStringLiteral("LEG_image/sample%1.PNG").arg(code)));
        EXPECT_FALSE(png.isNull());
        EXPECT_EQ(png.size(), flex.CellPicture(code + 1, 5).deviceIndependentSize().toSize());
    }
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("LEG_image/sample3.PNG"))));
    EXPECT_EQ(Messages(), QStringList{dir.file(QStringLiteral("LEG.HTM")) + "\r\nに保存しました."});
}

// Black is a colour (0,0,0), none is empty; letters the code page lacks are
// character references in the page and UTF-8 bytes in the picture link, as
// are "%", "#" and "?", which a link would otherwise read as its own.
TEST_F(HtmlLegendGrid, HtmlLegendWritesEveryCharacterAndLinksItsPictures) {
    auto land = Work(2, 1);
    land->SetName(QStringLiteral("한국€Ā\U0001F600"));
    land->SetPage(1);
    land->SetFore(0);
    land->SetBack(-1);
    grid.SetGridData();
    const struct {
        const char* file;
        const char* folderOnDisk;
        const char* src;
    } cases[] = {
        {"LEG.THG", "LEG_image", "LEG_image/sample1.PNG"},
        {"L#1%41 x.THG", "L#1%41 x_image", "L%231%2541 x_image/sample1.PNG"},
        {"a?b&c.THG", "a?b&c_image", "a%3Fb&amp;c_image/sample1.PNG"},
        {"한국.THG", "한국_image", "%ED%95%9C%EA%B5%AD_image/sample1.PNG"},
        {"日本.THG", "日本_image", "日本_image/sample1.PNG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ui.ui.messages.clear();
        const QString file = QString::fromUtf8(c.file);
        work.Things()->SetFileName(dir.file(file));
        flex.SetSelection(2, 1, 2, 1); // 陸地 only
        HtmlLegend(flex, grid, work, sw).Export();
        const QString html = Library::ChangeExt(file, QStringLiteral("HTM"));
        const QByteArray page = dir.read(html);
        const QString name = Cp932Decode(page);
        EXPECT_TRUE(name.contains(QStringLiteral("<TITLE>") + HtmlLegend::CharRefs(HtmlLegend::Escape(file)) + "</TITLE>"));
        EXPECT_TRUE(page.contains("    <TD>&#54620;&#44397;&#8364;&#256;&#128512;</TD>\r\n"));
        EXPECT_TRUE(page.contains("    <TD>0,0,0</TD>\r\n    <TD></TD>\r\n  </TR>\r\n")); // black, no background
        EXPECT_TRUE(page.contains(QByteArray("    <TD><IMG src=\"") + Cp932Encode(QString::fromUtf8(c.src)) + "\"></TD>\r\n"));
        EXPECT_FALSE(page.contains('?') && !file.contains('?'));
        EXPECT_FALSE(QImage(dir.file(QString::fromUtf8(c.folderOnDisk) + "/sample1.PNG")).isNull());
        EXPECT_EQ(Texts(ui.ui), QStringList{dir.file(html) + "\r\nに保存しました."});
    }
    EXPECT_EQ(HtmlLegend::ColorText(0, 2), QStringLiteral("0,0,0"));
    EXPECT_EQ(HtmlLegend::ColorText(-1, 2), QString());
    EXPECT_EQ(HtmlLegend::ColorText(0, 1), QString());
}

struct HtmlDiskTest : GridTest {
    QString html;
    QByteArray good; // what a whole export writes
    rlim_t full = 0;
    const QByteArray old = "<HTML>an earlier legend</HTML>\r\n";

    void SetUp() override
    {
        GridTest::SetUp();
        work.Things()->SetFileName(dir.file(QStringLiteral("LEG.THG")));
        html = dir.file(QStringLiteral("LEG.HTM"));
        flex.SetSelection(1, 1, 3, 1);
        HtmlLegend(flex, grid, work, sw).Export();
        good = dir.read(QStringLiteral("LEG.HTM"));
        // The disk fills halfway through the page, after the pictures.
        full = rlim_t(good.size() / 2);
        for (int row : {2, 3})
            ASSERT_LT(rlim_t(PngSize(row)), full);
        dir.write(QStringLiteral("LEG.HTM"), old);
        QDir(dir.file(QStringLiteral("LEG_image"))).removeRecursively();
    }
    // Temporary files left beside the page or the pictures.
    QStringList Strays() const
    {
        QStringList l;
        QStringList folders{dir.path()};
        for (const QString& sub : QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            folders << dir.file(sub);
        for (const QString& folder : folders)
            for (const QString& f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
                if (f.startsWith(QLatin1Char('.')))
                    l << f;
        return l;
    }
    qsizetype PngSize(int row) const
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        flex.CellPicture(row, 5).save(&buffer, "PNG");
        return png.size();
    }
    QString Prompt() const { return QStringLiteral("*File=") + html + QStringLiteral("\r\n再試行しますか？"); }
};

// The disk fills while the page is written: giving up, cancelling or
// closing the question ends the export (and only the export), leaving the
// earlier page as it was and no half-written file. The question names the
// page as it is, letters the code page lacks included.
TEST_F(HtmlDiskTest, AnyAnswerButRetryKeepsTheEarlierPage) {
    const struct {
        int answer;
        const char* name;
    } rows[] = {{Mb::No, "LEG"}, {Mb::Cancel, "LEG"}, {Mb::Cancel, "P%#2 €"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.answer);
        SCOPED_TRACE(r.name);
        const QString name = QString::fromUtf8(r.name);
        work.Things()->SetFileName(dir.file(name + ".THG"));
        html = dir.file(name + ".HTM");
        dir.write(name + ".HTM", old);
        WatchedUi watched;
        watched.answers = {r.answer};
        {
            DiskFull disk(full);
            ASSERT_NO_THROW(HtmlLegend(flex, grid, work, sw).Export());
        }
        ASSERT_EQ(watched.messages.size(), 1);
        EXPECT_TRUE(watched.messages[0].text.endsWith(Prompt())) << watched.messages[0].text.toStdString();
        EXPECT_EQ(dir.read(name + ".HTM"), old);
        EXPECT_EQ(Strays(), QStringList{});
    }
}

// A retry after the disk has room again writes the page from its start.
TEST_F(HtmlDiskTest, RetryWritesThePageAgainFromItsStart) {
    WatchedUi watched;
    DiskFull disk(full);
    watched.shown = [&](const QString&) { disk.Lift(); };
    watched.answers = {Mb::Yes};
    HtmlLegend(flex, grid, work, sw).Export();
    EXPECT_EQ(dir.read(QStringLiteral("LEG.HTM")), good);
    ASSERT_EQ(watched.messages.size(), 2);
    EXPECT_TRUE(watched.messages[0].text.endsWith(Prompt()));
    EXPECT_EQ(watched.messages[1].text, html + "\r\nに保存しました.");
    EXPECT_EQ(Strays(), QStringList{});
}

// A picture that does not fit on the disk fails the export; the earlier
// page stays.
TEST_F(HtmlDiskTest, PictureThatCannotBeWrittenFailsTheExport) {
    // A picture larger than the page, so that the page alone would fit.
    grid.SetSample(900, 300, QStringLiteral("Sample"));
    grid.SetGridData();
    ASSERT_GT(PngSize(2), good.size() + 200);
    WatchedUi watched;
    watched.answers = {Mb::No};
    {
        DiskFull disk(rlim_t(good.size() + 100));
        HtmlLegend(flex, grid, work, sw).Export();
    }
    ASSERT_EQ(watched.messages.size(), 1);
    EXPECT_TRUE(watched.messages[0].text.endsWith(Prompt()));
    EXPECT_EQ(dir.read(QStringLiteral("LEG.HTM")), old);
    EXPECT_EQ(Strays(), QStringList{});
}

} // namespace
