#pragma once
// What the colour palette picker knows without painting: which index the
// cursor is on, how keys move it, which cell lies under a point, the tool
// tips, and the copying of colours into the user row.
//
// Indexes run from -1 (the thing list's own colour, offered only in the
// wild mode) over 0..116 (base colours) to 117..129 (user colours), laid
// out in rows of 13; row and column arithmetic truncates.
#include <QString>
#include <cstdint>

class clsNativeColor;

class PaletteModel {
public:
    // Key codes as the keyboard reports them (Enter 13, Esc 27, ...).
    enum class Action { None, Moved, Choose, Cancel, Edit };

    PaletteModel(clsNativeColor& palette, bool wild);

    int32_t First() const { return first_; }
    int32_t Last() const { return last_; }
    int32_t Current() const { return current_; }
    bool Wild() const { return wild_; }
    clsNativeColor& Palette() const { return palette_; }

    // Puts the cursor on `color`; a plain colour the palette lacks goes into
    // the first free (white) user slot, or the first user slot when none is
    // free.
    void Open(int32_t color);
    // Steps the cursor, wrapping once past either end.
    void Move(int32_t step);
    void SetCurrent(int32_t index) { current_ = index; }
    // Acts on a key of the grid; Moved when the cursor moved.
    Action Key(int32_t keyCode);
    // The part of Space and F2 that needs no dialog: a base colour is copied
    // into the user row and the cursor follows it. The user slot to edit
    // then, or -2 when the cursor is on none.
    int32_t PrepareEdit();

    // The index under (x, y) twips in a grid of cell size c whose picture is
    // 13c + 45 by 11c + 45; -2 for none (also in the margin right of the
    // last column).
    int32_t IndexAt(int32_t x, int32_t y, int32_t c) const;
    // The grid's tool tip for an index.
    QString TipText(int32_t index) const;

    static int32_t Column(int32_t index) { return index % 13; }
    static int32_t Row(int32_t index) { return index / 13; }

private:
    clsNativeColor& palette_;
    bool wild_;
    int32_t first_;
    int32_t last_;
    int32_t current_ = -2;
};
