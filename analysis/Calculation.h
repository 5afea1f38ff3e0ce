#pragma once
// Arithmetic of the "Calcola" command: how many pieces fit along each axis of the
// container, and the six ways of laying the piece in it. Pure functions of plain numbers;
// the command reads the window, runs its checks, calls these and writes the rows.
//
// Everything is whole millimetres in 32 bits. A result that does not fit throws
// velcaro::OverflowError; arguments that leave a division without a positive divisor
// throw velcaro::Error. Neither ever wraps or divides by zero.
#include <array>
#include <cstdint>

namespace velcaro::analysis {

// Which count QuantitaPerAsse returns: the product of the three, or one axis.
enum class Asse { Tutti, A, B, H };

// Separator sheets laid beside the layers besides the one that goes with each layer:
// 0 without separators, otherwise one for the bottom sheet and one for the top sheet.
std::int32_t FogliAggiuntivi(bool tramezziConsiderati, bool fondo, bool testa);

// Pieces along the selected axis (or the product of the three counts for Asse::Tutti).
//   along A: 0 when CA < PA, else (CA - PA) div (PA - cA) + 1; the same along B;
//   along H: R = CH - S*M - (PH + S); 0 when R < 0, else R div (PH + S - cH) + 1.
// Only the axes that the selector needs are computed. Throws velcaro::Error when the
// divisor of a needed axis is not positive (an interpenetration not smaller than its
// side, or a negative separator thickness), and OverflowError when a count does not fit.
std::int32_t QuantitaPerAsse(std::int32_t CA, std::int32_t CB, std::int32_t CH, std::int32_t PA,
                             std::int32_t PB, std::int32_t PH, std::int32_t cA, std::int32_t cB,
                             std::int32_t cH, std::int32_t S, std::int32_t M, Asse asse);

// A side of the piece as the main window names it.
enum class Lato { Larghezza, Lunghezza, Altezza };

// The piece's side on each container axis for one solution.
struct Orientamento {
    Lato pezzoA;
    Lato pezzoB;
    Lato pezzoH;
};

constexpr std::int32_t kNumeroSoluzioni = 6;

// The orientation of solution `id` (1 to 6):
//   1 L W T, 2 L T W, 3 W L T, 4 W T L, 5 T L W, 6 T W L.
// Throws velcaro::Error for an id outside 1..6.
Orientamento OrientamentoSoluzione(std::int32_t id);

// The piece as entered: sides in mm and the interpenetration on each side.
struct Pezzo {
    std::int32_t larghezza = 0; // W
    std::int32_t lunghezza = 0; // L
    std::int32_t altezza = 0;   // T
    std::int32_t compenetraLarghezza = 0;
    std::int32_t compenetraLunghezza = 0;
    std::int32_t compenetraAltezza = 0;
};

// The container's useful sizes in mm. Axis A is the length, axis B the width.
struct Contenitore {
    std::int32_t larghezzaUtile = 0;
    std::int32_t lunghezzaUtile = 0;
    std::int32_t altezzaUtile = 0;
};

// Separator settings. Without separators the thickness and the sheet boxes are ignored.
struct Tramezzi {
    bool considerati = false;
    std::int32_t spessore = 0; // S, mm
    bool fondo = false;
    bool testa = false;
};

// One solution row as the calculation writes it (Saturo "No", QuantitaSatura empty).
struct RigaSoluzione {
    std::int32_t ID = 0;
    std::int32_t ContenitoreA = 0;
    std::int32_t ContenitoreB = 0;
    std::int32_t ContenitoreH = 0;
    std::int32_t PezzoA = 0;
    std::int32_t PezzoB = 0;
    std::int32_t PezzoH = 0;
    std::int32_t CompenetraA = 0;
    std::int32_t CompenetraB = 0;
    std::int32_t CompenetraH = 0;
    std::int32_t QuantitaA = 0;
    std::int32_t QuantitaB = 0;
    std::int32_t QuantitaH = 0;
    std::int32_t Quantita = 0;

    bool operator==(const RigaSoluzione&) const = default;
};

// Solution `id` (1 to 6). With separators the height interpenetration is 0 in every row,
// since a sheet lies between every two layers.
RigaSoluzione CalcolaSoluzione(std::int32_t id, const Contenitore& contenitore, const Pezzo& pezzo,
                               const Tramezzi& tramezzi);

// The six solutions in ID order. All six are computed before this returns, so a refused
// thickness or an overflow is reported before the caller has cleared or written a table.
std::array<RigaSoluzione, kNumeroSoluzioni>
CalcolaSoluzioni(const Contenitore& contenitore, const Pezzo& pezzo, const Tramezzi& tramezzi);

} // namespace velcaro::analysis
