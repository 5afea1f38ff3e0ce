// Shows the Dorvik window on a real platform set up in a temporary folder (an engine
// library with version 5.2.0.2, a registry file) and saves a picture of it:
//   dorvik_screenshot <working.png> <not-installed.png>

#include "PeBuilder.h"
#include "QtHost.h"
#include "RealPlatform.h"
#include "fmain.h"
#include "frmMainView.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

bool Shoot(const std::filesystem::path& registry, const QString& picture) {
    dorvik::RealPlatform platform(registry);
    dorvik::QtHost host;
    dorvik::TfrmMain form(platform, host);
    dorvik::frmMainView view(form, host);
    host.SetWindow(&view);
    view.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    return view.grab().save(picture);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: dorvik_screenshot <working.png> <not-installed.png>\n");
        return 2;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "dorvik-shot-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const std::filesystem::path dir = pattern;
    const auto bde = dir / "Borland" / "Common Files" / "BDE";
    std::filesystem::create_directories(bde);
    using namespace dorvik::testing;
    WriteFile(bde / "IDAPI32.DLL",
              BuildPe(Serialize(VersionInfo(u"040904E4", {{u"FileVersion", u"5.2.0.2"}}))));
    const auto registry = dir / "HKEY_LOCAL_MACHINE.reg";
    std::ofstream(registry) << "[SOFTWARE\\Borland\\Database Engine]\n"
                            << "DLLPATH=" << bde.string() << "\\\n"
                            << "CONFIGFILE01=" << (bde / "IDAPI32.CFG").string() << "\n"
                            << "[SOFTWARE\\Borland\\Database Engine\\Settings\\Drivers\\Intrbase"
                               "\\Db Open]\nSQLDIALECT=3\n";
    const bool ok = Shoot(registry, QString::fromLocal8Bit(argv[1])) &&
                    Shoot(dir / "missing.reg", QString::fromLocal8Bit(argv[2]));
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return ok ? 0 : 1;
}
