#pragma once
// The figures shown for one solution row: space left over along an axis, net weight and
// payload light, void filling in plan, fill percentage, the row's calculated fields
// (load per m², saturated load, separator count) and the top-layer figures.
//
// Pure functions of plain numbers: the caller reads the window's texts (and converts them,
// with the conversion errors that brings) and passes the numbers. Sizes are whole mm and
// counts whole numbers in 32 bits; an integer result that does not fit throws
// velcaro::OverflowError. Where a formula would divide by a count or an area of 0 the
// function returns a defined result (documented on each) instead of failing.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velcaro::quantities {

// The separator settings of the main window.
struct ImpostazioniTramezzi {
    bool considerati = false; // "Si" chosen
    bool fondo = false;       // sheet under the first layer
    bool testa = false;       // sheet on top of the last layer
};

// End-sheet count E: 0 without separators, else one per ticked end sheet (0, 1 or 2).
std::int32_t FogliDiEstremita(const ImpostazioniTramezzi& t);

// Space left over along one axis, mm: C - E*S - P - (n - 1)*(P + S - c), with S taken as 0
// without separators. Negative when the pieces do not fit; never corrected.
std::int32_t CalcolaSpazioAvanzato(std::int32_t P, std::int32_t C, std::int32_t S, std::int32_t c,
                                   std::int32_t n, const ImpostazioniTramezzi& t);

enum class ModoPeso {
    TuttiGliStrati,  // all layers, sheets between them and the end sheets
    StratiSuperiori, // what rests on the first layer
};

// Net weight in ten-thousandths of a kilogram.
using PesoNetto = std::int64_t;
constexpr std::int64_t kDecimilliPerKg = 10000;

// Pieces: (a*b + x) * h, or * (h - 1) for StratiSuperiori. Sheets: 0 without separators,
// else (h - 1) + E, or (h - 1) + (1 when the top sheet is ticked) for StratiSuperiori.
// Weight kg = w * pieces / 1000 + g / 1000 * (D1/1000 * D2/1000) * sheets in extended
// precision, times 10 000, rounded half to even. D1, D2 in mm, w in g, g in g/m².
PesoNetto CalcolaPesoNetto(std::int32_t D1, std::int32_t D2, std::int32_t w, std::int32_t g,
                           std::int32_t a, std::int32_t b, std::int32_t x, std::int32_t h,
                           ModoPeso modo, const ImpostazioniTramezzi& t);

enum class Semaforo { Verde, Rosso, Giallo };

// The payload light for a net weight against the payload P in kg: yellow when P is 0,
// red when the weight is at or above it, green below.
Semaforo SemaforoPortata(PesoNetto peso, std::int32_t portataKg);
// The same reading the payload from the main window's text: trimmed, as an integer.
// Throws ConversionError "'%s' is not a valid integer value" for any other text.
Semaforo SemaforoPortata(PesoNetto peso, std::string_view testoPortata);
// The picture of a light, relative to the program's folder.
const char* FileSemaforo(Semaforo s);

// Void filling in plan.
struct Riempimento {
    std::int32_t quantitaA = 0;   // pieces across the strip along A
    std::int32_t quantitaB = 0;   // pieces across the strip along B
    std::int32_t perStrato = 0;   // extra pieces in each layer
    std::int32_t tuttiStrati = 0; // extra pieces in all layers

    bool operator==(const Riempimento&) const = default;
};

// Tries the four strips in order (A as placed, A turned, B turned, B as placed); each
// tried strip replaces the per-layer and all-layer results of the earlier ones, and sets
// its axis count to n when n*m is not 0. "div" truncates toward zero. When PA - cA or
// PB - cB is not positive no strip can be measured and the result is all zeros.
Riempimento CalcolaRiempimento(std::int32_t dA, std::int32_t dB, std::int32_t PA, std::int32_t PB,
                               std::int32_t CA, std::int32_t CB, std::int32_t cA, std::int32_t cB,
                               std::int32_t h);

// Fill percentage: (CA-dA)*(CB-dB)*(CH-dH) * 100 / (CA*CB*CH), rounded half to even.
// 0 for a container of no volume.
std::int32_t CalcolaSaturazione(std::int32_t CA, std::int32_t CB, std::int32_t CH, std::int32_t dA,
                                std::int32_t dB, std::int32_t dH);

// --- Calculated fields of a solution row ---

// Layers resting on the first one: QuantitaH - 1 when above 1, else QuantitaH.
std::int32_t StratiSovrapposti(std::int32_t quantitaH);
// Separator load T on the first layer, g/m²: (top sheet + n when n > 1) * g with separators,
// else 0.
double CaricoTramezzi(std::int32_t n, std::int32_t g, const ImpostazioniTramezzi& t);
// Floor area in m²: ContenitoreA * ContenitoreB / 1 000 000.
double AreaPavimento(std::int32_t contenitoreA, std::int32_t contenitoreB);
// Carico, kg/m²: (w/1000 * QuantitaA * QuantitaB * n) / F + T/1000; T itself when F is 0.
// The piece weight is only needed when F is not 0.
double Carico(std::int32_t w, std::int32_t quantitaA, std::int32_t quantitaB, std::int32_t n,
              double F, double T);
