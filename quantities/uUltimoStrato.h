#pragma once
// The last-layer window: the weight breakdown of a container whose height left over has been
// filled with top layers of another orientation. It has no logic of its own beyond its
// activation: the quantity window fills it, shows it and empties it, and its import reads
// the weight, the load and the sheet count back from here.
#include "platform/ui/Form.h"

namespace velcaro::quantities {

class TfCalcoli;

class TfUltimoStrato : public ui::Form {
public:
    explicit TfUltimoStrato(ui::Application& app);

    void FormActivate();
    // The total net weight shown, kg; a text that is not a number fails with the conversion
    // error.
    double LeggiPeso() const;

    // Back to the figures of no added layer: the yellow light, "0" in the weight boxes and
    // the height, the payload text of the main window; the sheet count only when
    // separators are considered. The load box is emptied too only when asked: leaving a
    // solution row leaves it alone, unticking "Aggiungere" clears it.
    void Svuota(const std::string& portata, bool tramezziConsiderati, bool ancheCarico);

    // The quantity window whose height taken by the added layers is shown; set at start-up.
    TfCalcoli* fCalcoli = nullptr;

    ui::Edit lePeso, lePrimiStrati, leUltimiStrati, leTramezzi, leCarico;
    ui::Image iSemaforo;
    ui::Edit lePortata;
    ui::Edit leNumeroTramezzi, leSpazioUltimoStrato;
    ui::Image Image1;
    ui::Button bbOK;
};

inline constexpr const char* kSemaforoGiallo = "Images\\Traffic Light JELLOW.ICO";

} // namespace velcaro::quantities
