// Dorvik: shows where the database engine is installed, sets the InterBase dialect
// and tests the engine with a scratch table.

#include "QtHost.h"
#include "RealPlatform.h"
#include "fmain.h"
#include "frmMainView.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvik"));
    try {
        dorvik::RealPlatform platform(dorvik::RegistryFile::DefaultPath());
        dorvik::QtHost host;
        dorvik::TfrmMain form(platform, host);
        dorvik::frmMainView view(form, host);
        host.SetWindow(&view);
        view.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Dorvik"), QString::fromStdString(e.what()));
        return 1;
    }
}
