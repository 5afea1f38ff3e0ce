#include "analysis/Calculation.h"

#include "platform/Error.h"
#include "platform/text/Checked.h"

#include <string>

namespace velcaro::analysis {

using text::CheckedAdd;
using text::CheckedMul;
using text::CheckedSub;

namespace {

const char* const kTroppiPezzi =
    "Il numero di pezzi per contenitore supera il limite consentito: ridurre le dimensioni "
    "del contenitore o aumentare quelle del pezzo.";

const char* const kCompenetrazione =
    "La Compenetrazione deve essere minore del lato del Pezzo su cui è impostata: "
    "correggere la Compenetrazione e rilanciare il comando CALCOLA.";

[[noreturn]] void RifiutaSpessore(std::int32_t S) {
    throw Error("Lo SPESSORE del Tramezzo (" + std::to_string(S) +
                " mm) non è valido: ogni strato, con il suo Tramezzo, deve occupare un'altezza "
                "maggiore di zero. Correggere lo spessore nell'archivio dei Separatori.");
}

// Pieces in `spazio` (room after the first piece) when each further piece takes `passo`.
std::int32_t Conteggio(std::int32_t spazio, std::int32_t passo) {
    if (spazio < 0)
        return 0;
    try {
        return CheckedAdd(spazio / passo, 1);
    } catch (const OverflowError&) {
        throw OverflowError(kTroppiPezzi);
    }
}

std::int32_t LungoPiano(std::int32_t C, std::int32_t P, std::int32_t c) {
    const std::int32_t passo = CheckedSub(P, c);
    if (passo <= 0)
        throw Error(kCompenetrazione);
    return Conteggio(CheckedSub(C, P), passo);
}

std::int32_t InAltezza(std::int32_t CH, std::int32_t PH, std::int32_t cH, std::int32_t S,
                       std::int32_t M) {
    const std::int32_t stratoConFoglio = CheckedAdd(PH, S);
    const std::int32_t passo = CheckedSub(stratoConFoglio, cH);
    if (passo <= 0) {
        // With a thickness of 0 or more only the interpenetration can be at fault.
        if (S < 0)
            RifiutaSpessore(S);
        throw Error(kCompenetrazione);
    }
    const std::int32_t resto = CheckedSub(CheckedSub(CH, CheckedMul(S, M)), stratoConFoglio);
    return Conteggio(resto, passo);
}

std::int32_t SceltoDa(const Pezzo& p, Lato lato) {
    switch (lato) {
    case Lato::Larghezza:
        return p.larghezza;
    case Lato::Lunghezza:
        return p.lunghezza;
    case Lato::Altezza:
        return p.altezza;
    }
    return 0;
}

std::int32_t CompenetrazioneDi(const Pezzo& p, Lato lato) {
    switch (lato) {
    case Lato::Larghezza:
        return p.compenetraLarghezza;
    case Lato::Lunghezza:
        return p.compenetraLunghezza;
    case Lato::Altezza:
        return p.compenetraAltezza;
    }
    return 0;
}

} // namespace

std::int32_t FogliAggiuntivi(bool tramezziConsiderati, bool fondo, bool testa) {
    if (!tramezziConsiderati)
        return 0;
    return (fondo ? 1 : 0) + (testa ? 1 : 0);
}

std::int32_t QuantitaPerAsse(std::int32_t CA, std::int32_t CB, std::int32_t CH, std::int32_t PA,
                             std::int32_t PB, std::int32_t PH, std::int32_t cA, std::int32_t cB,
                             std::int32_t cH, std::int32_t S, std::int32_t M, Asse asse) {
    switch (asse) {
    case Asse::A:
        return LungoPiano(CA, PA, cA);
    case Asse::B:
        return LungoPiano(CB, PB, cB);
    case Asse::H:
        return InAltezza(CH, PH, cH, S, M);
    case Asse::Tutti:
        break;
    }
    const std::int32_t nA = LungoPiano(CA, PA, cA);
    const std::int32_t nB = LungoPiano(CB, PB, cB);
    const std::int32_t nH = InAltezza(CH, PH, cH, S, M);
    try {
        return CheckedMul(CheckedMul(nA, nB), nH);
    } catch (const OverflowError&) {
        throw OverflowError(kTroppiPezzi);
    }
}

Orientamento OrientamentoSoluzione(std::int32_t id) {
    using enum Lato;
    static constexpr Orientamento kTabella[kNumeroSoluzioni] = {
        {Lunghezza, Larghezza, Altezza}, {Lunghezza, Altezza, Larghezza},
        {Larghezza, Lunghezza, Altezza}, {Larghezza, Altezza, Lunghezza},
        {Altezza, Lunghezza, Larghezza}, {Altezza, Larghezza, Lunghezza},
    };
    if (id < 1 || id > kNumeroSoluzioni)
        throw Error("Soluzione inesistente: " + std::to_string(id) + " (sono numerate da 1 a 6).");
    return kTabella[id - 1];
}

RigaSoluzione CalcolaSoluzione(std::int32_t id, const Contenitore& contenitore, const Pezzo& pezzo,
                               const Tramezzi& tramezzi) {
    const Orientamento o = OrientamentoSoluzione(id);
    const std::int32_t S = tramezzi.considerati ? tramezzi.spessore : 0;
    const std::int32_t M = FogliAggiuntivi(tramezzi.considerati, tramezzi.fondo, tramezzi.testa);

    RigaSoluzione r;
    r.ID = id;
    r.ContenitoreA = contenitore.lunghezzaUtile;
    r.ContenitoreB = contenitore.larghezzaUtile;
    r.ContenitoreH = contenitore.altezzaUtile;
    r.PezzoA = SceltoDa(pezzo, o.pezzoA);
    r.PezzoB = SceltoDa(pezzo, o.pezzoB);
    r.PezzoH = SceltoDa(pezzo, o.pezzoH);
    r.CompenetraA = CompenetrazioneDi(pezzo, o.pezzoA);
    r.CompenetraB = CompenetrazioneDi(pezzo, o.pezzoB);
    r.CompenetraH = tramezzi.considerati ? 0 : CompenetrazioneDi(pezzo, o.pezzoH);

    const auto quanti = [&](Asse asse) {
        return QuantitaPerAsse(r.ContenitoreA, r.ContenitoreB, r.ContenitoreH, r.PezzoA, r.PezzoB,
                               r.PezzoH, r.CompenetraA, r.CompenetraB, r.CompenetraH, S, M, asse);
    };
    r.Quantita = quanti(Asse::Tutti);
    r.QuantitaA = quanti(Asse::A);
    r.QuantitaB = quanti(Asse::B);
    r.QuantitaH = quanti(Asse::H);
    return r;
}

std::array<RigaSoluzione, kNumeroSoluzioni>
CalcolaSoluzioni(const Contenitore& contenitore, const Pezzo& pezzo, const Tramezzi& tramezzi) {
    std::array<RigaSoluzione, kNumeroSoluzioni> righe;
    for (std::int32_t id = 1; id <= kNumeroSoluzioni; ++id)
        righe[static_cast<std::size_t>(id - 1)] =
            CalcolaSoluzione(id, contenitore, pezzo, tramezzi);
    return righe;
}

} // namespace velcaro::analysis
