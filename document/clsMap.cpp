#include "document/clsMap.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "document/MapBytes.h"
#include "document/clsMapRem.h"
#include "platform/MappedFile.h"

#include <QRegularExpression>
#include <cmath>

namespace {

const char* const kObj = "clsMap";

// A whole number in 32 bits (blanks around allowed), or nothing.
bool ParseInt(const QString& text, int64_t lo, int64_t hi, int64_t& v) {
    static const QRegularExpression re(QStringLiteral("^ *[+-]?[0-9]{1,10} *$"));
    if (!re.match(text).hasMatch()) return false;
    bool ok = false;
    v = Library::TrimBlanks(text).toLongLong(&ok);
    return ok && v >= lo && v <= hi;
}

const char* const kKindNames[10] = {"その他地図", "ベース地図", "海底地形図", "世界行政図", "世界地形図",
                                    "世界交通図", "国別行政図", "国別地形図", "国別交通図", "ユーザー地図"};

} // namespace

clsMap::clsMap() : fileName_(QStringLiteral("BLANK.MLL")) {}

clsMap::~clsMap() = default;

bool clsMap::Modify() {
    try {
        if (counter_ >= 1) return true;
        for (const FigurePtr& f : figures_) {
            if (f->Modify()) {
                counter_ = 1;
                return true;
            }
        }
        return false;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Modify");
    }
}

void clsMap::SetModify(bool on) {
    if (on) {
        if (counter_ < 1) counter_ = 1;
        return;
    }
    for (const FigurePtr& f : figures_) f->SetModify(false);
    counter_ = 0;
}

void clsMap::SetFileName(const QString& name) {
    if (name.isEmpty() || name == fileName_) return;
    fileName_ = Library::ChangeExt(name, mapMode_ == 2 ? QStringLiteral("MXY") : QStringLiteral("MLL"));
    ++counter_;
    SetLockMode(false);
}

void clsMap::SetMapMode(int32_t mode) {
    if (!figures_.empty() || mode == mapMode_ || (mode != 1 && mode != 2)) return;
    mapMode_ = mode;
    ++counter_;
    fileName_ = Library::ChangeExt(fileName_, mode == 2 ? QStringLiteral("MXY") : QStringLiteral("MLL"));
}

void clsMap::SetLockMode(bool on) {
    if (on == lock_) return;
    lock_ = on;
    ++counter_;
}

int16_t clsMap::Version() {
    double v = 0;
    if (ParseDecimal(SearchHeader(QStringLiteral("地図バージョン")), v)) {
        const double product = v * 100.0;
        if (product >= 99.0 && product <= 106.0) version_ = static_cast<int16_t>(std::nearbyint(product));
    }
    return version_;
}

QString clsMap::ValidMapCode() const {
    static const QRegularExpression re(QStringLiteral("^[0-9]{6}$"));
    const QString code = SearchHeader(QStringLiteral("地図コード"));
    return re.match(code).hasMatch() ? code : QString();
}

QString clsMap::Kind() {
    try {
        const QString code = ValidMapCode();
        if (!code.isEmpty()) return QString::fromUtf8(kKindNames[code[1].unicode() - u'0']);
        return SearchHeader(QStringLiteral("種別"));
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Kind");
    }
}

int16_t clsMap::Level() {
    try {
        const QString code = ValidMapCode();
        if (!code.isEmpty()) return static_cast<int16_t>(code[2].unicode() - u'0');
        int64_t v = 0;
        return ParseInt(SearchHeader(QStringLiteral("縮尺レベル")), -32768, 32767, v) ? static_cast<int16_t>(v) : -1;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Level");
    }
}

int16_t clsMap::Country() {
    try {
        const QString code = ValidMapCode();
        if (!code.isEmpty()) return static_cast<int16_t>(code.right(3).toInt());
        int64_t v = 0;
        return ParseInt(SearchHeader(QStringLiteral("国番号")), -32768, 32767, v) ? static_cast<int16_t>(v) : -1;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Country");
    }
}

int32_t clsMap::MapCode() {
    int64_t v = 0;
    return ParseInt(SearchHeader(QStringLiteral("地図コード")), INT32_MIN, INT32_MAX, v) ? static_cast<int32_t>(v) : -1;
}

