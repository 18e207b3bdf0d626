#include "cruise/clsCruise05.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsRegistry.h"
#include "document/HMap.h"
#include "document/clsMap.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"

#include <bit>
#include <cmath>

namespace {

const QString kObj = QStringLiteral("clsCruise");
const QString kSection = QStringLiteral("CRUISE05");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int32_t kErrClass = ErrBase + 1001;
constexpr int32_t kErrSettings = ErrBase + 1005;

std::shared_ptr<clsMapUnit> LoadUnit(const QString& path) {
    auto unit = std::make_shared<clsMapUnit>();
    unit->SetMapMode(1);
    unit->SetUnitName(path);
    return unit->Load() ? unit : nullptr;
}

// Stored flags are "True"/"False"; a number counts by not being 0.
bool ReadBool(const clsRegistry& reg, const QString& key, bool def) {
    const QString v = Library::TrimBlanks(reg.RegGet(key, def));
    if (v.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (v.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    try {
        return Library::CDbl(v) != 0;
    } catch (...) {
        return def;
    }
}

double ReadDouble(const clsRegistry& reg, const QString& key, double def) {
    try {
        const double v = Library::CDbl(reg.RegGet(key, def));
        return std::isfinite(v) ? v : def;
    } catch (...) {
        return def;
    }
}

int32_t ReadLong(const clsRegistry& reg, const QString& key, int32_t def) {
    try {
        const double v = Library::CDbl(reg.RegGet(key, def));
        if (!std::isfinite(v) || std::fabs(v) > 2147483647.0) return def;
        return Library::DblToLng(v);
    } catch (...) {
        return def;
    }
}

int32_t MapKind(clsMapUnit& unit) {
    if (!unit.gFigures) return 0;
    const int32_t code = unit.gFigures->MapCode();
    return (code / 10000) % 10;
}

} // namespace

class clsCruise05::OuterCall {
public:
    explicit OuterCall(clsCruise05& c) : c_(c) {
        if (c_.depth_++ == 0) c_.listChecked_ = false;
    }
    ~OuterCall() { --c_.depth_; }
    OuterCall(const OuterCall&) = delete;
    OuterCall& operator=(const OuterCall&) = delete;

private:
    clsCruise05& c_;
};

int32_t clsCruise05::StdMapCode(int bit) {
    if (bit == 0) return 120000;
    if (bit >= 1 && bit <= 6) return 130000 + bit * 1000;
    if (bit >= 7 && bit <= 12) return 140000 + (bit - 6) * 1000;
    if (bit >= 13 && bit <= 18) return 150000 + (bit - 12) * 1000;
    if (bit >= 19 && bit <= 24) {
        const int k = bit - 19; // pairs of levels 7 and 8 per kind 6, 7, 8
        return 100000 + (6 + k / 2) * 10000 + (7 + k % 2) * 1000 + 392;
    }
    return 0;
}

clsCruise05::clsCruise05() : loader_(LoadUnit) {
    border_[0] = MapProjection::ScaleMax;
    for (int16_t k = 1; k <= 7; ++k) border_[k] = StdBorderScale(k);
    border_[8] = MapProjection::ScaleMin;
    list_.SetFileName(Library::JoinPath(FileSystem::ProgramFolder(), QStringLiteral("CRUISE05.LST")));
}

clsCruise05::UnitLoader clsCruise05::SetLoader(UnitLoader loader) {
    UnitLoader previous = loader_;
    loader_ = loader ? std::move(loader) : UnitLoader(LoadUnit);
    return previous;
}

double clsCruise05::BorderScale(int16_t index) const {
    return (index >= 0 && index <= 8) ? border_[index] : 0;
}

void clsCruise05::SetBorderScale(int16_t index, double value) {
    if (index < 1 || index > 7 || !std::isfinite(value)) return;
    const double v = std::nearbyint(value);
    if (v < std::nearbyint(MapProjection::ScaleMin) || v > std::nearbyint(MapProjection::ScaleMax)) return;
    border_[index] = value;
}

double clsCruise05::StdBorderScale(int16_t index) const {
    static constexpr double kRatio[8] = {1, 10, 20, 50, 100, 200, 500, 2000};
    const double largest = MapProjection::ScaleMax;
    if (index == 0) return largest;
    if (index == 8) return largest / 10000;
    if (index < 1 || index > 7) return 0;
    return largest / PublicVal::EnvVal(QStringLiteral("BorderRatio") + QString::number(index), kRatio[index], 1, 10000);
}

int16_t clsCruise05::ScaleToLevel(double scale) const {
    for (int16_t k = 1; k <= 8; ++k)
        if (border_[k] <= scale && border_[k - 1] >= scale) return k;
    return -1;
}

void clsCruise05::EnsureList() {
    if (listChecked_) return;
    listChecked_ = true;
    if (!list_.IsCurrent()) list_.ReadCruiseList();
}

const CruiseListRecord* clsCruise05::FindListRecord(int32_t code) {
    EnsureList();
    return list_.Find(code);
}

bool clsCruise05::SameFileName(const QString& a, const QString& b) {
    return Library::PathFileName(a).compare(Library::PathFileName(b), Qt::CaseInsensitive) == 0;
}

QString clsCruise05::ResolveMapPath(const QString& path) {
    if (path.contains(QLatin1Char(':'))) return path;
    return Library::JoinPath(PublicVal::gvMapFolder, path);
}

bool clsCruise05::IsMapFile(const QString& path) { return FileSystem::IsFile(path); }

QString clsCruise05::MapCodeToPath(int32_t code) {
    OuterCall call(*this);
    try {
        const CruiseListRecord* rec = FindListRecord(code);
        // An empty file field names no map; resolving it would give the folder.
        if (!rec || rec->File.isEmpty()) return {};
        return ResolveMapPath(rec->File);
    } catch (...) {
        ErrorMng::ReRaise(kErrClass, kObj, QStringLiteral("MapCodeToPath"));
    }
}

QString clsCruise05::CountryName(int16_t country, int32_t lang) {
    OuterCall call(*this);
    try {
        EnsureList();
        for (const CruiseListRecord& rec : list_.Records()) {
            if (rec.Code % 1000 != country % 1000) continue;
            if (lang == 1) return rec.NameE;
            if (lang == 2) return rec.NameJ;
            return {};
        }
        return {};
    } catch (...) {
        ErrorMng::ReRaise(kErrClass, kObj, QStringLiteral("CountryName"));
    }
}

int32_t clsCruise05::GetStdMapList() {
    OuterCall call(*this);
    try {
        int32_t mask = 0;
        for (int bit = kStdMapCount - 1; bit >= 0; --bit)
            mask = mask * 2 + (IsMapFile(MapCodeToPath(StdMapCode(bit))) ? 1 : 0);
        return mask;
    } catch (...) {
        ErrorMng::ReRaise(kErrClass, kObj, QStringLiteral("GetStdMapList"));
    }
}

int16_t clsCruise05::GetStdMapCount() {
    OuterCall call(*this);
    try {
        return static_cast<int16_t>(std::popcount(static_cast<uint32_t>(GetStdMapList())));
    } catch (...) {
        ErrorMng::ReRaise(kErrClass, kObj, QStringLiteral("GetStdMapCount"));
    }
}

QString clsCruise05::NominateEntry(int32_t code) {
    const CruiseListRecord* rec = FindListRecord(code);
    const QString code6 = HMap::MapCodeStr(code);
    if (rec && !rec->File.isEmpty()) return QStringLiteral("+,") + code6 + QLatin1Char(',') + rec->File;
    QString name = rec ? rec->NameE : QString();
    if (name.isEmpty() && rec) name = rec->NameJ;
    if (name.isEmpty()) name = QStringLiteral("(unknown)");
    return QStringLiteral("-,") + code6 + QLatin1Char(',') + name;
}

QStringList clsCruise05::NominateMaps(int16_t level, const clsRect& area) {
    OuterCall call(*this);
    try {
        QStringList maps;
        if (level < 1 || level > 8) return maps;
        const int32_t base = level * 1000;
        const bool perCountry = level >= 7;
        QList<int16_t> countries;
        if (perCountry) {
            countries = grid_.GetCountryCodeArea(&area);
            if (countries.isEmpty()) return maps;
        }
        if (mEiOcean) maps.append(NominateEntry(120000 + base));
        const int32_t kind = mEiTopo ? 140000 : 130000;
        if (!perCountry) {
            maps.append(NominateEntry(base + kind));
        } else {
            for (const int16_t c : countries) maps.append(NominateEntry(base + kind + 30000 + c));
        }
        if (mEiTraffic) {
            if (!perCountry) {
                maps.append(NominateEntry(base + 150000));
            } else {
                for (const int16_t c : countries) maps.append(NominateEntry(base + 180000 + c));
            }
        }
        return maps;
    } catch (...) {
        ErrorMng::ReRaise(kErrClass, kObj, QStringLiteral("NominateMaps"));
    }
}

bool clsCruise05::Cruise(double scale, const clsRect* area, clsMapUnits* units) {
    OuterCall call(*this);
    try {
        if (!units || !area || units->MapMode() != 1) return false;
        int16_t lvl = ScaleToLevel(scale);
        if (lvl < 1 || lvl > 8) return false;

        // Both keep what earlier levels found: a substitution names them too.
        int32_t missing = 0;
        QString msg;
        QStringList maps;
        while (lvl >= 1) {
            maps = NominateMaps(lvl, *area);
            if (!maps.isEmpty()) {
                bool complete = true;
                for (const QString& s : maps) {
                    bool report = false;
                    if (s.startsWith(QLatin1Char('-'))) {
                        complete = false;
                        report = lvl < 7;
                    } else if (!IsMapFile(ResolveMapPath(s.mid(9)))) {
                        complete = false;
                        report = lvl < 7 || s.contains(QStringLiteral("JAPAN"), Qt::CaseInsensitive);
                    }
                    if (report) {
                        msg += s.mid(2) + kCrLf;
                        ++missing;
                    }
                }
                if (complete) break;
            }
            lvl = mEiReplace ? static_cast<int16_t>(lvl - 1) : int16_t(-1);
        }

        if (missing == 0) {
            msg.clear();
        } else if (missing <= 8) {
            msg = QStringLiteral("以下の地図ファイルが見つかりません.") + kCrLf + msg + kCrLf;
        } else {
            msg = QStringLiteral("見つけられない地図ファイルが ") + QString::number(missing) +
                  QStringLiteral(" 個ありました.") + kCrLf;
        }

        if (lvl < 1) {
            QString text = QStringLiteral("必要な地図ファイルを揃えられません.") + kCrLf + kCrLf + msg;
            if (lvl == -1)
                text += QStringLiteral("・小縮尺用地図による代用が許可されていません.");
            else if (const QString page = PublicVal::AuthorURLmap(); !page.isEmpty())
                // Only a configured page can be pointed at.
                text += QStringLiteral("・作者サイトから地図ファイルをダウンロードしてください.") + kCrLf +
                        QStringLiteral("  ") + page;
            Library::MsgError(text);
            return false;
        }

        if (missing > 0)
            Ui().MsgBox(msg + QStringLiteral("より小縮尺用の地図ファイルで代用します."), Mb::OkOnly | Mb::Information,
                        {});
        bool result = true;
        for (const auto& unit : *units) {
            if (!unit) continue;
            const int32_t kind = MapKind(*unit);
            if (kind >= 2 && kind <= 8) unit->bDraw = false;
        }
        for (const QString& s : maps) {
            const QString name = s.mid(9);
            bool found = false;
            for (int32_t i = 1; i <= units->Count(); ++i) {
                const auto unit = units->Item(i);
                if (!unit || !unit->gFigures || !SameFileName(unit->gFigures->FileName(), name)) continue;
                unit->bDraw = true;
                units->SetIndex(i);
                found = true;
                break;
            }
            if (found) continue;
            const std::shared_ptr<clsMapUnit> unit = loader_(ResolveMapPath(name));
            if (!unit) {
                result = false;
                continue;
            }
            if (unit->gFigures && unit->gFigures->Count() > 0) units->Add(unit);
        }
        units->Optimize(2);
        return result;
    } catch (...) {
        ErrorMng::ReRaise(kErrClass, kObj, QStringLiteral("Cruise"));
    }
}

void clsCruise05::ReadRegistry() {
    OuterCall call(*this);
    try {
        clsRegistry reg;
        reg.mSection = kSection;
        SetListFile(Library::JoinPath(FileSystem::ProgramFolder(), QStringLiteral("CRUISE05.LST")));
        const QString list = reg.RegGet(QStringLiteral("ListFile"), PublicVal::CruiseListFile());
        if (FileSystem::IsFile(list)) SetListFile(list);
        SetGridFile(Library::JoinPath(FileSystem::ProgramFolder(), QStringLiteral("CRUISE05.GRD")));
        const QString grid = reg.RegGet(QStringLiteral("GridFile"), PublicVal::CruiseGridFile());
        if (FileSystem::IsFile(grid)) SetGridFile(grid);
        mEiAuto = ReadBool(reg, QStringLiteral("EiAuto"), false);
        mEiReplace = ReadBool(reg, QStringLiteral("EiReplace"), true);
        mEiTopo = ReadBool(reg, QStringLiteral("EiTopo"), false);
        mEiOcean = ReadBool(reg, QStringLiteral("EiOcean"), false);
        mEiTraffic = ReadBool(reg, QStringLiteral("EiTraffic"), false);
        for (int16_t k = 1; k <= 7; ++k) {
            border_[k] = StdBorderScale(k);
            SetBorderScale(k, ReadDouble(reg, QStringLiteral("BorderScale") + QString::number(k), border_[k]));
        }
        lastStdMapList_ = ReadLong(reg, QStringLiteral("LastStdMapList"), 0);
    } catch (...) {
        ErrorMng::ReRaise(kErrSettings, kObj, QStringLiteral("ReadRegistry"));
    }
}

void clsCruise05::WriteRegistry() {
    OuterCall call(*this);
    try {
        clsRegistry reg;
        reg.mSection = kSection;
        reg.RegPut(QStringLiteral("ListFile"), ListFile());
        reg.RegPut(QStringLiteral("GridFile"), GridFile());
        reg.RegPut(QStringLiteral("EiAuto"), mEiAuto);
        reg.RegPut(QStringLiteral("EiReplace"), mEiReplace);
        reg.RegPut(QStringLiteral("EiTopo"), mEiTopo);
        reg.RegPut(QStringLiteral("EiOcean"), mEiOcean);
        reg.RegPut(QStringLiteral("EiTraffic"), mEiTraffic);
        for (int16_t k = 1; k <= 7; ++k) reg.RegPut(QStringLiteral("BorderScale") + QString::number(k), border_[k]);
        reg.RegPut(QStringLiteral("LastStdMapList"), GetStdMapList());
    } catch (...) {
        ErrorMng::ReRaise(kErrSettings, kObj, QStringLiteral("WriteRegistry"));
    }
}