// CaricoSaturo: QuantitaSatura / Quantita * Carico; empty when QuantitaSatura is empty or
// Quantita is 0.
std::optional<double> CaricoSaturo(std::optional<std::int32_t> quantitaSatura,
                                   std::int32_t quantita, double carico);
// NumeroTramezzi: E + n with separators, empty without.
std::optional<std::int32_t> NumeroTramezzi(std::int32_t n, const ImpostazioniTramezzi& t);

struct CampiCalcolati {
    double carico = 0;
    std::optional<double> caricoSaturo;
    std::optional<std::int32_t> numeroTramezzi;
};

// All three fields at once, for a caller that has both the piece weight w and the
// grammage g at hand.
CampiCalcolati CalcolaCampiCalcolati(std::int32_t contenitoreA, std::int32_t contenitoreB,
                                     std::int32_t quantitaA, std::int32_t quantitaB,
                                     std::int32_t quantitaH, std::int32_t quantita,
                                     std::optional<std::int32_t> quantitaSatura, std::int32_t w,
                                     std::int32_t g, const ImpostazioniTramezzi& t);

// --- Layer editing, top layers ---

// Extra pieces per layer of a row: (QuantitaSatura - Quantita) div QuantitaH; 0 for a row
// with no layers.
std::int32_t PezziExtraPerStrato(std::int32_t quantitaSatura, std::int32_t quantita,
                                 std::int32_t quantitaH);
// Pieces per layer of a row: quantity div QuantitaH; 0 for a row with no layers.
std::int32_t PezziPerStrato(std::int32_t quantita, std::int32_t quantitaH);
// Quantity shown while editing the layers: (QuantitaA*QuantitaB + extra) * L on a filled
// row, QuantitaA*QuantitaB * L otherwise.
std::int32_t QuantitaConStrati(std::int32_t quantitaA, std::int32_t quantitaB,
                               std::int32_t extraPerStrato, bool riempita, std::int32_t strati);
// Load on the first layer while editing, kg/m² with four decimals: U over the floor area
// rounded to ten-thousandths of m², the quotient rounded to ten-thousandths of kg/m².
// Empty when that area is 0 (the figure is then not shown).
std::optional<double> CaricoPrimoStrato(PesoNetto pesoSuperiore, std::int32_t larghezzaUtile,
                                        std::int32_t lunghezzaUtile);

// Top layers of another orientation in the height left over.
struct UltimiStrati {
    std::int32_t spazio = 0;             // c: room after one sheet, one layer and the top sheet
    std::int32_t passo = 0;              // d: height of each further layer
    std::int32_t strati = 0;             // q: layers that fit (c div d + 1)
    std::int32_t spazioUltimiStrati = 0; // (q - 1) * d + p + s

    bool operator==(const UltimiStrati&) const = default;
};

// H0 height left over, p and k the chosen orientation's PezzoH and CompenetraH, S the
// separator thickness (used only with separators; the top sheet counts whenever ticked).
// A pitch that is not positive (only possible with a negative thickness) gives 0 layers
// and 0 height.
UltimiStrati CalcolaUltimiStrati(std::int32_t H0, std::int32_t p, std::int32_t k, std::int32_t S,
                                 const ImpostazioniTramezzi& t);

// Weight breakdown when top layers are added (the last-layer window).
struct AggiuntaStrati {
    std::int32_t tramezziTotali = 0;     // Ntot, sheets in the container
    std::int32_t tramezziSuperiori = 0;  // Nsup, sheets resting on the first layer
    double pesoTramezzi = 0;             // T, kg
    double pesoPrimiStrati = 0;          // P1, kg
    double pesoUltimiStrati = 0;         // P2, kg
    double pesoTotale = 0;               // P, kg
    double carico = 0;                   // load on the first layer, kg/m²
    Semaforo semaforo = Semaforo::Verde; // red only when the payload is below P
};

// contenitoreA/B floor sizes (mm), quantitaH the solution's layers, strati the added
// layers v, grammatura in g/m², quantitaRiga the row's (filled) quantity, pesoPezzo in g,
// pezziAggiunti the pieces in the added layers, portata the payload in kg.
// The piece part of the load is 0 when the floor area is 0; its share of the row's own
// layers is 0 when the row has no layers.
AggiuntaStrati CalcolaAggiuntaStrati(std::int32_t contenitoreA, std::int32_t contenitoreB,
                                     std::int32_t quantitaH, std::int32_t strati, double grammatura,
                                     std::int32_t quantitaRiga, double pesoPezzo,
                                     std::int32_t pezziAggiunti, double portata,
                                     const ImpostazioniTramezzi& t);

} // namespace velcaro::quantities
