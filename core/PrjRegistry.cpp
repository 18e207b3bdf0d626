#include "core/PrjRegistry.h"

namespace {

using namespace Prj;

constexpr int32_t kN = 323985; // the poles less 15 seconds
constexpr int32_t kS = -323985;

void NearSide(const PrjConsts&, double light, int32_t& n, int32_t& s) { BandNearSide(light, n, s); }
void FarSide(const PrjConsts&, double light, int32_t& n, int32_t& s) { BandFarSide(light, n, s); }
void Conic(const PrjConsts& c, double, int32_t& n, int32_t& s) { BandConic(c.conic, n, s); }

} // namespace

// A row's three calls, instantiated by its family's file (VOSP_PRJ_ROW); a
// row left out there fails to link.
#define VOSP_PRJ(member, Name, InverseCall)                                                                            \
    &PrjRow::SetUp<&PrjConsts::member, &SetUp##Name>, &PrjRow::Forward<&PrjConsts::member, &Fwd##Name>,                \
        &PrjRow::InverseCall<&PrjConsts::member, &Inv##Name>

// A row's list forms at both widths, instantiated by its family's file
// (VOSP_PRJ_FWD_LIST, VOSP_PRJ_INV_LIST).
#if defined(__x86_64__)
#define VOSP_FWD(member, Name)                                                                                         \
    &PrjRow::ForwardList<&PrjConsts::member, &Fwd##Name##List<PrjBatch::Lanes2>>,                                      \
        &PrjRow::ForwardList<&PrjConsts::member, &Fwd##Name##List<PrjBatch::Lanes4>>
#define VOSP_INV(member, Name)                                                                                         \
    &PrjRow::InverseList<&PrjConsts::member, &Inv##Name##List<PrjBatch::Lanes2>>,                                      \
        &PrjRow::InverseList<&PrjConsts::member, &Inv##Name##List<PrjBatch::Lanes4>>
#else
#define VOSP_FWD(member, Name) nullptr, nullptr
#define VOSP_INV(member, Name) nullptr, nullptr
#endif
#define VOSP_NONE nullptr, nullptr

