#pragma once
// Colours as the automation interface passes them, and the classic 56-colour palette
// that ColorIndex refers to.
//
// Two encodings meet here:
//  - an automation colour ("Color" of a font or fill) is an integer laid out as
//    red + green * 256 + blue * 65536, so 255 is pure red and 16777215 white;
//  - the file (and this layer inside) uses 0xRRGGBB.
#include <cstdint>
#include <optional>

namespace velcaro::spreadsheet {

inline constexpr int kPaletteSize = 56;

// The default palette, index 1 to 56 -> 0xRRGGBB; nullopt outside 1..56.
std::optional<std::uint32_t> PaletteRgb(int colorIndex);
// The palette index whose colour is closest to rgb (an exact match when there is one,
// the lowest index among equals).
int NearestPaletteIndex(std::uint32_t rgb);

// Automation colour <-> 0xRRGGBB. Values outside 0..16777215 are rejected by callers.
constexpr std::uint32_t AutomationToRgb(long color) {
    const auto c = static_cast<std::uint32_t>(color);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr long RgbToAutomation(std::uint32_t rgb) {
    return static_cast<long>(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu));
}
// The automation's RGB(r, g, b).
constexpr long Rgb(int r, int g, int b) {
    return static_cast<long>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

} // namespace velcaro::spreadsheet
