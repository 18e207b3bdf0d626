#include "legend/HtmlLegend.h"

#include "core/ColorLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "document/clsThings.h"
#include "platform/FlexGrid.h"
#include "legend/SymbolSwitches.h"
#include "legend/SymbolWork.h"
#include "legend/ThingGrid.h"
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"
#include "platform/VospError.h"

#include <QBuffer>
#include <QImage>
#include <QStringList>

namespace {

// Runs a step of the export until it succeeds or the user stops retrying:
// false when the user answers anything but retry to a file error, which
// ends the export and nothing else; other errors pass.
template <class F>
bool Step(const QString& htmlPath, F&& f)
{
    return !ErrorMng::WithFileRetry(htmlPath, f).has_value();
}

QString cell(const QString& text) { return QStringLiteral("    <TD>") + text + QStringLiteral("</TD>"); }

// The code point at i (a surrogate pair as one); `units` gets its length.
char32_t CodePointAt(const QString& text, qsizetype i, int& units)
{
    const QChar c = text.at(i);
    units = 1;
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    return c.unicode();
}

QByteArray PngBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        ThrowError(57);
    return bytes;
}

} // namespace

HtmlLegend::HtmlLegend(FlexGrid& grid, ThingGrid& rows, SymbolWork& work, SymbolSwitches& sw)
    : grid_(grid)
    , rows_(rows)
    , work_(work)
    , sw_(sw)
{
}

QString HtmlLegend::HtmlPath(const QString& thingFile) { return Library::ChangeExt(thingFile, QStringLiteral("HTM")); }

QString HtmlLegend::ImageFolder(const QString& htmlPath) { return htmlPath.left(htmlPath.size() - 4) + QStringLiteral("_image"); }

QString HtmlLegend::Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        default: out += c; break;
        }
    }
    return out;
}

QString HtmlLegend::CharRefs(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        int units = 1;
        const char32_t c = CodePointAt(text, i, units);
        if (Cp932CanEncode(c))
            out += text.at(i);
        else
            out += QStringLiteral("&#%1;").arg(QChar::isSurrogate(c) ? 0xFFFDu : uint32_t(c));
        i += units;
    }
    return out;
}

QString HtmlLegend::SrcText(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        int units = 1;
        const char32_t c = CodePointAt(text, i, units);
        if (c == U'%' || c == U'#' || c == U'?' || !Cp932CanEncode(c)) {
            const QByteArray utf8 = QStringView(text).mid(i, units).toUtf8();
            for (const char b : utf8)
                out += QStringLiteral("%%1").arg(uint8_t(b), 2, 16, QLatin1Char('0')).toUpper();
        } else {
            out += text.mid(i, units);
        }
        i += units;
    }
    return Escape(out);
}

QString HtmlLegend::ColorText(int32_t color, int16_t figure)
{
    if (figure == 1 || color < 0)
        return {};
    return QStringLiteral("%1,%2,%3").arg(ColorLib::RedOf(color)).arg(ColorLib::GreenOf(color)).arg(ColorLib::BlueOf(color));
}

QString HtmlLegend::Generator()
{
    return UiServices::AppTitle() + QStringLiteral("  version ") + QString::number(VOSP_VERSION_MAJOR) + QLatin1Char('.')
        + QString::number(VOSP_VERSION_MINOR);
}

