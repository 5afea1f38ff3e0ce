#include "StoreTestSupport.h"

#include "platform/Error.h"

#include <functional>

namespace velcaro::store::testing {
namespace {

const char* StateName(DataSetState s) {
    switch (s) {
    case DataSetState::Inactive:
        return "Inactive";
    case DataSetState::Browse:
        return "Browse";
    case DataSetState::Edit:
        return "Edit";
    case DataSetState::Insert:
        return "Insert";
    case DataSetState::SetKey:
        return "SetKey";
    case DataSetState::CalcFields:
        return "CalcFields";
    }
    return "?";
}

// Writes down every event of a cursor and of its data source, in the order they come.
class Recorder {
public:
    Recorder(Table& t, DataSource& ds) {
        auto hook = [this](std::function<void(Table&)>& event, const char* name) {
            event = [this, name](Table&) { log.push_back(name); };
        };
        hook(t.BeforeOpen, "BeforeOpen");
        hook(t.AfterOpen, "AfterOpen");
        hook(t.BeforeClose, "BeforeClose");
        hook(t.AfterClose, "AfterClose");
        hook(t.BeforeScroll, "BeforeScroll");
        hook(t.AfterScroll, "AfterScroll");
        hook(t.BeforeInsert, "BeforeInsert");
        hook(t.AfterInsert, "AfterInsert");
        hook(t.OnNewRecord, "OnNewRecord");
        hook(t.BeforeEdit, "BeforeEdit");
        hook(t.AfterEdit, "AfterEdit");
        hook(t.BeforePost, "BeforePost");
        hook(t.AfterPost, "AfterPost");
        hook(t.BeforeCancel, "BeforeCancel");
        hook(t.AfterCancel, "AfterCancel");
        hook(t.BeforeDelete, "BeforeDelete");
        hook(t.AfterDelete, "AfterDelete");
        hook(t.OnCalcFields, "CalcFields");
        ds.OnStateChange = [this](DataSource& s) {
            log.push_back(std::string("State:") + StateName(s.State()));
        };
        ds.OnDataChange = [this](DataSource&, Field* f) {
            log.push_back(f ? "Data:" + f->FieldName() : std::string("Data"));
        };
        ds.OnUpdateData = [this](DataSource&) { log.push_back("UpdateData"); };
    }
    std::vector<std::string> log;
};

using Steps = std::vector<std::string>;

struct EventRow {
    const char* fault; // what a wrong order would break
    std::function<void(Table&)> prepare;
    std::function<void(Table&)> act;
    Steps expected;
};

void Nothing(Table&) {}
void OpenFirst(Table& t) {
    t.Open();
    t.First();
}

TEST(CursorEvents, ComeInTheClassicDatasetOrder) {
    const Steps scroll = {"BeforeScroll", "CalcFields", "Data", "AfterScroll"};
    const Steps post = {"UpdateData", "BeforePost", "State:Browse",
                        "CalcFields", "Data",       "AfterPost"};
    auto concat = [](Steps a, const Steps& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const EventRow rows[] = {
        {"open: AfterScroll fires once the first record is shown",
         Nothing,
         [](Table& t) { t.Open(); },
         {"BeforeOpen", "CalcFields", "State:Browse", "Data", "AfterOpen", "AfterScroll"}},
        {"next: scroll handlers see the new record", OpenFirst, [](Table& t) { t.Next(); }, scroll},
        {"next at the end: scroll events without a move", OpenFirst,
         [](Table& t) {
             t.Last();
             t.Next();
         },
         concat(scroll, {"BeforeScroll", "AfterScroll"})},
        {"append: new record set up inside the insert state",
         OpenFirst,
         [](Table& t) { t.Append(); },
         {"BeforeInsert", "BeforeScroll", "State:Insert", "OnNewRecord", "Data", "AfterInsert",
          "AfterScroll"}},
        {"post: BeforePost after the controls wrote back, AfterPost on the re-read record",
         [](Table& t) {
             OpenFirst(t);
             t.Edit();
             t.FieldByName("Tara").SetAsFloat(3);
         },
         [](Table& t) { t.Post(); }, post},
        {"edit: record re-read before the state changes",
         OpenFirst,
         [](Table& t) { t.Edit(); },
         {"BeforeEdit", "CalcFields", "State:Edit", "Data", "AfterEdit"}},
        {"field write: calculated fields then the views",
         [](Table& t) {
             OpenFirst(t);
             t.Edit();
         },
         [](Table& t) { t.FieldByName("Tara").SetAsFloat(4); },
         {"CalcFields", "Data:Tara"}},
        {"cancel of an insert: back to the old record with scroll events",
         [](Table& t) {
             OpenFirst(t);
             t.Append();
         },
         [](Table& t) { t.Cancel(); },
         {"BeforeCancel", "BeforeScroll", "State:Browse", "CalcFields", "Data", "AfterCancel",
          "AfterScroll"}},
        {"cancel of an edit: no scroll events",
         [](Table& t) {
             OpenFirst(t);
             t.Edit();
         },
         [](Table& t) { t.Cancel(); },
         {"BeforeCancel", "State:Browse", "CalcFields", "Data", "AfterCancel"}},
        {"delete: scroll events around the removal",
         OpenFirst,
         [](Table& t) { t.Delete(); },
         {"BeforeDelete", "BeforeScroll", "CalcFields", "Data", "AfterDelete", "AfterScroll"}},
        {"set range: ends on the first record of the range", OpenFirst,
         [](Table& t) {
             t.SetIndexName("iFamiglia");
             t.SetRange({std::string("gabbia")}, {std::string("gabbia")});
         },
         concat({"CalcFields", "Data"}, scroll)},
        {"moving an edited record posts it first",
         [](Table& t) {
             OpenFirst(t);
             t.Edit();
             t.FieldByName("Tara").SetAsFloat(5);
         },
         [](Table& t) { t.Next(); }, concat(post, scroll)},
        {"moving an untouched edit cancels it",
         [](Table& t) {
             OpenFirst(t);
             t.Edit();
         },
         [](Table& t) { t.Next(); },
         concat({"UpdateData", "BeforeCancel", "State:Browse", "CalcFields", "Data", "AfterCancel"},
                scroll)},
        {"refresh: no scroll events",
         OpenFirst,
         [](Table& t) { t.Refresh(); },
         {"CalcFields", "Data"}},
        {"locate not found: no AfterScroll",
         OpenFirst,
         [](Table& t) { t.Locate("Codice", std::string("nessuno")); },
         {"BeforeScroll"}},
        {"close",
         OpenFirst,
         [](Table& t) { t.Close(); },
         {"BeforeClose", "State:Inactive", "AfterClose"}},
    };
    for (const auto& r : rows) {
        const std::string dir = FreshDir();
        auto db = CreateStoreFile(dir + "/Velcaro.db");
        {
            Table filler(db, "Contenitori.DB", ContainersDef());
            filler.Open();
            AppendContainer(filler, {"A", "GABBIA", "Uno", 1, 1, 1, 1});
            AppendContainer(filler, {"B", "CASSA", "Due", 1, 1, 1, 1});
        }
        Table t(db, "Contenitori.DB", ContainersDef());
        t.AddCalculatedField("VolumeEsterno", FieldType::Float);
        DataSource ds(&t);
        r.prepare(t);
        Recorder rec(t, ds);
        r.act(t);
        EXPECT_EQ(rec.log, r.expected) << r.fault;
    }
}

TEST(CursorEvents, OpeningAnEmptyTableFiresNoAfterScroll) {
    const std::string dir = FreshDir();
    auto db = CreateStoreFile(dir + "/Velcaro.db");
    Table t(db, "Calcoli.DB", ResultsDef());
    DataSource ds(&t);
    Recorder rec(t, ds);
    t.Open();
    EXPECT_EQ(rec.log, (Steps{"BeforeOpen", "State:Browse", "Data", "AfterOpen"}));
}

TEST(CursorEvents, BoundControlsWriteBackBeforeTheSourceHandlerAndThePost) {
    const std::string dir = FreshDir();
    auto db = CreateStoreFile(dir + "/Velcaro.db");
    Table t(db, "Calcoli.DB", ResultsDef());
    DataSource ds(&t);
    t.Open();
    Steps log;
    DataSource::Listener edit;
    edit.updateData = [&] {
        log.push_back("control");
        t.FieldByName("Quantita").SetAsInteger(7); // what the user typed into the control
    };
    ds.AddListener(edit);
    ds.OnUpdateData = [&](DataSource&) {
        log.push_back("handler sees " + t.FieldByName("Quantita").AsString());
    };
    t.Append();
    t.FieldByName("ID").SetAsInteger(1);
    t.Post();
    EXPECT_EQ(log, (Steps{"control", "handler sees 7"}));
    t.First();
    EXPECT_EQ(t.FieldByName("Quantita").AsInteger(), 7);
}

TEST(CursorEvents, HandlerErrorStopsTheOperationAndLeavesTheCursorUsable) {
    const std::string dir = FreshDir();
    auto db = CreateStoreFile(dir + "/Velcaro.db");
    Table t(db, "Calcoli.DB", ResultsDef());
    t.SetIndexName("iQuantita");
    t.Open();
    AppendResult(t, 1, 3);
    t.BeforePost = [](Table&) { throw Error("controllo fallito"); };
    t.Edit();
    t.FieldByName("Quantita").SetAsInteger(8);
    EXPECT_THROW(t.Post(), Error);
    EXPECT_EQ(t.State(), DataSetState::Edit);
    EXPECT_THROW(t.Next(), Error) << "moving posts the record, and the post is refused";
    t.BeforePost = nullptr;
    t.Next();
    t.First();
    EXPECT_EQ(t.FieldByName("Quantita").AsInteger(), 8);
}

} // namespace
} // namespace velcaro::store::testing
