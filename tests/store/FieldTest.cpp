#include "StoreTestSupport.h"

#include "platform/Error.h"
#include "platform/text/Regional.h"

namespace velcaro::store::testing {
namespace {

using text::RegionalSettings;
using text::ScopedRegional;

class FieldTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        t = std::make_unique<Table>(db, "Contenitori.DB", ContainersDef());
        t->Open();
    }
    // A record holding `v` in the float field Tara, read back from the table.
    Field& Stored(double v) {
        AppendContainer(*t, {"C", "F", "D", 1, 1, 1, v});
        return t->FieldByName("Tara");
    }
    std::unique_ptr<Table> t;
    ScopedRegional italian{RegionalSettings::Italian()};
};

TEST_F(FieldTest, IntegerReadOfFloatRoundsHalfToEven) {
    struct Row {
        const char* fault;
        double stored;
        int expected;
    } rows[] = {
        {"half rounded away from zero", 12.5, 12},
        {"half rounded down on odd", 13.5, 14},
        {"negative half rounded away", -12.5, -12},
        {"truncated instead of rounded", 12.7, 13},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Stored(r.stored).AsInteger(), r.expected) << r.fault;
}

TEST_F(FieldTest, DisplayTextFollowsTheFormatAndTheRegionalSettings) {
    struct Row {
        const char* fault;
        const char* format;
        double stored;
        const char* italian;
        const char* english;
    } rows[] = {
        {"zero shown under #,#", "#,#", 0, "", ""},
        {"grouping missing", "#,#", 12345, "12.345", "12,345"},
        {"decimals lost in 0.0#,#", "0.0#,#", 0.936, "0,936", "0.936"},
        {"fixed decimal missing", "#,#0.0", 1234.5, "1.234,5", "1,234.5"},
        {"general form with grouping", "", 580.5, "580,5", "580.5"},
        {"general form shows trailing zeros", "", 580, "580", "580"},
    };
    for (const auto& r : rows) {
        Field& f = Stored(r.stored);
        f.SetDisplayFormat(r.format);
        EXPECT_EQ(f.DisplayText(), r.italian) << r.fault;
        ScopedRegional english(RegionalSettings::English());
        EXPECT_EQ(f.DisplayText(), r.english) << r.fault << " (English)";
    }
}

TEST_F(FieldTest, EmptyFieldsReadAsZeroAndEmptyText) {
    t->Append();
    Field& larghezza = t->FieldByName("Larghezza");
    larghezza.SetDisplayFormat("#,#0.0");
    EXPECT_TRUE(larghezza.IsNull());
    EXPECT_EQ(larghezza.AsInteger(), 0);
    EXPECT_DOUBLE_EQ(larghezza.AsFloat(), 0.0);
    EXPECT_EQ(larghezza.AsString(), "");
    EXPECT_EQ(larghezza.DisplayText(), "") << "an empty value shows nothing, not 0,0";
    t->Cancel();
}

TEST_F(FieldTest, WritingConvertsToTheFieldsType) {
    t->Append();
    Field& codice = t->FieldByName("Codice");       // text 8
    Field& larghezza = t->FieldByName("Larghezza"); // float
    Field& pallet = t->FieldByName("NeedPallet");   // boolean
    Table calcoli(db, "Calcoli.DB", ResultsDef());
    calcoli.Open();
    calcoli.Append();
    Field& quantita = calcoli.FieldByName("Quantita"); // 32-bit integer

    codice.SetAsString("ABCDEFGHIJ");
    EXPECT_EQ(codice.AsString(), "ABCDEFGH") << "text longer than the field";
    codice.SetAsString("èèèèèèèèèè");
    EXPECT_EQ(codice.AsString(), "èèèèèèèè") << "cut by bytes instead of characters";
    codice.SetAsString("");
    EXPECT_TRUE(codice.IsNull());

    larghezza.SetAsString("1200,5");
    EXPECT_NEAR(larghezza.AsFloat(), 1200.5, 1e-9);
    larghezza.SetAsString("");
    EXPECT_TRUE(larghezza.IsNull()) << "empty text must clear a number";
    EXPECT_THROW(larghezza.SetAsString("12a"), ConversionError);

    quantita.SetAsFloat(2.5);
    EXPECT_EQ(quantita.AsInteger(), 2);
    quantita.SetAsFloat(3.5);
    EXPECT_EQ(quantita.AsInteger(), 4);
    EXPECT_THROW(quantita.SetAsFloat(3e10), OverflowError) << "wrapped into 32 bits";
    try {
        quantita.SetAsString("abc");
        ADD_FAILURE() << "accepted a non-number";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }

    pallet.SetAsBoolean(true);
    EXPECT_EQ(pallet.AsString(), "True");
    EXPECT_EQ(pallet.AsInteger(), 1);
    t->Cancel();
    calcoli.Cancel();
}

TEST_F(FieldTest, WritesOutsideEditingAreRefused) {
    AppendContainer(*t, {"C", "F", "D", 1, 1, 1, 1});
    const std::string id = t->FieldByName("ID").AsString();
    try {
        t->FieldByName("Codice").SetAsString("X");
        ADD_FAILURE() << "wrote a field in Browse state";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Il record della tabella 'Contenitori.DB' non è in modifica: "
                               "impossibile scrivere il campo 'Codice'.");
    }
    t->Edit();
    EXPECT_THROW(t->FieldByName("ID").SetAsInteger(99), Error) << "auto-increment written";
    t->Cancel();
    EXPECT_EQ(t->FieldByName("ID").AsString(), id);
    EXPECT_EQ(t->FieldByName("Codice").AsString(), "C");
}

// The container catalogue's volume handler, as the data module sets it.
void ContainerVolumes(Table& t) {
    auto dim = [&](const char* name) { return t.FieldByName(name).AsFloat() / 1000; };
    t.FieldByName("VolumeEsterno").SetAsFloat(dim("Lunghezza") * dim("Larghezza") * dim("Altezza"));
}

TEST_F(FieldTest, CalculatedFieldIsComputedOnEveryReadAndNeverStored) {
    t->Close();
    Field& volume = t->AddCalculatedField("VolumeEsterno", FieldType::Float);
    volume.SetDisplayFormat("0.0#,#");
    DataSetState seen = DataSetState::Inactive;
    t->OnCalcFields = [&](Table& x) {
        seen = x.State();
        ContainerVolumes(x);
    };
    t->Open();
    AppendContainer(*t, {"C1", "CASSA", "Cassa", 800, 1200, 975, 1});
    AppendContainer(*t, {"C2", "CASSA", "Cassa", 1000, 1000, 1000, 1});
    EXPECT_EQ(seen, DataSetState::CalcFields);
    t->First();
    EXPECT_NEAR(volume.AsFloat(), 0.936, 1e-12);
    EXPECT_EQ(volume.DisplayText(), "0,936");
    t->Next();
    EXPECT_EQ(volume.DisplayText(), "1,0");

    t->Edit();
    t->FieldByName("Altezza").SetAsFloat(500);
    EXPECT_EQ(volume.DisplayText(), "0,5") << "not recomputed while editing";
    t->Cancel();
    EXPECT_EQ(volume.DisplayText(), "1,0") << "not recomputed after cancel";

    // An empty dimension counts as zero.
    t->Append();
    EXPECT_TRUE(volume.IsNull());
    t->FieldByName("Larghezza").SetAsFloat(1000);
    EXPECT_DOUBLE_EQ(volume.AsFloat(), 0.0);
    t->Cancel();
}

} // namespace
} // namespace velcaro::store::testing
