// velcaro-scenario FILE.scn [FILE.scn …]
#include "tools/scenario/Runner.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "uso: velcaro-scenario FILE.scn [FILE.scn ...]\n";
        return 2;
    }
    velcaro::scenario::Runner runner(velcaro::scenario::DefaultProgramDir(), std::cout);
    velcaro::scenario::Totals all;
    for (int i = 1; i < argc; ++i) {
        const auto t = runner.RunFile(argv[i]);
        all.passed += t.passed;
        all.failed += t.failed;
        all.error = all.error || t.error;
    }
    std::cout << all.passed << " passed, " << all.failed << " failed" << std::endl;
    if (all.error)
        return 2;
    return all.failed == 0 ? 0 : 1;
}
