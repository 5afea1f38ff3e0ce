#include "quantities/uUltimoStrato.h"

#include "platform/text/Conversions.h"
#include "quantities/uCalcoli.h"

namespace velcaro::quantities {

TfUltimoStrato::TfUltimoStrato(ui::Application& app)
    : Form(app, "fUltimoStrato", "SUPERATA la PORTATA MAX (Saturazione in H)"),
      lePeso(*this, "lePeso", "0", true), lePrimiStrati(*this, "lePrimiStrati", "0", true),
      leUltimiStrati(*this, "leUltimiStrati", "0", true),
      leTramezzi(*this, "leTramezzi", "0", true), leCarico(*this, "leCarico", "", true),
      iSemaforo(*this, "iSemaforo"), lePortata(*this, "lePortata", "0", true),
      leNumeroTramezzi(*this, "leNumeroTramezzi", "0", true),
      leSpazioUltimoStrato(*this, "leSpazioUltimoStrato", "0", true), Image1(*this, "Image1"),
      bbOK(*this, "bbOK", "OK") {
    lePeso.SetColor(ui::clYellow);
    lePortata.SetColor(ui::clGreen);
    iSemaforo.SetPicture(kSemaforoGiallo);
    Image1.SetPicture("Images\\BOX.ICO");
    bbOK.SetDefault(true);
    bbOK.SetModalResult(ui::mrOK);
    OnActivate = [this] { FormActivate(); };
}

void TfUltimoStrato::FormActivate() {
    if (fCalcoli)
        leSpazioUltimoStrato.SetText(text::IntToStr(fCalcoli->SpazioUltimiStrati));
    bbOK.SetFocus();
}

double TfUltimoStrato::LeggiPeso() const {
    return text::StrToFloat(lePeso.Text());
}

void TfUltimoStrato::Svuota(const std::string& portata, bool tramezziConsiderati,
                            bool ancheCarico) {
    iSemaforo.LoadFromFile(kSemaforoGiallo);
    for (ui::Edit* e :
         {&lePrimiStrati, &leUltimiStrati, &leTramezzi, &lePeso, &leSpazioUltimoStrato})
        e->SetText("0");
    if (ancheCarico)
        leCarico.SetText("0");
    lePortata.SetText(portata);
    if (tramezziConsiderati)
        leNumeroTramezzi.SetText("0");
}

} // namespace velcaro::quantities
