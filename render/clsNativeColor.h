#pragma once
// The native palette: colours named by index. 117 fixed base colours
// (0..116: nine rows of a grey and twelve hues), 13 colours of the user's
// own (117..129, kept in settings section "NATIVECOLOR") and -1 for none.
//
// The user colours are written back by WriteRegistry, which the owner calls
// at shut-down (a destructor must not fail).
#include <array>
#include <cstdint>

class clsNativeColor {
public:
    // Builds the base colours and reads the user colours; a settings failure
    // leaves the unread user colours black.
    clsNativeColor();

    // The colour of palette index iPal in -1..129, -2 for any other index.
    int32_t Color(int32_t iPal) const;
    // Stores rgb24 masked to 24 bits for a user index; others are ignored.
    void SetColor(int32_t iPal, int32_t rgb24);
    // 1 none (-1), 2 base colour, 3 user colour, 0 not an index.
    int16_t Attr(int32_t iPal) const;

    // Grid shape for palette pickers.
    static constexpr int16_t Cols() { return 13; }
    static constexpr int16_t Rows() { return 11; }
    static constexpr int16_t PalStart() { return -1; }
    static constexpr int16_t PalEnd() { return 129; }
    static constexpr int16_t PalBaseStart() { return 0; }
    static constexpr int16_t PalBaseEnd() { return 116; }
    static constexpr int16_t PalUserStart() { return 117; }
    static constexpr int16_t PalUserEnd() { return 129; }
    static constexpr int16_t Count() { return 131; }

    // -1 for -1; -2 for other values with bits above bit 23; otherwise the
    // lowest index holding rgb24, -2 when none does.
    int16_t RGBtoPal(int32_t rgb24) const;
    // The lowest user index still white (free), -1 when none.
    int16_t PalSpace() const;

    // User colours from and to section "NATIVECOLOR", keys USER0..USER12.
    // A missing or unreadable value reads as white.
    void ReadRegistry();
    void WriteRegistry() const;

private:
    std::array<int32_t, 131> table_{};  // index -1..129 at 0..130
};
