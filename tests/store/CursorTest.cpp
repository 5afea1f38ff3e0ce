#include "StoreTestSupport.h"

#include "platform/Error.h"

namespace velcaro::store::testing {
namespace {

const Container kCatalogue[] = {
    {"K1", "CASSA di LEGNO", "Cassa 1200", 1200, 800, 975, 20},
    {"g1", "GABBIA", "Gabbia piccola", 600, 400, 300, 5},
    {"K2", "CASSA di LEGNO", "Cassa 800", 800, 600, 500, 15},
    {"k3", "Cassa di Legno", "Cassa mista", 1000, 1000, 1000, 18},
    {"G2", "GABBIA", "Gabbia grande", 1200, 1000, 800, 9},
};

class CursorTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        t = std::make_unique<Table>(db, "Contenitori.DB", ContainersDef());
        t->Open();
        for (const auto& c : kCatalogue)
            AppendContainer(*t, c);
        t->First();
    }
    std::string Current(const char* field = "Descrizione") {
        return t->FieldByName(field).AsString();
    }
    std::unique_ptr<Table> t;
};

TEST_F(CursorTest, KeyRangeFollowsTheCaseRuleOfTheIndex) {
    struct Row {
        const char* fault;
        const char* index;
        const char* key;
        std::vector<std::string> codes; // in index order: equal keys by ID
    } rows[] = {
        {"case-insensitive index compares with case",
         "iFamiglia",
         "cassa di legno",
         {"K1", "K2", "k3"}},
        {"case-sensitive index ignores case", "iFamigliaEsatta", "cassa di legno", {}},
        {"case-sensitive index loses exact matches",
         "iFamigliaEsatta",
         "CASSA di LEGNO",
         {"K1", "K2"}},
        {"range on primary index", "", "2", {"g1"}},
    };
    for (const auto& r : rows) {
        t->SetIndexName(r.index);
        const Value key = *r.index ? Value{std::string(r.key)} : Value{std::int64_t{2}};
        t->SetRange({key}, {key});
        EXPECT_EQ(Column(*t, "Codice"), r.codes) << r.fault;
        EXPECT_EQ(t->RecordCount(), static_cast<int>(r.codes.size())) << r.fault;
        t->CancelRange();
        EXPECT_EQ(t->RecordCount(), 5) << r.fault << ": range not cancelled";
    }
}

TEST_F(CursorTest, SetRangeLeavesTheCursorOnTheFirstRecordOfTheRange) {
    t->SetIndexName("iFamiglia");
    t->Last();
    t->SetRange({std::string("gabbia")}, {std::string("gabbia")});
    EXPECT_EQ(Current("Codice"), "g1");
    EXPECT_TRUE(t->Bof());
    EXPECT_FALSE(t->Eof());
}

TEST_F(CursorTest, TwoCursorsOnOneTableAreIndependent) {
    Table other(db, "Contenitori.db", ContainersDef());
    other.SetIndexName("iCodice");
    other.Open();
    other.SetRange({std::string("G1")}, {std::string("g2")});
    ASSERT_EQ(Column(other, "Codice"), (std::vector<std::string>{"g1", "G2"}));
    other.First();

    t->Last(); // primary order: G2
    EXPECT_EQ(Current("Codice"), "G2");
    EXPECT_EQ(other.FieldByName("Codice").AsString(), "g1") << "moved with the other cursor";
    EXPECT_EQ(t->RecordCount(), 5) << "range shared between cursors";
    EXPECT_EQ(t->IndexName(), "");

    AppendContainer(*t, {"G15", "GABBIA", "Gabbia media", 900, 700, 600, 7});
    EXPECT_EQ(other.RecordCount(), 2) << "sees a new record before refreshing";
    other.Refresh();
    EXPECT_EQ(other.FieldByName("Codice").AsString(), "g1") << "refresh lost the position";
    EXPECT_EQ(Column(other, "Codice"), (std::vector<std::string>{"g1", "G15", "G2"}));
}

TEST_F(CursorTest, RefreshKeepsTheCurrentRecordWhenOthersArriveBeforeIt) {
    t->SetIndexName("iCodice"); // g1 G2 K1 K2 k3
    ASSERT_TRUE(t->Locate("Codice", std::string("K2")));
    ASSERT_EQ(t->RecNo(), 4);
    Table other(db, "Contenitori.DB", ContainersDef());
    other.Open();
    AppendContainer(other, {"A1", "GABBIA", "Prima", 1, 1, 1, 1});
    t->Refresh();
    EXPECT_EQ(Current("Codice"), "K2");
    EXPECT_EQ(t->RecNo(), 5);
    EXPECT_EQ(t->RecordCount(), 6);
}

