// velcaro-install-db PROGRAM_DIR CATALOGUE_SQL
// Creates PROGRAM_DIR/Dati/Velcaro.db with the sample catalogue when it is missing.
#include "tools/InstallDatabase.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "uso: velcaro-install-db CARTELLA_PROGRAMMA CATALOGO.sql\n";
        return 2;
    }
    try {
        const auto result =
            velcaro::tools::InstallDatabase(std::string(argv[1]) + "/Dati/Velcaro.db", argv[2]);
        std::cout << result.message << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "velcaro-install-db: " << e.what() << '\n';
        return 1;
    }
}