void HtmlLegend::Export()
{
    int32_t first = 0, last = 0;
    rows_.GetSelRange(first, last);
    const auto things = work_.Things();
    if (last < 1 || !things)
        return;
    const QString thingFile = things->FileName();
    const QString htmlPath = HtmlPath(thingFile);
    const QString folder = ImageFolder(htmlPath);

    Library::BusyPointer busy;
    struct Repaint {
        FlexGrid& g;
        bool on = g.Redraw();
        ~Repaint() { g.SetRedraw(on); }
    } repaint{grid_};
    grid_.SetRedraw(false);

    if (!Step(htmlPath, [&] { FileSystem::MakeFolder(folder); }))
        return;

    const QString folderName = Library::PathFileName(folder);
    QStringList lines{
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"),
        QStringLiteral("<META content=\"") + Escape(Generator()) + QStringLiteral("\" name=\"GENERATOR\">"),
        QStringLiteral("<TITLE>") + Escape(Library::PathFileName(thingFile)) + QStringLiteral("</TITLE>"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<P>"),
        QStringLiteral("事象ファイル名：") + Escape(thingFile) + QStringLiteral("<BR>"),
        QStringLiteral("事象ページ番号：") + QString::number(sw_.mThingPage),
        QStringLiteral("</P>"),
        QStringLiteral("<TABLE border=\"1\">"),
        QStringLiteral("  <TR bgcolor=\"Teal\">"),
        cell(QStringLiteral("事象番号")),
        cell(QStringLiteral("事象名")),
        cell(QStringLiteral("図形種")),
        cell(QStringLiteral("表示")),
        QStringLiteral("    <TD align=\"center\">可視縮尺範囲</TD>"),
        cell(QStringLiteral("図式（凡例）")),
        cell(QStringLiteral("前面色（RGB）")),
        cell(QStringLiteral("背景色（RGB）")),
        QStringLiteral("  </TR>"),
    };

    // Each picture is written whole or not at all; the page goes last, so
    // that the old page stays until the new one and its pictures are all
    // on disk.
    for (int32_t row = first; row <= last; ++row) {
        const auto thing = rows_.IsThingRow(row) ? things->Item(rows_.RowThingIndex(row)) : nullptr;
        if (thing) {
            thing->SetPage(sw_.mThingPage);
            const QString file = QStringLiteral("sample") + QString::number(thing->Index()) + QStringLiteral(".PNG");
            lines << QStringLiteral("  <TR>")
                  << QStringLiteral("    <TD align=\"right\">") + Escape(grid_.TextMatrix(row, 6)) + QStringLiteral("</TD>")
                  << cell(Escape(grid_.TextMatrix(row, 1))) << cell(Escape(grid_.TextMatrix(row, 2)))
                  << cell(Escape(grid_.TextMatrix(row, 3)))
                  << QStringLiteral("    <TD align=\"center\">") + Escape(grid_.TextMatrix(row, 4)) + QStringLiteral("</TD>")
                  << QStringLiteral("    <TD><IMG src=\"") + SrcText(folderName + QLatin1Char('/') + file)
                         + QStringLiteral("\"></TD>")
                  << cell(ColorText(thing->Fore(), thing->Figure())) << cell(ColorText(thing->Back(), thing->Figure()))
                  << QStringLiteral("  </TR>");
            // The sample file keeps the cell's size whatever the screen's ratio.
            QImage picture = grid_.CellPicture(row, 5);
            if (picture.devicePixelRatio() != 1) {
                picture = picture.scaled(picture.deviceIndependentSize().toSize(), Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
                picture.setDevicePixelRatio(1);
            }
            const QString png = Library::JoinPath(folder, file);
            if (!Step(htmlPath, [&] { FileSystem::WriteAtomic(png, PngBytes(picture), false); }))
                return;
        } else {
            lines << QStringLiteral("  <TR bgcolor=\"Gray\">") << cell({}) << cell(Escape(grid_.TextMatrix(row, 1)));
            for (int i = 0; i < 6; ++i)
                lines << cell({});
            lines << QStringLiteral("  </TR>");
        }
    }
    lines << QStringLiteral("</TABLE>") << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
    for (QString& line : lines)
        line = CharRefs(line);
    // A retry writes the whole page again; giving up leaves the old one.
    if (!Step(htmlPath, [&] { FileSystem::WriteCp932Lines(htmlPath, lines); }))
        return;
    Ui().MsgBox(htmlPath + QStringLiteral("\r\nに保存しました."), Mb::OkOnly | Mb::Information, {});
}
