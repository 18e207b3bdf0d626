#include "app/PaletteModel.h"

#include "render/clsNativeColor.h"

PaletteModel::PaletteModel(clsNativeColor& palette, bool wild)
    : palette_(palette), wild_(wild), first_(wild ? clsNativeColor::PalStart() : 0),
      last_(clsNativeColor::PalEnd()) {}

void PaletteModel::Open(int32_t color) {
    current_ = palette_.RGBtoPal(color);
    if (current_ != -2 || (color & 0xFF000000) != 0) return;
    int32_t slot = palette_.PalSpace();
    if (slot == -1) slot = clsNativeColor::PalUserStart();
    palette_.SetColor(slot, color);
    current_ = slot;
}

void PaletteModel::Move(int32_t step) {
    const int32_t count = last_ - first_ + 1;
    int32_t i = current_ + step;
    if (i < first_) i += count;
    else if (i > last_) i -= count;
    current_ = i;
}

PaletteModel::Action PaletteModel::Key(int32_t keyCode) {
    int32_t step = 0;
    switch (keyCode) {
    case 13: return Action::Choose;
    case 27: return Action::Cancel;
    case 32:
    case 113: return Action::Edit;
    case 37: step = -1; break;
    case 39: step = 1; break;
    case 38: step = wild_ && current_ >= 0 && current_ <= 12 ? -1 - current_ : -13; break;
    case 40: step = current_ == -1 ? 1 : 13; break;
    default:
        if (keyCode >= 65 && keyCode < 65 + 13) {
            step = (keyCode - 65) - Column(current_);
        } else {
            int32_t digit = -1;
            if (keyCode >= 48 && keyCode <= 57) digit = keyCode - 48;
            if (keyCode >= 96 && keyCode <= 105) digit = keyCode - 96;
            if (digit < 0 || digit > (last_ + 1) / 13 - 1) return Action::None;
            step = (digit - Row(current_)) * 13;
        }
    }
    Move(step);
    return Action::Moved;
}

int32_t PaletteModel::PrepareEdit() {
    if (palette_.Attr(current_) == 2) {
        int32_t slot = palette_.PalSpace();
        if (slot == -1) slot = clsNativeColor::PalUserStart();
        palette_.SetColor(slot, palette_.Color(current_));
        current_ = slot;
    }
    return palette_.Attr(current_) == 3 ? current_ : -2;
}

int32_t PaletteModel::IndexAt(int32_t x, int32_t y, int32_t c) const {
    if (c <= 0 || x < 0 || y < 0 || y > 11 * c + 44) return -2;
    // The margin right of the last column belongs to no cell.
    if (x >= 13 * c) return -2;
    if (y < c) return wild_ ? -1 : -2;
    const int32_t i = (y / c - 1) * 13 + x / c;
    return i >= first_ && i <= last_ ? i : -2;
}

QString PaletteModel::TipText(int32_t index) const {
    const int16_t attr = palette_.Attr(index);
    if (attr == 1) return QStringLiteral("事象リストに従う");
    if (attr != 2 && attr != 3) return {};
    const int32_t c = palette_.Color(index);
    const QString rgb = QStringLiteral("(R,G,B)=(%1,%2,%3)").arg(c & 0xFF).arg((c >> 8) & 0xFF).arg((c >> 16) & 0xFF);
    return (attr == 2 ? QStringLiteral("基本色 / ") : QStringLiteral("ユーザー色（右クリックで変更可能） / ")) + rgb;
}
