// mapdump FILE: prints what the map reader makes of a map file, one line per
// figure, in UTF-8; on failure "error NUMBER DESCRIPTION" and exit status 1.
#include "core/clsPoly.h"
#include "document/HMap.h"
#include "document/clsMap.h"
#include "document/clsMapRem.h"
#include "document/clsMapSymbol.h"
#include "document/clsMapText.h"
#include "platform/UiServices.h"
#include "render/clsNativeColor.h"
#include "platform/VospError.h"
#include "tools/ToolUi.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <string>

namespace {

QString Quoted(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) out += QLatin1Char('\\');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

void Put(const QString& line) {
    const QByteArray b = line.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
    std::fputc('\n', stdout);
}

int Fail(int32_t number, const QString& description) {
    Put(QStringLiteral("error %1 %2").arg(number).arg(description));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mapdump FILE\n");
        return 2;
    }
    ToolUi ui;
    SetUi(&ui);
    // Version 104 colours are palette indices.
    const clsNativeColor palette;
    HMap::SetNativeColorHook([&palette](int32_t index) { return palette.Color(index); });
    const QString path = QString::fromLocal8Bit(argv[1]);
    clsMap map;
    if (path.endsWith(QLatin1String(".mxy"), Qt::CaseInsensitive)) map.SetMapMode(2);
    map.SetFileName(path);
    try {
        const int32_t r = map.Load();
        if (r != 0) return Fail(r, ui.lastMessage.section(QLatin1Char('\r'), 0, 0));
    } catch (const VospError& e) {
        return Fail(e.number, e.description);
    }

    Put(QStringLiteral("version %1").arg(map.Version()));
    Put(QStringLiteral("figures %1").arg(map.Count()));
    int32_t i = 0;
    for (const auto& f : map) {
        ++i;
        QString line = QStringLiteral("%1 %2 area=%3 thing=%4 color=%5 show=%6")
                           .arg(i)
                           .arg(f->FigCode())
                           .arg(f->Admin())
                           .arg(f->Thing())
                           .arg(f->OwnColor())
                           .arg(f->OwnShowMode());
        switch (f->FigCode()) {
        case 1:
            line += QStringLiteral(" text=") + Quoted(static_cast<const clsMapRem&>(*f).Comment());
            break;
        case 2:
        case 3: {
            const auto p = f->Poly();
            line += QStringLiteral(" points=%1").arg(p->Count());
            std::string pts;
            for (const PolyPoint& q : p->Span()) {
                pts += ' ';
                pts += std::to_string(q.x);
                pts += ',';
                pts += std::to_string(q.y);
            }
            line += QString::fromLatin1(pts);
            break;
        }
        case 4: {
            const auto& s = static_cast<const clsMapSymbol&>(*f);
            line += QStringLiteral(" at=%1,%2").arg(s.mx()).arg(s.my());
            break;
        }
        case 5: {
            const auto& t = static_cast<const clsMapText&>(*f);
            line += QStringLiteral(" at=%1,%2 fix=%3 angle=%4 eur=%5 jpn=%6")
                        .arg(t.mx())
                        .arg(t.my())
                        .arg(t.TextFix())
                        .arg(t.Angle())
                        .arg(Quoted(t.TextUnicode(1)), Quoted(t.TextUnicode(2)));
            break;
        }
        default:
            break;
        }
        Put(line);
    }
    HMap::SetNativeColorHook({});
    SetUi(nullptr);
    return 0;
}
