#include "stowage/uCostoTrasporto.h"

#include "platform/text/Conversions.h"
#include "platform/ui/Application.h"

namespace velcaro::stowage {

TfCostoTrasporto::TfCostoTrasporto(ui::Application& app, data::AnalysisState& state)
    : Form(app, "fCostoTrasporto", "COSTO TRASPORTO"), state(state),
      GroupBox1(*this, "GroupBox1", "Immettere il COSTO in Valuta"),
      Label1(*this, "Label1", "Questo campo serve sul Report in EXCEL"),
      Label2(*this, "Label2", "per calcolare l'impatto del Costo di Trasporto"),
      meCostoTrasporto(*this, "meCostoTrasporto", kCostoMask, "     0"),
      bbOK(*this, "bbOK", "OK"), bbCANCEL(*this, "bbCANCEL", "Annulla"),
      BitBtn1(*this, "BitBtn1", "&Aiuto"), Image1(*this, "Image1")
{
    meCostoTrasporto.SetMaxLength(6);
    bbOK.SetDefault(true);
    bbCANCEL.SetCancel(true);
    bbCANCEL.SetModalResult(ui::mrCancel);
    SetTag(1);

    OnActivate = [this] { FormActivate(); };
    meCostoTrasporto.OnExit = [this] { meCostoTrasportoExit(); };
    bbOK.OnClick = [this] { bbOKClick(); };
    bbCANCEL.OnClick = [this] { bbCANCELClick(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
}

// The picture belongs to the window itself, so a damaged Images folder costs no error here.
void TfCostoTrasporto::FormCreate() { Image1.SetPicture("Images\\BOX.ICO"); }

void TfCostoTrasporto::FormActivate()
{
    meCostoTrasporto.SetText("0");
    meCostoTrasporto.SetFocus();
    SetTag(1);
}

// Compares texts, not numbers: "000" passes here and is taken as 0 by OK.
void TfCostoTrasporto::meCostoTrasportoExit()
{
    if (text::Trim(meCostoTrasporto.Text()) != "0")
        return;
    App().MessageDlg(ui::DialogKind::Error,
                     "Non è possibile fare una scelta\rsu una quantità che è zero...!",
                     {ui::DialogButton::OK});
    SetTag(0);
}

void TfCostoTrasporto::bbOKClick()
{
    std::int32_t costo = 0;
    if (text::TryStrToInt(text::Trim(meCostoTrasporto.Text()), costo)) {
        state.ExcelMezzo.CostoTrasporto = costo;
        if (costo != 0)
            SetTag(1);
    } else {
        // The record keeps the cost it had.
        App().MessageDlg(ui::DialogKind::Error,
                         "VALORE IMMESSO non VALIDO...!\rÈ richiesto un valore diverso da ZERO.",
                         {ui::DialogButton::OK});
        meCostoTrasporto.SetFocus();
        SetTag(0);
    }
    Close();
}

void TfCostoTrasporto::bbCANCELClick() { SetTag(0); }

void TfCostoTrasporto::BitBtn1Click()
{
    if (App().Help())
        App().Help()->ShowTopic("Esporta");
}

} // namespace velcaro::stowage
