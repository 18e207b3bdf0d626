#include "core/PrjRegistry.h"

namespace {

using P = clsVospProjector;
constexpr int32_t kN = 323985; // the poles less 15 seconds
constexpr int32_t kS = -323985;

} // namespace

const PrjRegistry::Entry PrjRegistry::kEntries[30] = {
    {1, 0x04180107, u"心射方位図法", &P::SetUpGnomonic, &P::FwdGnomonic, &P::InvGnomonic, kN, 108000, nullptr},
    {2, 0x0E0C0107, u"平射方位図法", &P::SetUpStereographic, &P::FwdStereographic, &P::InvStereographic, kN, 0,
     nullptr},
    {3, 0x04080127, u"異種外射方位図法", &P::SetUpNearSide, &P::FwdNearSide, &P::InvNearSide, kN, kS,
     &P::BandNearSide},
    {4, 0x04080127, u"外射方位図法", &P::SetUpFarSide, &P::FwdFarSide, &P::InvFarSide, kN, kS, &P::BandFarSide},
    {5, 0x04080107, u"正射方位図法", &P::SetUpOrthographic, &P::FwdOrthographic, &P::InvOrthographic, kN, 0, nullptr},
    {6, 0x0F090107, u"正距方位図法", &P::SetUpEquidistant, &P::FwdEquidistant, &P::InvEquidistant, kN, -320400,
     nullptr},
    {7, 0x0F0A0107, u"ランベルト正積方位図法", &P::SetUpLambertAzimuthal, &P::FwdLambertAzimuthal,
     &P::InvLambertAzimuthal, kN, -320400, nullptr},
    {8, 0x1B420807, u"ハンメル図法", &P::SetUpHammer, &P::FwdHammer, &P::InvHammer, kN, kS, nullptr},
    {9, 0x1B400807, u"エイトフ図法", &P::SetUpLatOffset, &P::FwdAitoff, &P::InvAitoff, kN, kS, nullptr},
    {10, 0x10200207, u"心射円筒図法", &P::SetUpCentralCylindrical, &P::FwdCentralCylindrical,
     &P::InvCentralCylindrical, 216000, -216000, nullptr},
    {11, 0x1F600207, u"平射円筒図法", &P::SetUpStereoCylindrical, &P::FwdStereoCylindrical,
     &P::InvStereoCylindrical, kN, kS, nullptr},
    {12, 0x1B210217, u"正距円筒図法", &P::SetUpLatOffset, &P::FwdEquirectangular, &P::InvEquirectangular, kN, kS,
     nullptr},
    {13, 0x1A240207, u"メルカトル図法", &P::SetUpConformalCylindrical, &P::FwdConformalCylindrical,
     &P::InvConformalCylindrical, 306000, -306000, nullptr},
    {14, 0x1B600207, u"ミラー図法", &P::SetUpMiller, &P::FwdMiller, &P::InvMiller, kN, kS, nullptr},
    {15, 0x1B220217, u"ベールマン図法", &P::SetUpEqualAreaCylindrical, &P::FwdEqualAreaCylindrical,
     &P::InvEqualAreaCylindrical, kN, kS, nullptr},
    {16, 0x1B231007, u"サンソン図法", &P::SetUpSinusoidal, &P::FwdSinusoidal, &P::InvSinusoidal, kN, kS, nullptr},
    {17, 0x1B620807, u"モルワイデ図法", &P::SetUpMollweide, &P::FwdMollweide, &P::InvMollweide, kN, kS, nullptr},
    {18, 0, u"エッケルト図法・第４式", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {19, 0x1F624007, u"エッケルト図法・第６式", &P::SetUpEckert6, &P::FwdEckert6, &P::InvEckert6, kN, kS, nullptr},
    {20, 0x1F424007, u"ワグネル図法", &P::SetUpWagner7, &P::FwdWagner7, &P::InvBySearch, kN, kS, nullptr},
    {21, 0x0E00041F, u"心射円錐図法", &P::SetUpCentralConic, &P::FwdCentralConic, &P::InvCentralConic, kN, kS,
     &P::BandConic},
    {22, 0, u"メンデレエフ正距円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {23, 0x0A41041F, u"ドリール正距円錐図法", &P::SetUpEquidistantConic, &P::FwdEquidistantConic,
     &P::InvEquidistantConic, kN, kS, &P::BandConic},
    {24, 0x0A42041F, u"アルベルス正積円錐図法", &P::SetUpAlbers, &P::FwdAlbers, &P::InvAlbers, kN, kS,
     &P::BandConic},
    {25, 0x0E44041F, u"ランベルト正角円錐図法", &P::SetUpLambertConic, &P::FwdLambertConic, &P::InvLambertConic, kN,
     kS, &P::BandConic},
    {26, 0x0A03900F, u"ボンヌ図法", &P::SetUpBonne, &P::FwdBonne, &P::InvBonne, kN, kS, nullptr},
    {27, 0, u"正規多円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {28, 0, u"舟型多円錐図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {29, 0, u"グード図法", nullptr, nullptr, nullptr, kN, kS, nullptr},
    {30, 0x1F404007, u"ヴィンケル図法・第３式", &P::SetUpSinusoidal, &P::FwdWinkel, &P::InvBySearch, kN, kS, nullptr},
};

const PrjRegistry::Entry* PrjRegistry::Catalogued(int16_t index) {
    if (index < 1 || index > 30) return nullptr;
    return &kEntries[index - 1];
}

const PrjRegistry::Entry* PrjRegistry::Implemented(int16_t index) {
    const Entry* e = Catalogued(index);
    return e && e->status != 0 ? e : nullptr;
}
