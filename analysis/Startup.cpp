#include "analysis/Startup.h"

namespace velcaro::analysis {

Program::Program(ui::Host& host, std::string programDir)
    : dmModuloDati(std::make_unique<data::TdmModuloDati>(programDir)), app(host, programDir)
{
}

Program::~Program() = default;

void SplashDelay(long outer, long inner)
{
    for (long i = 0; i < outer; ++i)
        for (long j = 0; j < inner; ++j)
            asm volatile("" ::: "memory"); // an empty round the optimiser must keep
}

void Program::Start(const StartOptions& options)
{
    app.SetTitle("Velcaro");
    app.SetHelpFile("..\\Velcaro\\HELP\\AIUTO.HLP");

    {
        TAboutBox splash(app, "Splash");
        splash.SetSplashMode();
        app.Dispatch([&] { splash.FormCreate(); });
        if (options.showSplash)
            options.showSplash(splash);
        if (options.splashDelay)
            SplashDelay();

        // The windows in their fixed order; a creation handler that fails is reported and
        // the start-up goes on with the window created all the same.
        auto created = [&](ui::Form& f) {
            if (options.formCreated)
                options.formCreated(f);
        };
        MainForm = &app.Create<TMainForm>(*dmModuloDati, state);
        app.SetMainForm(MainForm);
        app.Dispatch([&] { MainForm->FormCreate(); });
        created(*MainForm);

        fCalcoli = &app.Create<quantities::TfCalcoli>(*dmModuloDati, state, *MainForm);
        app.Dispatch([&] { fCalcoli->FormCreate(); });
        created(*fCalcoli);
        MainForm->fCalcoli = fCalcoli;

        AboutBox = &app.Create<TAboutBox>();
        app.Dispatch([&] { AboutBox->FormCreate(); });
        created(*AboutBox);
        MainForm->AboutBox = AboutBox;

        Progress = &app.Create<report::TProgress>();
        app.Dispatch([&] { Progress->FormCreate(); });
        created(*Progress);
        excelExport = std::make_unique<report::ExcelExport>(app, state, *Progress);
        excelExport->rgTramezzi = &MainForm->rgTramezzi;
        MainForm->excelExport = excelExport.get();

        fCostoTrasporto = &app.Create<stowage::TfCostoTrasporto>(state);
        app.Dispatch([&] { fCostoTrasporto->FormCreate(); });
        created(*fCostoTrasporto);
        MainForm->fCostoTrasporto = fCostoTrasporto;

        fUltimoStrato = &app.Create<quantities::TfUltimoStrato>();
        created(*fUltimoStrato);
        fUltimoStrato->fCalcoli = fCalcoli;
        fCalcoli->fUltimoStrato = fUltimoStrato;

        if (options.closeSplash)
            options.closeSplash(splash);
        splash.Hide();
    }
    MainForm->Show();
}

std::optional<bool> Program::Flag(const std::string& name) const
{
    if (name == "CalcoloEffettuato")
        return state.CalcoloEffettuato;
    if (name == "ProcessoInterrotto")
        return Progress && Progress->ProcessoInterrotto;
    return std::nullopt;
}

} // namespace velcaro::analysis
