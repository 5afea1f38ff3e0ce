#include "TestProgramDir.h"
#include "data/uModuloDati.h"
#include "platform/Error.h"
#include "platform/store/Database.h"
#include "platform/text/Regional.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velcaro::data {
namespace {

using testing::TestProgramDir;

TEST(DataModule, OpensTheNineCursorsInOrderWithTheirIndexes)
{
    TestProgramDir p;
    TdmModuloDati dm(p.Dir());
    dm.OpenCursors();
    for (store::Table* t : dm.CursorsInOpeningOrder())
        EXPECT_TRUE(t->Active()) << t->TableName();
    EXPECT_EQ(dm.tbContenitoriAppoggio.IndexName(), "iFamiglia");
    EXPECT_EQ(dm.tbSeparatori.IndexName(), "iSpessore");
    EXPECT_EQ(dm.tbCalcoli.IndexName(), "iQuantita");
    EXPECT_EQ(dm.tbContenitori.RecordCount(), dm.tbContenitoriAppoggio.RecordCount());
    dm.CloseCursors();
    for (store::Table* t : dm.CursorsInOpeningOrder())
        EXPECT_FALSE(t->Active());
}

TEST(DataModule, AMissingTableLeavesTheLaterCursorsClosed)
{
    TestProgramDir p;
    store::Database::Open(p.DbPath())->Exec("DROP TABLE Calcoli");
    TdmModuloDati dm(p.Dir());
    try {
        dm.OpenCursors();
        FAIL() << "opening must fail";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Calcoli"), std::string::npos) << e.what();
    }
    // Opening order: tbContenitori, tbContenitoriAppoggio, tbAutomezzi, tbSeparatori,
    // tbSeparatoriAppoggio, then tbCalcoli fails.
    EXPECT_TRUE(dm.tbSeparatoriAppoggio.Active());
    EXPECT_FALSE(dm.tbCalcoli.Active());
    EXPECT_FALSE(dm.tbAppoggioStrati.Active());
    EXPECT_FALSE(dm.tbPallet.Active());
    EXPECT_FALSE(dm.tbPalletAppoggio.Active());
    EXPECT_THROW(dm.tbPallet.First(), Error);
}

TEST(DataModule, MissingOrCorruptDatabaseFileGivesAClearError)
{
    TestProgramDir p;
    std::filesystem::remove(p.DbPath());
    {
        TdmModuloDati dm(p.Dir());
        EXPECT_THROW(dm.OpenCursors(), Error);
        EXPECT_FALSE(dm.tbContenitori.Active());
    }
    std::ofstream(p.DbPath(), std::ios::binary) << std::string(4096, '\x5a');
    TdmModuloDati dm(p.Dir());
    try {
        dm.OpenCursors();
        FAIL() << "a corrupt file must not open";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Velcaro"), std::string::npos) << e.what();
    }
}

TEST(DataModule, ContainerVolumesAreComputedAndShownInTheRegionalFormat)
{
    TestProgramDir p(false);
    store::Database::Open(p.DbPath())
        ->Exec("INSERT INTO Contenitori (Famiglia, Descrizione, Larghezza, Lunghezza, Altezza, "
               "\"Larghezza Utile\", \"Lunghezza Utile\", \"Altezza Utile\", \"Portata Massima\", "
               "Tara) VALUES ('CASSA di LEGNO', 'Cassa', 800, 1200, 975, 760, 1160, 560, 400, 12.5)");
    text::ScopedRegional it(text::RegionalSettings::Italian());
    TdmModuloDati dm(p.Dir());
    dm.OpenCursors();
    dm.tbContenitori.First();
    EXPECT_NEAR(dm.tbContenitoriVolumeEsterno->AsFloat(), 0.936, 1e-12);
    EXPECT_EQ(dm.tbContenitoriVolumeEsterno->DisplayText(), "0,936");
    // 1160 × 760 × 560 mm = 0,493696 m³, shown with at most three decimals.
    EXPECT_NEAR(dm.tbContenitoriVolumeInterno->AsFloat(), 0.493696, 1e-12);
    EXPECT_EQ(dm.tbContenitoriVolumeInterno->DisplayText(), "0,494");
    EXPECT_EQ(dm.tbContenitoriTara->AsInteger(), 12); // half to even
    EXPECT_EQ(dm.tbContenitoriLarghezza->DisplayText(), "800");
    EXPECT_EQ(dm.tbContenitoriPesoMovimentabile->DisplayText(), ""); // empty shows nothing
    // The support cursor carries no display formats.
    dm.tbContenitoriAppoggio.First();
    EXPECT_EQ(dm.tbContenitoriAppoggioTara->DisplayText(), "12,5");
}

TEST(DataModule, VehicleVolume)
{
    TestProgramDir p;
    text::ScopedRegional it(text::RegionalSettings::Italian());
    TdmModuloDati dm(p.Dir());
    dm.OpenCursors();
    ASSERT_TRUE(dm.tbAutomezzi.Locate("Descrizione", std::string("Container 20 piedi")));
    // 5898 × 2352 × 2393 mm
    EXPECT_NEAR(dm.tbAutomezziVolume->AsFloat(), 5.898 * 2.352 * 2.393, 1e-9);
    EXPECT_EQ(dm.tbAutomezziVolume->DisplayText(), "33,196");
}

TEST(DataModule, FamilyRangeIgnoresCaseAndCalcoliBrowsesBestFirst)
{
    TestProgramDir p;
    TdmModuloDati dm(p.Dir());
    dm.OpenCursors();
    dm.tbContenitoriAppoggio.SetRange({std::string("cassa di legno")}, {std::string("cassa di legno")});
    EXPECT_EQ(dm.tbContenitoriAppoggio.RecordCount(), 5);
    EXPECT_EQ(dm.tbContenitoriAppoggioFamiglia->AsString(), "CASSA di LEGNO");

    dm.tbCalcoli.EmptyTable();
    const int quantities[6] = {12, 40, 12, 40, 7, 40};
    for (int id = 1; id <= 6; ++id) {
        dm.tbCalcoli.Append();
        dm.tbCalcoliID->SetAsInteger(id);
        dm.tbCalcoliQuantita->SetAsInteger(quantities[id - 1]);
        dm.tbCalcoliSaturo->SetAsString("No");
        dm.tbCalcoli.Post();
    }
    ASSERT_EQ(dm.tbCalcoli.RecordCount(), 6);
    std::vector<int> ids;
    for (dm.tbCalcoli.First(); !dm.tbCalcoli.Eof(); dm.tbCalcoli.Next())
        ids.push_back(dm.tbCalcoliID->AsInteger());
    EXPECT_EQ(ids, (std::vector<int>{2, 4, 6, 1, 3, 5}));
}

TEST(DataModule, CursorLookupByName)
{
    TestProgramDir p;
    TdmModuloDati dm(p.Dir());
    EXPECT_EQ(dm.FindCursor("tbCalcoli"), &dm.tbCalcoli);
    EXPECT_EQ(dm.FindCursor("tbNessuno"), nullptr);
    EXPECT_EQ(dm.FindDataSource("dsSeparatoriAppoggio"), &dm.dsSeparatoriAppoggio);
}

} // namespace
} // namespace velcaro::data
