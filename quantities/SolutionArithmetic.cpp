#include "quantities/SolutionArithmetic.h"

#include "platform/Error.h"
#include "platform/text/Checked.h"
#include "platform/text/Conversions.h"

#include <cmath>

namespace velcaro::quantities {

using text::CheckedAdd;
using text::CheckedDiv;
using text::CheckedMul;
using text::CheckedSub;

namespace {

// Nearest whole number, halves to the even neighbour, in extended precision.
long double ArrotondaPari(long double v) {
    const long double sotto = std::floor(v);
    const long double frazione = v - sotto;
    if (frazione < 0.5L)
        return sotto;
    if (frazione > 0.5L)
        return sotto + 1.0L;
    return std::fmod(sotto, 2.0L) == 0.0L ? sotto : sotto + 1.0L;
}

// Both limits are exact in extended precision; NaN fails both comparisons.
std::int64_t In64Bit(long double arrotondato) {
    if (!(arrotondato >= -9223372036854775808.0L && arrotondato < 9223372036854775808.0L))
        throw OverflowError("Il peso calcolato supera il limite consentito: ridurre il numero "
                            "dei pezzi o il loro peso.");
    return static_cast<std::int64_t>(arrotondato);
}

std::int32_t In32Bit(long double arrotondato) {
    if (!(arrotondato >= -2147483648.0L && arrotondato <= 2147483647.0L))
        throw OverflowError("Il risultato del calcolo supera il limite dei numeri interi.");
    return static_cast<std::int32_t>(arrotondato);
}

} // namespace

std::int32_t FogliDiEstremita(const ImpostazioniTramezzi& t) {
    if (!t.considerati)
        return 0;
    return (t.fondo ? 1 : 0) + (t.testa ? 1 : 0);
}

std::int32_t CalcolaSpazioAvanzato(std::int32_t P, std::int32_t C, std::int32_t S, std::int32_t c,
                                   std::int32_t n, const ImpostazioniTramezzi& t) {
    const std::int32_t s = t.considerati ? S : 0;
    const std::int32_t E = FogliDiEstremita(t);
    const std::int32_t passo = CheckedSub(CheckedAdd(P, s), c);
    const std::int32_t ulteriori = CheckedMul(CheckedSub(n, 1), passo);
    return CheckedSub(CheckedSub(CheckedSub(C, CheckedMul(E, s)), P), ulteriori);
}

PesoNetto CalcolaPesoNetto(std::int32_t D1, std::int32_t D2, std::int32_t w, std::int32_t g,
                           std::int32_t a, std::int32_t b, std::int32_t x, std::int32_t h,
                           ModoPeso modo, const ImpostazioniTramezzi& t) {
    const std::int32_t perStrato = CheckedAdd(CheckedMul(a, b), x);
    const std::int32_t stratiSotto = CheckedSub(h, 1);
    const std::int32_t pezzi =
        CheckedMul(perStrato, modo == ModoPeso::StratiSuperiori ? stratiSotto : h);

    std::int32_t fogli = 0;
    if (t.considerati) {
        const std::int32_t estremi =
            modo == ModoPeso::TuttiGliStrati ? FogliDiEstremita(t) : (t.testa ? 1 : 0);
        fogli = CheckedAdd(stratiSotto, estremi);
    }

    const long double area = (D1 / 1000.0L) * (D2 / 1000.0L);
    const long double kg = static_cast<long double>(w) * pezzi / 1000.0L +
                           static_cast<long double>(g) / 1000.0L * area * fogli;
    return In64Bit(ArrotondaPari(kg * kDecimilliPerKg));
}

Semaforo SemaforoPortata(PesoNetto peso, std::int32_t portataKg) {
    if (portataKg == 0)
        return Semaforo::Giallo;
    // The payload in ten-thousandths always fits in 64 bits.
    const std::int64_t limite = static_cast<std::int64_t>(portataKg) * kDecimilliPerKg;
    return peso >= limite ? Semaforo::Rosso : Semaforo::Verde;
}

Semaforo SemaforoPortata(PesoNetto peso, std::string_view testoPortata) {
    return SemaforoPortata(peso, text::StrToInt(text::Trim(testoPortata)));
}

const char* FileSemaforo(Semaforo s) {
    switch (s) {
    case Semaforo::Verde:
        return "Images\\Traffic Light GREEN.ICO";
    case Semaforo::Rosso:
        return "Images\\Traffic Light RED.ICO";
    case Semaforo::Giallo:
        return "Images\\Traffic Light JELLOW.ICO";
    }
    return "Images\\Traffic Light JELLOW.ICO";
}

Riempimento CalcolaRiempimento(std::int32_t dA, std::int32_t dB, std::int32_t PA, std::int32_t PB,
                               std::int32_t CA, std::int32_t CB, std::int32_t cA, std::int32_t cB,
                               std::int32_t h) {
    Riempimento r;
    const std::int32_t passoA = CheckedSub(PA, cA);
    const std::int32_t passoB = CheckedSub(PB, cB);
    if (passoA <= 0 || passoB <= 0)
        return r;

    // Pieces of side `lato` (each further one taking `passo`) in `spazio`; truncating.
    const auto quanti = [](std::int32_t spazio, std::int32_t lato, std::int32_t passo) {
        return CheckedAdd(CheckedDiv(CheckedSub(spazio, lato), passo), 1);
    };
    const auto striscia = [&](std::int32_t n, std::int32_t m, std::int32_t& conteggio) {
        const std::int32_t prodotto = CheckedMul(n, m);
        r.perStrato = prodotto;
        r.tuttiStrati = CheckedMul(prodotto, h);
        if (prodotto != 0)
            conteggio = n;
    };

    if (PA < dA)
        striscia(quanti(dA, PA, passoA), quanti(CB, PB, passoB), r.quantitaA);
    if (PB < dA)
        striscia(quanti(dA, PB, passoB), quanti(CB, PA, passoA), r.quantitaA);
    if (PA < dB)
        striscia(quanti(dB, PA, passoA), quanti(CA, PB, passoB), r.quantitaB);
    if (PB < dB)
        striscia(quanti(dB, PB, passoB), quanti(CA, PA, passoA), r.quantitaB);
    return r;
}

std::int32_t CalcolaSaturazione(std::int32_t CA, std::int32_t CB, std::int32_t CH, std::int32_t dA,
                                std::int32_t dB, std::int32_t dH) {
    const long double volume = static_cast<long double>(CA) * CB * CH;
    if (volume == 0.0L)
        return 0;
    // Differences in 64 bits cannot overflow; the products are exact up to 2^64, so the
    // percentage is divided once and a true half (62.5) stays a half.
    const long double occupato = static_cast<long double>(std::int64_t{CA} - dA) *
                                 static_cast<long double>(std::int64_t{CB} - dB) *
                                 static_cast<long double>(std::int64_t{CH} - dH);
    return In32Bit(ArrotondaPari(occupato * 100.0L / volume));
}

std::int32_t StratiSovrapposti(std::int32_t quantitaH) {
    return quantitaH > 1 ? quantitaH - 1 : quantitaH;
}

double CaricoTramezzi(std::int32_t n, std::int32_t g, const ImpostazioniTramezzi& t) {
    if (!t.considerati)
        return 0.0;
    const std::int64_t k = std::int64_t{t.testa ? 1 : 0} + (n > 1 ? n : 0);
    return static_cast<double>(k) * g;
}

double AreaPavimento(std::int32_t contenitoreA, std::int32_t contenitoreB) {
    return static_cast<double>(contenitoreA) * contenitoreB / 1000000.0;
}

double Carico(std::int32_t w, std::int32_t quantitaA, std::int32_t quantitaB, std::int32_t n,
              double F, double T) {
    if (F == 0.0)
        return T;
    return (w / 1000.0 * quantitaA * quantitaB * n) / F + T / 1000.0;
}

std::optional<double> CaricoSaturo(std::optional<std::int32_t> quantitaSatura,
                                   std::int32_t quantita, double carico) {
    if (!quantitaSatura || quantita == 0)
        return std::nullopt;
    return static_cast<double>(*quantitaSatura) / quantita * carico;
}

std::optional<std::int32_t> NumeroTramezzi(std::int32_t n, const ImpostazioniTramezzi& t) {
    if (!t.considerati)
        return std::nullopt;
    return CheckedAdd(FogliDiEstremita(t), n);
}

CampiCalcolati CalcolaCampiCalcolati(std::int32_t contenitoreA, std::int32_t contenitoreB,
                                     std::int32_t quantitaA, std::int32_t quantitaB,
                                     std::int32_t quantitaH, std::int32_t quantita,
                                     std::optional<std::int32_t> quantitaSatura, std::int32_t w,
                                     std::int32_t g, const ImpostazioniTramezzi& t) {
    const std::int32_t n = StratiSovrapposti(quantitaH);
    const double T = CaricoTramezzi(n, g, t);
    CampiCalcolati campi;
    campi.carico = Carico(w, quantitaA, quantitaB, n, AreaPavimento(contenitoreA, contenitoreB), T);
    campi.caricoSaturo = CaricoSaturo(quantitaSatura, quantita, campi.carico);
    campi.numeroTramezzi = NumeroTramezzi(n, t);
    return campi;
}

std::int32_t PezziExtraPerStrato(std::int32_t quantitaSatura, std::int32_t quantita,
                                 std::int32_t quantitaH) {
    if (quantitaH == 0)
        return 0;
    return CheckedDiv(CheckedSub(quantitaSatura, quantita), quantitaH);
}

std::int32_t PezziPerStrato(std::int32_t quantita, std::int32_t quantitaH) {
    if (quantitaH == 0)
        return 0;
    return CheckedDiv(quantita, quantitaH);
}

std::int32_t QuantitaConStrati(std::int32_t quantitaA, std::int32_t quantitaB,
                               std::int32_t extraPerStrato, bool riempita, std::int32_t strati) {
    std::int32_t perStrato = CheckedMul(quantitaA, quantitaB);
    if (riempita)
        perStrato = CheckedAdd(perStrato, extraPerStrato);
    return CheckedMul(perStrato, strati);
}

std::optional<double> CaricoPrimoStrato(PesoNetto pesoSuperiore, std::int32_t larghezzaUtile,
                                        std::int32_t lunghezzaUtile) {
    const long double area =
        ArrotondaPari((larghezzaUtile / 1000.0L) * (lunghezzaUtile / 1000.0L) * 10000.0L);
    if (area == 0.0L)
        return std::nullopt;
    const long double carico = ArrotondaPari(pesoSuperiore / area * 10000.0L);
    return static_cast<double>(carico / 10000.0L);
}

UltimiStrati CalcolaUltimiStrati(std::int32_t H0, std::int32_t p, std::int32_t k, std::int32_t S,
                                 const ImpostazioniTramezzi& t) {
    const std::int32_t s = t.considerati ? S : 0;
    const std::int32_t foglioTesta = t.testa ? 1 : 0;
    UltimiStrati r;
    const std::int32_t strato = CheckedAdd(s, p);
    r.spazio = CheckedSub(CheckedSub(H0, CheckedMul(s, foglioTesta)), strato);
    r.passo = CheckedSub(strato, k);
    if (r.passo <= 0)
        return r;
    r.strati = CheckedAdd(CheckedDiv(r.spazio, r.passo), 1);
    r.spazioUltimiStrati = CheckedAdd(CheckedMul(CheckedSub(r.strati, 1), r.passo), strato);
    return r;
}

AggiuntaStrati CalcolaAggiuntaStrati(std::int32_t contenitoreA, std::int32_t contenitoreB,
                                     std::int32_t quantitaH, std::int32_t strati, double grammatura,
                                     std::int32_t quantitaRiga, double pesoPezzo,
                                     std::int32_t pezziAggiunti, double portata,
                                     const ImpostazioniTramezzi& t) {
    AggiuntaStrati r;
    const double F = (contenitoreA / 1000.0) * (contenitoreB / 1000.0);
    if (t.considerati) {
        std::int32_t totali = CheckedAdd(CheckedSub(quantitaH, 1), CheckedSub(strati, 1));
        totali = CheckedAdd(totali, (t.fondo ? 1 : 0) + (t.testa ? 2 : 0));
        r.tramezziTotali = totali;
        r.tramezziSuperiori = t.fondo ? CheckedSub(totali, 1) : totali;
        r.pesoTramezzi = grammatura * F / 1000.0 * r.tramezziTotali;
    }
    r.pesoPrimiStrati = quantitaRiga * pesoPezzo / 1000.0;
    r.pesoUltimiStrati = pezziAggiunti * pesoPezzo / 1000.0;
    r.pesoTotale = r.pesoPrimiStrati + r.pesoUltimiStrati + r.pesoTramezzi;

    double sopra = r.pesoUltimiStrati;
    if (quantitaH != 0)
        sopra += (static_cast<double>(quantitaH) - 1.0) * r.pesoPrimiStrati / quantitaH;
    r.carico = (F != 0.0 ? sopra / F : 0.0) + grammatura * r.tramezziSuperiori / 1000.0;
    r.semaforo = portata < r.pesoTotale ? Semaforo::Rosso : Semaforo::Verde;
    return r;
}

} // namespace velcaro::quantities