const PrjRegistry::Entry PrjRegistry::kEntries[30] = {
    {1, 0x04180107, u"心射方位図法", VOSP_PRJ(azimuthal, Gnomonic, Inverse), kN, 108000, nullptr,
     VOSP_FWD(azimuthal, Gnomonic), VOSP_INV(azimuthal, Gnomonic)},
    {2, 0x0E0C0107, u"平射方位図法", VOSP_PRJ(azimuthal, Stereographic, Inverse), kN, 0, nullptr,
     VOSP_FWD(azimuthal, Stereographic), VOSP_INV(azimuthal, Stereographic)},
    {3, 0x04080127, u"異種外射方位図法", VOSP_PRJ(perspective, NearSide, Inverse), kN, kS, &NearSide,
     VOSP_FWD(perspective, NearSide), VOSP_INV(perspective, NearSide)},
    {4, 0x04080127, u"外射方位図法", VOSP_PRJ(perspective, FarSide, Inverse), kN, kS, &FarSide,
     VOSP_FWD(perspective, FarSide), VOSP_INV(perspective, FarSide)},
    {5, 0x04080107, u"正射方位図法", VOSP_PRJ(azimuthal, Orthographic, Inverse), kN, 0, nullptr,
     VOSP_FWD(azimuthal, Orthographic), VOSP_INV(azimuthal, Orthographic)},
    {6, 0x0F090107, u"正距方位図法", VOSP_PRJ(azimuthal, Equidistant, Inverse), kN, -320400, nullptr,
     VOSP_FWD(azimuthal, Equidistant), VOSP_INV(azimuthal, Equidistant)},
    {7, 0x0F0A0107, u"ランベルト正積方位図法", VOSP_PRJ(azimuthal, LambertAzimuthal, Inverse), kN, -320400, nullptr,
     VOSP_FWD(azimuthal, LambertAzimuthal), VOSP_INV(azimuthal, LambertAzimuthal)},
    {8, 0x1B420807, u"ハンメル図法", VOSP_PRJ(azimuthal, Hammer, Inverse), kN, kS, nullptr, VOSP_FWD(azimuthal, Hammer),
     VOSP_INV(azimuthal, Hammer)},
    {9, 0x1B400807, u"エイトフ図法", VOSP_PRJ(azimuthal, Aitoff, Inverse), kN, kS, nullptr, VOSP_FWD(azimuthal, Aitoff),
     VOSP_INV(azimuthal, Aitoff)},
    {10, 0x10200207, u"心射円筒図法", VOSP_PRJ(cylinder, CentralCylindrical, Inverse), 216000, -216000, nullptr,
     VOSP_FWD(cylinder, CentralCylindrical), VOSP_INV(cylinder, CentralCylindrical)},
    {11, 0x1F600207, u"平射円筒図法", VOSP_PRJ(cylinder, StereoCylindrical, Inverse), kN, kS, nullptr,
     VOSP_FWD(cylinder, StereoCylindrical), VOSP_INV(cylinder, StereoCylindrical)},
    {12, 0x1B210217, u"正距円筒図法", VOSP_PRJ(cylinder, Equirectangular, Inverse), kN, kS, nullptr,
     VOSP_FWD(cylinder, Equirectangular), VOSP_INV(cylinder, Equirectangular)},
    {13, 0x1A240207, u"メルカトル図法", VOSP_PRJ(cylinder, ConformalCylindrical, Inverse), 306000, -306000, nullptr,
     VOSP_FWD(cylinder, ConformalCylindrical), VOSP_INV(cylinder, ConformalCylindrical)},
    {14, 0x1B600207, u"ミラー図法", VOSP_PRJ(cylinder, Miller, Inverse), kN, kS, nullptr, VOSP_FWD(cylinder, Miller),
     VOSP_INV(cylinder, Miller)},
    {15, 0x1B220217, u"ベールマン図法", VOSP_PRJ(cylinder, EqualAreaCylindrical, Inverse), kN, kS, nullptr,
     VOSP_FWD(cylinder, EqualAreaCylindrical), VOSP_INV(cylinder, EqualAreaCylindrical)},
    {16, 0x1B231007, u"サンソン図法", VOSP_PRJ(pseudo, Sinusoidal, Inverse), kN, kS, nullptr,
     VOSP_FWD(pseudo, Sinusoidal), VOSP_INV(pseudo, Sinusoidal)},
    {17, 0x1B620807, u"モルワイデ図法", VOSP_PRJ(pseudo, Mollweide, Inverse), kN, kS, nullptr,
     VOSP_FWD(pseudo, Mollweide), VOSP_INV(pseudo, Mollweide)},
    {18, 0, u"エッケルト図法・第４式", nullptr, nullptr, nullptr, kN, kS, nullptr, VOSP_NONE, VOSP_NONE},
    {19, 0x1F624007, u"エッケルト図法・第６式", VOSP_PRJ(pseudo, Eckert6, Inverse), kN, kS, nullptr,
     VOSP_FWD(pseudo, Eckert6), VOSP_INV(pseudo, Eckert6)},
    {20, 0x1F424007, u"ワグネル図法", VOSP_PRJ(pseudo, Wagner7, Search), kN, kS, nullptr, VOSP_FWD(pseudo, Wagner7),
     VOSP_NONE},
    {21, 0x0E00041F, u"心射円錐図法", VOSP_PRJ(conic, CentralConic, Inverse), kN, kS, &Conic,
     VOSP_FWD(conic, CentralConic), VOSP_INV(conic, CentralConic)},
    {22, 0, u"メンデレエフ正距円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr, VOSP_NONE, VOSP_NONE},
    {23, 0x0A41041F, u"ドリール正距円錐図法", VOSP_PRJ(conic, EquidistantConic, Inverse), kN, kS, &Conic,
     VOSP_FWD(conic, EquidistantConic), VOSP_INV(conic, EquidistantConic)},
    {24, 0x0A42041F, u"アルベルス正積円錐図法", VOSP_PRJ(conic, Albers, Inverse), kN, kS, &Conic,
     VOSP_FWD(conic, Albers), VOSP_INV(conic, Albers)},
    {25, 0x0E44041F, u"ランベルト正角円錐図法", VOSP_PRJ(conic, LambertConic, Inverse), kN, kS, &Conic,
     VOSP_FWD(conic, LambertConic), VOSP_INV(conic, LambertConic)},
    {26, 0x0A03900F, u"ボンヌ図法", VOSP_PRJ(bonne, Bonne, Inverse), kN, kS, nullptr, VOSP_FWD(bonne, Bonne),
     VOSP_INV(bonne, Bonne)},
    {27, 0, u"正規多円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr, VOSP_NONE, VOSP_NONE},
    {28, 0, u"舟型多円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr, VOSP_NONE, VOSP_NONE},
    {29, 0, u"グード図法", nullptr, nullptr, nullptr, kN, kS, nullptr, VOSP_NONE, VOSP_NONE},
    {30, 0x1F404007, u"ヴィンケル図法・第３式", VOSP_PRJ(pseudo, Winkel, Search), kN, kS, nullptr,
     VOSP_FWD(pseudo, Winkel), VOSP_NONE},
};

#undef VOSP_PRJ
#undef VOSP_FWD
#undef VOSP_INV
#undef VOSP_NONE

const PrjRegistry::Entry* PrjRegistry::Catalogued(int16_t index) {
    if (index < 1 || index > 30) return nullptr;
    return &kEntries[index - 1];
}

const PrjRegistry::Entry* PrjRegistry::Implemented(int16_t index) {
    const Entry* e = Catalogued(index);
    return e && e->status != 0 ? e : nullptr;
}