TEST_F(CursorTest, BookmarksReturnToTheRecordUntilItIsDeleted) {
    t->Next();
    const Bookmark mark = t->GetBookmark();
    EXPECT_TRUE(t->BookmarkValid(mark));
    t->Last();
    t->GotoBookmark(mark);
    EXPECT_EQ(Current("Codice"), "g1");
    t->FreeBookmark(mark);

    Table other(db, "Contenitori.DB", ContainersDef());
    other.Open();
    ASSERT_TRUE(other.Locate("Codice", std::string("g1")));
    other.Delete();
    t->Last();
    EXPECT_FALSE(t->BookmarkValid(mark));
    try {
        t->GotoBookmark(mark);
        ADD_FAILURE() << "returned to a deleted record";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Record non trovato nella tabella 'Contenitori.DB'.");
    }
    EXPECT_EQ(Current("Codice"), "G2") << "a failed return moved the cursor";
    t->GotoBookmark(0); // no bookmark: nothing to do
    EXPECT_EQ(Current("Codice"), "G2");
}

TEST_F(CursorTest, RecordDeletedByAnotherCursorDropsOutWhenReached) {
    Table other(db, "Contenitori.DB", ContainersDef());
    other.Open();
    other.Next(); // g1
    other.Delete();
    EXPECT_EQ(other.FieldByName("Codice").AsString(), "K2") << "not on the next record";
    EXPECT_EQ(Column(*t, "Codice"), (std::vector<std::string>{"K1", "K2", "k3", "G2"}));
    EXPECT_EQ(t->RecordCount(), 4);
}

TEST_F(CursorTest, EofAndBofFollowTheClassicLoop) {
    EXPECT_TRUE(t->Bof());
    EXPECT_FALSE(t->Eof());
    t->Prior();
    EXPECT_TRUE(t->Bof());
    EXPECT_EQ(Current("Codice"), "K1");
    t->Next();
    EXPECT_FALSE(t->Bof());
    t->Last();
    EXPECT_TRUE(t->Eof()) << "Last must set Eof";
    t->Prior();
    EXPECT_FALSE(t->Eof());
    t->Next();
    EXPECT_FALSE(t->Eof()) << "arriving on the last record is not the end";
    t->Next();
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(Current("Codice"), "G2") << "Next at the end left the last record";
    EXPECT_EQ(t->MoveBy(-10), -4);
    EXPECT_TRUE(t->Bof());
    EXPECT_EQ(t->MoveBy(2), 2);
    EXPECT_EQ(Current("Codice"), "K2");

    t->SetIndexName("iFamiglia");
    t->SetRange({std::string("nessuna")}, {std::string("nessuna")});
    EXPECT_TRUE(t->IsEmpty());
    EXPECT_TRUE(t->Bof() && t->Eof());
    EXPECT_EQ(t->RecNo(), 0);
    EXPECT_EQ(t->GetBookmark(), 0);
}

TEST_F(CursorTest, LocateIsExactAndFindKeyFollowsTheIndex) {
    EXPECT_TRUE(t->Locate("Descrizione", std::string("Gabbia grande")));
    EXPECT_EQ(Current("Codice"), "G2");
    EXPECT_FALSE(t->Locate("Descrizione", std::string("gabbia grande"))) << "text ignored case";
    EXPECT_EQ(Current("Codice"), "G2") << "a failed locate moved the cursor";
    EXPECT_TRUE(t->Locate("Larghezza", std::int64_t{1000})) << "number compared as text";
    EXPECT_EQ(Current("Codice"), "k3");
    EXPECT_TRUE(t->Locate("Larghezza Utile", Value{})) << "empty value not found";

    t->SetIndexName("iCodice");
    EXPECT_TRUE(t->FindKey({std::string("K3")}));
    EXPECT_EQ(Current("Codice"), "k3");
    EXPECT_FALSE(t->FindKey({std::string("Z9")}));
    EXPECT_EQ(Current("Codice"), "k3");
    t->SetIndexName("");
    EXPECT_THROW(t->SetIndexName("iNessuno"), Error);
    EXPECT_EQ(Current("Codice"), "k3") << "switching index lost the record";
}

