#pragma once
// The export's tests read saved workbooks back with the workbook layer's reader.
#include "tests/spreadsheet/XlsxReadBack.h"

#include <filesystem>

namespace velcaro::report::testing {

namespace fs = std::filesystem;
using xlsxcheck::Fact;
using xlsxcheck::Facts;
using xlsxcheck::ReadBack;
using xlsxcheck::ReaderAvailable;
using xlsxcheck::TempFolder;

} // namespace velcaro::report::testing
