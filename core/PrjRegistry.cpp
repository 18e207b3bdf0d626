#include "core/PrjRegistry.h"

namespace {

using namespace Prj;

constexpr int32_t kN = 323985; // the poles less 15 seconds
constexpr int32_t kS = -323985;

// The adapters from a row to its family's functions, F the family's
// function and Member where its constants are kept.
template <auto Member, auto F> const PrjFrame* S(const PrjCentre& centre, PrjConsts& consts) {
    const auto c = F(centre);
    if (!c) return nullptr;
    consts.*Member = *c;
    return &(consts.*Member);
}

template <auto Member, auto F> std::optional<UnitXY> Fw(const PrjConsts& consts, double lon, double lat) {
    return F(consts.*Member, lon, lat);
}

template <auto Member, auto F> std::optional<LonLatRad> Iv(const PrjConsts& consts, double x, double y, SearchStop&) {
    return F(consts.*Member, x, y);
}

template <auto Member, auto F>
std::optional<LonLatRad> Search(const PrjConsts& consts, double x, double y, SearchStop& stop) {
    return F(consts.*Member, x, y, stop);
}

constexpr auto Az = &PrjConsts::azimuthal;
constexpr auto Pe = &PrjConsts::perspective;
constexpr auto Cy = &PrjConsts::cylinder;
constexpr auto Ps = &PrjConsts::pseudo;
constexpr auto Co = &PrjConsts::conic;
constexpr auto Bo = &PrjConsts::bonne;

void NearSide(const PrjConsts&, double light, int32_t& n, int32_t& s) { BandNearSide(light, n, s); }
void FarSide(const PrjConsts&, double light, int32_t& n, int32_t& s) { BandFarSide(light, n, s); }
void Conic(const PrjConsts& c, double, int32_t& n, int32_t& s) { BandConic(c.conic, n, s); }

} // namespace

#define VOSP_PRJ(M, name) &S<M, SetUp##name>, &Fw<M, Fwd##name>, &Iv<M, Inv##name>

const PrjRegistry::Entry PrjRegistry::kEntries[30] = {
    {1, 0x04180107, u"心射方位図法", VOSP_PRJ(Az, Gnomonic), kN, 108000, nullptr},
    {2, 0x0E0C0107, u"平射方位図法", VOSP_PRJ(Az, Stereographic), kN, 0, nullptr},
    {3, 0x04080127, u"異種外射方位図法", VOSP_PRJ(Pe, NearSide), kN, kS, &NearSide},
    {4, 0x04080127, u"外射方位図法", VOSP_PRJ(Pe, FarSide), kN, kS, &FarSide},
    {5, 0x04080107, u"正射方位図法", VOSP_PRJ(Az, Orthographic), kN, 0, nullptr},
    {6, 0x0F090107, u"正距方位図法", VOSP_PRJ(Az, Equidistant), kN, -320400, nullptr},
    {7, 0x0F0A0107, u"ランベルト正積方位図法", VOSP_PRJ(Az, LambertAzimuthal), kN, -320400, nullptr},
    {8, 0x1B420807, u"ハンメル図法", VOSP_PRJ(Az, Hammer), kN, kS, nullptr},
    {9, 0x1B400807, u"エイトフ図法", VOSP_PRJ(Az, Aitoff), kN, kS, nullptr},
    {10, 0x10200207, u"心射円筒図法", VOSP_PRJ(Cy, CentralCylindrical), 216000, -216000, nullptr},
    {11, 0x1F600207, u"平射円筒図法", VOSP_PRJ(Cy, StereoCylindrical), kN, kS, nullptr},
    {12, 0x1B210217, u"正距円筒図法", VOSP_PRJ(Cy, Equirectangular), kN, kS, nullptr},
    {13, 0x1A240207, u"メルカトル図法", VOSP_PRJ(Cy, ConformalCylindrical), 306000, -306000, nullptr},
    {14, 0x1B600207, u"ミラー図法", VOSP_PRJ(Cy, Miller), kN, kS, nullptr},
    {15, 0x1B220217, u"ベールマン図法", VOSP_PRJ(Cy, EqualAreaCylindrical), kN, kS, nullptr},
    {16, 0x1B231007, u"サンソン図法", VOSP_PRJ(Ps, Sinusoidal), kN, kS, nullptr},
    {17, 0x1B620807, u"モルワイデ図法", VOSP_PRJ(Ps, Mollweide), kN, kS, nullptr},
    {18, 0, u"エッケルト図法・第４式", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {19, 0x1F624007, u"エッケルト図法・第６式", VOSP_PRJ(Ps, Eckert6), kN, kS, nullptr},
    {20, 0x1F424007, u"ワグネル図法", &S<Ps, SetUpWagner7>, &Fw<Ps, FwdWagner7>, &Search<Ps, InvWagner7>, kN, kS,
     nullptr},
    {21, 0x0E00041F, u"心射円錐図法", VOSP_PRJ(Co, CentralConic), kN, kS, &Conic},
    {22, 0, u"メンデレエフ正距円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {23, 0x0A41041F, u"ドリール正距円錐図法", VOSP_PRJ(Co, EquidistantConic), kN, kS, &Conic},
    {24, 0x0A42041F, u"アルベルス正積円錐図法", VOSP_PRJ(Co, Albers), kN, kS, &Conic},
    {25, 0x0E44041F, u"ランベルト正角円錐図法", VOSP_PRJ(Co, LambertConic), kN, kS, &Conic},
    {26, 0x0A03900F, u"ボンヌ図法", VOSP_PRJ(Bo, Bonne), kN, kS, nullptr},
    {27, 0, u"正規多円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {28, 0, u"舟型多円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {29, 0, u"グード図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {30, 0x1F404007, u"ヴィンケル図法・第３式", &S<Ps, SetUpWinkel>, &Fw<Ps, FwdWinkel>, &Search<Ps, InvWinkel>, kN, kS,
     nullptr},
};

#undef VOSP_PRJ

const PrjRegistry::Entry* PrjRegistry::Catalogued(int16_t index) {
    if (index < 1 || index > 30) return nullptr;
    return &kEntries[index - 1];
}

const PrjRegistry::Entry* PrjRegistry::Implemented(int16_t index) {
    const Entry* e = Catalogued(index);
    return e && e->status != 0 ? e : nullptr;
}