TEST_F(CursorTest, DeleteMovesToTheNextRecordOrTheLast) {
    t->Next(); // g1
    t->Delete();
    EXPECT_EQ(Current("Codice"), "K2");
    t->Last();
    t->Delete();
    EXPECT_EQ(Current("Codice"), "k3");
    EXPECT_EQ(t->RecordCount(), 3);
    t->EmptyTable();
    EXPECT_TRUE(t->IsEmpty());
    try {
        t->Delete();
        ADD_FAILURE() << "deleted from an empty table";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Impossibile eliminare: la tabella 'Contenitori.DB' è vuota.");
    }
}

TEST_F(CursorTest, CancelRestoresTheRecordAndTheTable) {
    t->Next();
    t->Edit();
    t->FieldByName("Descrizione").SetAsString("Cambiata");
    t->Cancel();
    EXPECT_EQ(Current(), "Gabbia piccola");
    t->Append();
    t->FieldByName("Codice").SetAsString("NEW");
    t->Cancel();
    EXPECT_EQ(Current("Codice"), "g1") << "cancelled insert did not return";
    EXPECT_EQ(t->RecordCount(), 5);
}

TEST_F(CursorTest, MovingPostsAModifiedRecord) {
    t->Edit();
    t->FieldByName("Tara").SetAsFloat(21);
    t->Next();
    EXPECT_EQ(t->State(), DataSetState::Browse);
    t->First();
    EXPECT_DOUBLE_EQ(t->FieldByName("Tara").AsFloat(), 21.0);
}

TEST_F(CursorTest, PostStaysOnTheRecordWhereverItsKeyPutsIt) {
    t->SetIndexName("iCodice"); // g1 G2 K1 K2 k3
    ASSERT_TRUE(t->Locate("Codice", std::string("G2")));
    t->Edit();
    t->FieldByName("Codice").SetAsString("Z1");
    t->Post();
    EXPECT_EQ(Current("Codice"), "Z1");
    EXPECT_EQ(t->RecNo(), 5) << "the record kept its old place in the order";
    t->Edit();
    t->FieldByName("Tara").SetAsFloat(99); // not a key: the place stays
    t->Post();
    EXPECT_EQ(t->RecNo(), 5);
    EXPECT_EQ(Column(*t, "Codice"), (std::vector<std::string>{"g1", "K1", "K2", "k3", "Z1"}));
}

TEST_F(CursorTest, GridRowsAreReadWithoutMovingTheCursor) {
    Field& area = t->AddCalculatedField("Area", FieldType::Float);
    t->OnCalcFields = [&](Table& x) {
        area.SetAsFloat(x.FieldByName("Larghezza").AsFloat() *
                        x.FieldByName("Lunghezza").AsFloat());
    };
    int scrolls = 0;
    t->AfterScroll = [&](Table&) { ++scrolls; };
    t->SetIndexName("iFamiglia");
    t->SetRange({std::string("gabbia")}, {std::string("gabbia")});
    t->Next(); // G2
    t->Edit();
    t->FieldByName("Descrizione").SetAsString("Scritta ora");
    scrolls = 0;
    const auto rows = t->RowsDisplayText({"Descrizione", "Area"});
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"Gabbia piccola", "240000"},
                                                           {"Scritta ora", "1200000"}}));
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(t->State(), DataSetState::Edit);
    EXPECT_EQ(Current(), "Scritta ora") << "the grid overwrote the record being edited";
    EXPECT_EQ(area.AsString(), "1200000");
    EXPECT_EQ(t->RowsDisplayText({"Codice"}, 1).size(), 1u);
}

TEST_F(CursorTest, RequiredFieldIsNamedAndNothingIsWritten) {
    Table sep(db, "Separatori.DB", SeparatorsDef());
    sep.Open();
    sep.Append();
    sep.FieldByName("Materiale").SetAsString("CARTONE");
    sep.FieldByName("Spessore").SetAsFloat(2);
    try {
        sep.Post();
        FAIL() << "posted without Codice";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Field 'Codice' must have a value");
    }
    EXPECT_EQ(sep.State(), DataSetState::Insert) << "the user cannot fix the record";
    EXPECT_EQ(sep.FieldByName("Materiale").AsString(), "CARTONE") << "the typing was lost";
    sep.FieldByName("Codice").SetAsString("S1");
    sep.Post();
    EXPECT_EQ(sep.RecordCount(), 1);
    EXPECT_EQ(sep.FieldByName("ID").AsInteger(), 1) << "auto-increment not read back";
}