QString clsMap::MapName(int32_t lang) {
    try {
        static const char* const keys1[] = {"欧州語地図名", "欧文地図名", "欧文国名", "欧文大陸名"};
        static const char* const keys2[] = {"日本語地図名", "和文地図名", "和文国名", "和文大陸名"};
        static const char* const common[] = {"地図名", "大陸名", "国名"};
        if (lang != 1 && lang != 2) return {};
        for (const char* k : (lang == 1 ? keys1 : keys2)) {
            const QString v = SearchHeader(QString::fromUtf8(k));
            if (!v.isEmpty()) return v;
        }
        for (const char* k : common) {
            const QString v = SearchHeader(QString::fromUtf8(k));
            if (!v.isEmpty()) return v;
        }
        return Library::PathFileName(fileName_);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "MapName");
    }
}

QString clsMap::ProjectionName() {
    try {
        if (mapMode_ != 2) return {};
        if (projectionName_.isEmpty()) projectionName_ = SearchRem(QStringLiteral("図法名"));
        if (projectionName_.isEmpty()) projectionName_ = SearchRem(QStringLiteral("投影法名"));
        return projectionName_;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "ProjectionName");
    }
}

QDateTime clsMap::LastDate() {
    static const QRegularExpression re(QStringLiteral(
        "^ *([0-9]{4})[/.-]([0-9]{1,2})[/.-]([0-9]{1,2})(?:[ T]+([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2}))?)? *$"));
    const QRegularExpressionMatch m = re.match(SearchHeader(QStringLiteral("最終更新日時")));
    if (!m.hasMatch()) return HMap::ZeroDate();
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!d.isValid() || !t.isValid()) return HMap::ZeroDate();
    return QDateTime(d, t);
}

bool clsMap::IsRight() const {
    for (const FigurePtr& f : figures_) {
        if (!f->IsRight()) return false;
    }
    return true;
}

void clsMap::LockWarning(const QString& proc) const {
    Library::MsgError(fileName_ + QStringLiteral("\r\nは変更禁止. [") + proc + QLatin1Char(']'));
}

void clsMap::Clear() {
    try {
        if (lock_) {
            LockWarning(QStringLiteral("Clear"));
            return;
        }
        Collection().swap(figures_);
        counter_ = 0;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Clear");
    }
}

int32_t clsMap::FigCode(int32_t index) const {
    return (index >= 1 && index <= Count()) ? figures_[static_cast<size_t>(index - 1)]->FigCode() : 0;
}

clsMap::FigurePtr clsMap::Item(int32_t index) const {
    return (index >= 1 && index <= Count()) ? figures_[static_cast<size_t>(index - 1)] : nullptr;
}

bool clsMap::Add(const FigurePtr& figure) {
    try {
        if (lock_) {
            LockWarning(QStringLiteral("Add"));
            return false;
        }
        if (!figure || !figure->IsRight()) return false;
        figures_.push_back(figure);
        ++counter_;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Add");
    }
}

QString clsMap::SearchRem(const QString& key) const {
    try {
        const QString k = Library::UpperLatin(key);
        for (const FigurePtr& f : figures_) {
            if (f->FigCode() != 1) continue;
            const auto& rem = static_cast<const clsMapRem&>(*f);
            const QString rk = rem.Key();
            if (!rk.isEmpty() && Library::UpperLatin(rk) == k) return rem.Value();
        }
        return {};
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "SearchRem");
    }
}

qsizetype clsMap::SearchHeaderLine(const QString& key) const {
    try {
        const QString k = Library::UpperLatin(key);
        const size_t n = std::min<size_t>(figures_.size(), 50);
        for (size_t i = 0; i < n; ++i) {
            if (figures_[i]->FigCode() != 1) continue;
            const QString rk = static_cast<const clsMapRem&>(*figures_[i]).Key();
            if (!rk.isEmpty() && Library::UpperLatin(rk) == k) return static_cast<qsizetype>(i) + 1;
        }
        return 0;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "SearchHeaderLine");
    }
}

QString clsMap::SearchHeader(const QString& key) const {
    try {
        const qsizetype line = SearchHeaderLine(key);
        return line ? static_cast<const clsMapRem&>(*figures_[static_cast<size_t>(line - 1)]).Value() : QString();
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "SearchHeader");
    }
}

bool clsMap::ParseDecimal(const QString& text, double& value) {
    static const QRegularExpression re(QStringLiteral("^ *[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+) *$"));
    if (!re.match(text).hasMatch()) return false;
    bool ok = false;
    value = Library::TrimBlanks(text).toDouble(&ok); // QString::toDouble is always in the C locale
    return ok;
}

