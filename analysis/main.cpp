// Velcaro. Until the windows arrive, starting the program checks the program folder
// it was built into and says what it holds.
#include "data/uModuloDati.h"
#include "platform/Error.h"
#include "platform/text/Regional.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

int main()
{
    const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
    velcaro::text::SetRegional(velcaro::text::RegionalSettings::FromUserLocale());
    velcaro::data::TdmModuloDati dm(programDir.string());
    try {
        dm.OpenCursors();
    } catch (const velcaro::Error& e) {
        std::cerr << "Velcaro: " << e.what() << '\n';
        return 1;
    }
    std::cout << "Velcaro: cartella del programma pronta in " << programDir.string() << "\n"
              << "  Contenitori: " << dm.tbContenitori.RecordCount()
              << ", Pallet: " << dm.tbPallet.RecordCount()
              << ", Separatori: " << dm.tbSeparatori.RecordCount()
              << ", Automezzi: " << dm.tbAutomezzi.RecordCount() << "\n"
              << "  La finestra principale non è ancora disponibile in questa versione.\n";
    return 0;
}
