// The HTML legend, byte for byte, with its sample pictures.
#include "SymbolTestEnv.h"

#include "legend/HtmlLegend.h"
#include "platform/Cp932Codec.h"

#include <QImage>

namespace {

TEST_F(GridTest, HtmlLegendOfTheSelectedRows) {
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
        EXPECT_EQ(png.size(), flex.CellPicture(code + 1, 5).size());
    }
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("LEG_image/sample3.PNG"))));
    EXPECT_EQ(Messages(), QStringList{dir.file(QStringLiteral("LEG.HTM")) + "\r\nに保存しました."});
}

} // namespace
