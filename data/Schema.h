#pragma once
// The one definition of the six tables. The install step creates Dati/Velcaro.db from
// it and every cursor checks its table against it when it opens.
#include "platform/store/Schema.h"

#include <vector>

namespace velcaro::data {

const store::TableDef& ContenitoriDef();
const store::TableDef& PalletDef();
const store::TableDef& SeparatoriDef();
const store::TableDef& AutomezziDef();
const store::TableDef& CalcoliDef();
const store::TableDef& AppoggioStratiDef();

// The six tables in a fixed order (catalogues first, then the two result tables).
std::vector<const store::TableDef*> AllTables();

} // namespace velcaro::data