TEST_F(CursorTest, FailedPostLeavesTableAndEditBufferAsTheyWere) {
    db->Exec("CREATE TRIGGER no_heavy BEFORE UPDATE ON Contenitori WHEN NEW.Tara > 100 "
             "BEGIN SELECT RAISE(ABORT, 'tara eccessiva'); END");
    t->Edit();
    t->FieldByName("Descrizione").SetAsString("Cassa pesante");
    t->FieldByName("Tara").SetAsFloat(150);
    try {
        t->Post();
        FAIL() << "the trigger did not refuse the post";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(),
                     "Impossibile salvare nella tabella 'Contenitori.DB': tara eccessiva.");
    }
    EXPECT_EQ(t->State(), DataSetState::Edit);
    EXPECT_EQ(Current(), "Cassa pesante");
    EXPECT_FALSE(db->InTransaction()) << "transaction left open";
    Table reader(db, "Contenitori.DB", ContainersDef());
    reader.Open();
    EXPECT_EQ(reader.FieldByName("Descrizione").AsString(), "Cassa 1200");

    t->FieldByName("Tara").SetAsFloat(25); // fixed by the user: the retry goes through
    t->Post();
    reader.Refresh();
    EXPECT_EQ(reader.FieldByName("Descrizione").AsString(), "Cassa pesante");
}

TEST_F(CursorTest, ReadOnlyDatabaseBrowsesButRefusesChanges) {
    auto readOnly = Database::OpenReadOnly(path);
    Table r(readOnly, "Contenitori.DB", ContainersDef());
    r.Open();
    EXPECT_EQ(r.RecordCount(), 5);
    const char* text = "Impossibile modificare: il database 'Velcaro' è in sola lettura.";
    for (auto op : {&Table::Edit, &Table::Append, &Table::Delete, &Table::EmptyTable}) {
        try {
            (r.*op)();
            ADD_FAILURE() << "changed a read-only database";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), text);
        }
        EXPECT_EQ(r.State(), DataSetState::Browse);
    }
    t->Refresh();
    EXPECT_EQ(t->RecordCount(), 5);
}

TEST_F(CursorTest, PostsJoinATransactionOpenedByTheCaller) {
    db->Begin();
    AppendContainer(*t, {"T1", "GABBIA", "In transazione", 1, 1, 1, 1});
    t->Edit();
    t->FieldByName("Tara").SetAsFloat(2);
    t->Post();
    EXPECT_TRUE(db->InTransaction()) << "a post ended the caller's transaction";
    db->Rollback();
    t->Refresh();
    EXPECT_EQ(t->RecordCount(), 5);

    db->Begin();
    AppendContainer(*t, {"T2", "GABBIA", "Confermato", 1, 1, 1, 1});
    db->Commit();
    Table reader(db, "Contenitori.DB", ContainersDef());
    reader.Open();
    EXPECT_TRUE(reader.Locate("Codice", std::string("T2")));
}

TEST(ResultsTable, EmptyingThenSixAppendsGiveTheIndexOrder) {
    const std::string dir = FreshDir();
    auto db = CreateStoreFile(dir + "/Velcaro.db");
    Table calcoli(db, "Calcoli.DB", ResultsDef());
    calcoli.SetIndexName("iQuantita");
    calcoli.Open();
    AppendResult(calcoli, 1, 3); // left from the previous calculation
    calcoli.Close();
    calcoli.EmptyTable();
    calcoli.Open();
    EXPECT_EQ(calcoli.RecordCount(), 0);
    const int quantities[] = {5, 9, 5, 12, 9, 1};
    for (int id = 1; id <= 6; ++id)
        AppendResult(calcoli, id, quantities[id - 1]);
    EXPECT_EQ(Column(calcoli, "ID"), (std::vector<std::string>{"4", "2", "5", "1", "3", "6"}));
    EXPECT_EQ(Column(calcoli, "Quantita"),
              (std::vector<std::string>{"12", "9", "9", "5", "5", "1"}));
}

TEST(LayersTable, WithoutIndexRecordsComeInTheOrderOfAppending) {
    const std::string dir = FreshDir();
    auto db = CreateStoreFile(dir + "/Velcaro.db");
    Table strati(db, "AppoggioStrati.db", LayersDef());
    strati.Open();
    for (int n : {4, 2, 7, 2}) {
        strati.Append();
        strati.FieldByName("NumeroStrati").SetAsInteger(n);
        strati.Post();
    }
    EXPECT_EQ(Column(strati, "NumeroStrati"), (std::vector<std::string>{"4", "2", "7", "2"}));
    EXPECT_THROW(strati.SetRange({std::int64_t{2}}, {std::int64_t{2}}), Error);
}

} // namespace
} // namespace velcaro::store::testing