int16_t clsMap::HeaderVersion(const QString& text, bool* above) {
    if (above) *above = false;
    double v = 0;
    if (!ParseDecimal(text.size() > 4 ? text.right(4) : text, v)) v = 0;
    const double product = v * 100.0;
    if (product >= 100.0 && product <= 106.0) return static_cast<int16_t>(std::nearbyint(product));
    if (text == QStringLiteral("[投影条件]")) return 99;
    if (above) *above = product > 106.0;
    return 0;
}

void clsMap::RaiseProgress(int16_t percent) {
    lastPercent_ = percent;
    if (Progress) Progress(percent);
}

namespace {

[[noreturn]] void ContentError(const char* what, int32_t line, int32_t code) {
    ErrorMng::RaiseNew(ErrBase + 1007, kObj, "Load",
                       QString::fromUtf8(what) + QStringLiteral("(Line:%1, Figure:%2)").arg(line).arg(code));
}

} // namespace

void clsMap::ReadAllFigures(MapBytes& in, qint64 length, MappedFile* file) {
    static const char* const kBadCode = "不正な図形コード";
    static const char* const kBadContent = "不正な図形内容";
    // Figures without an id in the file get the second the load began.
    const double second = HMap::FigIDSecondNow();

    // Header record: always a remark of the oldest layout.
    if (in.Left() == 1) ContentError(kBadCode, 0, static_cast<uint8_t>(in.Data()[0]));
    const int16_t first = in.Left() >= 2 ? in.Int16() : 0;
    if (first == 1) {
        auto head = std::make_shared<clsMapRem>(HMap::NewFigIDAt(second));
        bool above = false;
        try {
            head->ReadElm(in, 0);
            version_ = HeaderVersion(head->Comment(), &above);
            if (version_ >= 104) in.Skip(4);
        } catch (const MapBytes::Short&) {
            ContentError(kBadContent, 0, 1);
        }
        if (version_ == 99) figures_.push_back(head);
        if (version_ == 0) {
            ErrorMng::RaiseNew(ErrBase + 1006, kObj, "Load",
                               above ? QStringLiteral("地図バージョンがアプリケーションの対応範囲を超えています."
                                                      "アップグレードしてください.")
                                     : QStringLiteral("地図バージョン確認不能"));
        }
    } else {
        ErrorMng::RaiseNew(ErrBase + 1006, kObj, "Load", QStringLiteral("地図バージョン確認不能"));
    }

    const int16_t version = version_;
    int32_t n = 0;
    for (;;) {
        ++n;
        if (n % 8 == 0) {
            const qint64 p = in.Pos() + 1;
            const auto percent = static_cast<int16_t>(std::min<qint64>(p * 25 / length * 4, 100));
            if (percent > lastPercent_) RaiseProgress(percent);
            if (file) file->Release(in.Pos());
        }
        if (in.AtEnd()) return;
        if (in.Left() == 1) ContentError(kBadCode, n, static_cast<uint8_t>(in.Data()[in.Pos()]));
        const int16_t code = in.Int16();
        FigurePtr fig = clsMapFigure::Create(code, version >= 106 ? 0.0 : HMap::NewFigIDAt(second));
        if (!fig) ContentError(kBadCode, n, code);
        try {
            fig->ReadElm(in, version);
        } catch (const MapBytes::Short&) {
            ContentError(kBadContent, n, code);
        }
        if (!fig->IsRight()) ContentError(kBadContent, n, code);
        figures_.push_back(std::move(fig));
    }
}

int32_t clsMap::Load() {
    if (!Library::FileExists(fileName_)) {
        Library::MsgError(QStringLiteral("地図図形ファイルが存在しません.\r\n") + fileName_);
        return 53;
    }
    lock_ = false;
    Clear();
    try {
        const auto failed = ErrorMng::WithFileRetry(fileName_, [&] {
            try {
                lastPercent_ = -1;
                version_ = 0;
                MappedFile file(fileName_);
                MapBytes in(file.data(), file.size());
                ReadAllFigures(in, file.size(), &file);
                if (lastPercent_ < 100) RaiseProgress(100);
                lock_ = Library::IsReadOnlyFile(fileName_);
                counter_ = 0;
            } catch (...) {
                // A failed attempt leaves no half-read map behind.
                Collection().swap(figures_);
                counter_ = 0;
                throw;
            }
        });
        return failed.value_or(0);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, "Load");
    }
}
