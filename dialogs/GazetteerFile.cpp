#include "dialogs/GazetteerFile.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/Scale.h"
#include "dialogs/PlaceList.h"
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const QString kObj = QStringLiteral("frmJump05");

bool StartsWithNoCase(const QString& line, const QString& head) {
    return line.startsWith(head, Qt::CaseInsensitive);
}

// The header's number from character `from` on, as the classic Val reads it;
// text that is no number, or a number too large for a double, gives 0.
double HeaderNumber(const QString& line, qsizetype from) {
    try {
        return Library::Val(line.mid(from));
    } catch (...) {
        return 0;
    }
}

// ".MXY" anywhere in the name, letter case aside (Qt's case-blind search is
// slow enough to show over 200,000 rows).
bool IsXyMap(QStringView file) {
    for (qsizetype i = file.indexOf(QLatin1Char('.')); i >= 0 && i + 3 < file.size();
         i = file.indexOf(QLatin1Char('.'), i + 1)) {
        if (file.mid(i + 1, 3).compare(QLatin1String("MXY"), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

} // namespace

bool GazetteerFile::NumberText(QStringView text, double& value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto digits = [&] {
        const qsizetype s = i;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) ++i;
        return i - s;
    };
    while (i < n && text[i] == QLatin1Char(' ')) ++i;
    const qsizetype begin = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
    qsizetype mant = digits();
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        mant += digits();
    }
    if (mant == 0) return false;
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
        if (digits() == 0) return false;
    }
    const qsizetype end = i;
    while (i < n && text[i] == QLatin1Char(' ')) ++i;
    if (i != n) return false;
    // Qt's locale-aware conversion costs half the load of a large file.
    char buf[64];
    qsizetype len = 0;
    for (qsizetype k = begin; k < end; ++k) {
        if (text[k] == QLatin1Char('+')) continue;
        if (len == qsizetype(sizeof buf)) return false;
        buf[len++] = static_cast<char>(text[k].unicode());
    }
    const auto r = std::from_chars(buf, buf + len, value);
    return r.ec == std::errc() && r.ptr == buf + len && std::isfinite(value);
}

bool GazetteerFile::ParseLines(const QStringList& lines, PlaceList& list, int32_t& sortCode) {
    int marks = 0;
    double number = 0;
    for (qsizetype i = 0; i < lines.size() && marks < 3; ++i) {
        const QString& line = lines[i];
        if (line.left(16).compare(QStringLiteral("# Gazetteer File"), Qt::CaseInsensitive) == 0) {
            ++marks;
        } else if (StartsWithNoCase(line, QStringLiteral("# number = "))) {
            ++marks;
            number = HeaderNumber(line, 11);
        } else if (StartsWithNoCase(line, QStringLiteral("# sort = "))) {
            ++marks;
            const double code = HeaderNumber(line, 9);
            if (code >= 1 && code <= 8 && code == std::floor(code)) sortCode = static_cast<int32_t>(code);
        }
    }
    if (marks < 3) {
        list.Clear();
        return false;
    }
    // Rows are taken as lines arrive, so an absurd count costs nothing.
    const int64_t limit = number > 0 ? static_cast<int64_t>(std::min(number, 2147483647.0)) : 0;
    int64_t taken = 0;
    int form = 0; // 1 denominators, 2 ladder steps; decided by the first good row
    for (const QString& line : lines) {
        if (taken >= limit) break;
        // A place whose name begins with "# " still has its nine fields.
        if (line.startsWith(QStringLiteral("# ")) && line.count(QLatin1Char('\t')) < 8) continue;
        if (!list.AppendLine(line)) continue;
        const int32_t r = list.Count();
        if (!PlaceList::IsFoldedKey(list.Field(r, PlaceList::ColKey)))
            list.SetField(r, PlaceList::ColKey, PlaceList::FoldKey(list.Field(r, PlaceList::ColKey).toString()));
        double v[4];
        bool good = true;
        for (int c = 0; c < 4 && good; ++c) good = NumberText(list.Field(r, PlaceList::ColLon + c), v[c]);
        if (good && form == 0) form = std::floor(v[2]) < 100 ? 2 : 1;
        if (!good || IsXyMap(list.Field(r, PlaceList::ColFile))) {
            list.RemoveLast();
            continue;
        }
        if (form == 2) {
            for (int c : {PlaceList::ColScaleS, PlaceList::ColScaleL}) {
                const double step = std::floor(v[c - PlaceList::ColLon]);
                const auto k = static_cast<int16_t>(step >= 1 && step <= 41 ? step : 0);
                list.SetField(r, c, Library::NumStr(Scale::StdScale10(k)));
            }
        }
        ++taken;
    }
    return true;
}

bool GazetteerFile::Read(const QString& path, PlaceList& list, int32_t& sortCode) {
    if (!Library::FileExists(path)) return false;
    QStringList lines;
    try {
        if (ErrorMng::WithFileRetry(path, [&] { lines = FileSystem::ReadCp932Lines(path); })) {
            list.Clear();
            return false;
        }
        return ParseLines(lines, list, sortCode);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1003, kObj, QStringLiteral("ReadGazetteer"));
    }
}

QStringList GazetteerFile::FileLines(const PlaceList& list, int32_t lang, int32_t sortCode) {
    QStringList lines;
    lines.reserve(list.Count() + 5);
    lines << QStringLiteral("# Gazetteer File for HALVORN/VOSPERAL. ") +
                 (lang == 2 ? QStringLiteral("Japanese") : QStringLiteral("Europian")) + QStringLiteral(" Version.");
    lines << QStringLiteral("# number = ") + QString::number(list.Count());
    lines << QStringLiteral("# sort = ") + QString::number(sortCode);
    lines << QStringLiteral("# 地名 ファイル名 行政区名 事象名 経度 緯度 最小縮尺 最大縮尺 キー地名");
    lines << QStringLiteral("# ----+----------+--------+------+----+----+--------+--------+--------");
    // Letters the code page lacks are written as their closest ones, not "?".
    for (int32_t r = 1; r <= list.Count(); ++r) lines << Cp932BestFit(list.Line(r));
    return lines;
}

bool GazetteerFile::Write(const QString& path, const PlaceList& list, int32_t lang, int32_t sortCode) {
    if (list.Count() == 0) return false;
    try {
        const QStringList lines = FileLines(list, lang, sortCode);
        return !ErrorMng::WithFileRetry(path, [&] { FileSystem::WriteCp932Lines(path, lines); });
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1003, kObj, QStringLiteral("WriteGazetteer"));
    }
}
