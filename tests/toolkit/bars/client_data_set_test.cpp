// The client data set over a small in-memory provider: its index order,
// Locate and FindKey, local edits, and data-aware controls following it.
#include "runtime/variant_array.h"
#include "toolkit/class_builder.h"
#include "toolkit/client_data_set.h"
#include "toolkit/db_controls.h"
#include "toolkit/db_navigator.h"
#include "toolkit/form.h"
#include "toolkit/screen.h"

#include <gtest/gtest.h>

namespace kvc::test {
namespace {

class TableProvider : public TDataProvider {
public:
    TDataPacket packet;
    int fetches = 0;
    TDataPacket GetRecords() override {
        ++fetches;
        return packet;
    }
};

class TSchemeServer : public TCustomRemoteServer {
    KVC_CLASS(TSchemeServer, TCustomRemoteServer)
public:
    std::shared_ptr<TableProvider> provider = std::make_shared<TableProvider>();
    std::shared_ptr<TDataProvider> GetProvider(const std::string& name) override {
        if (name != "pvdConSave") {
            throw EDatabaseError("Provider '" + name + "' not found");
        }
        return provider;
    }
};
KVC_REGISTER_CLASS(TSchemeServer) {}

Variant Key(std::initializer_list<Variant> values) {
    Variant array = VarArrayCreate({0, int(values.size()) - 1});
    int i = 0;
    for (const Variant& v : values) {
        array[i++] = v;
    }
    return array;
}

class ClientDataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = MakeUnique<TForm>();
        server = Create<TSchemeServer>(owner.get());
        server->provider->packet = {{{"NCONDITION", ftString, 20},
                                     {"CREATOR", ftString, 10},
                                     {"PROGRAMME", ftString, 10},
                                     {"CREATE_DATE", ftString, 8},
                                     {"USES", ftInteger}},
                                    {{"May", "u1", "WVTR57", "20240501", 3},
                                     {"April", "u1", "WVTR57", "20240401", Variant::Null()},
                                     {"June", "u2", "WVTR57", "20240601", 1}}};
        data = Create<TClientDataSet>(owner.get());
        data->SetName("ClientDataSet1");
        data->SetRemoteServer(server);
        data->SetProviderName("pvdConSave");
        auto* index = static_cast<TIndexDef*>(data->GetIndexDefs()->Add());
        index->SetName("Index1");
        index->SetFields("NCONDITION;CREATOR;PROGRAMME");
        data->SetIndexName("Index1");
        data->Open();
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (data->First(); !data->Eof(); data->Next()) {
            names.push_back(data->FieldByName("NCONDITION")->AsString());
        }
        return names;
    }

    TOwned<TForm> owner;
    TSchemeServer* server = nullptr;
    TClientDataSet* data = nullptr;
};

TEST_F(ClientDataSetTest, RowsComeInIndexOrderWithTheirFields) {
    EXPECT_EQ(data->RecordCount(), 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{"April", "June", "May"}));
    EXPECT_TRUE(data->Eof());
    TField* uses = data->FieldByName("uses");
    EXPECT_TRUE(uses->Is<TIntegerField>());
    EXPECT_EQ(uses->GetDisplayLabel(), "USES");
    data->First();
    EXPECT_TRUE(data->Bof());
    EXPECT_TRUE(uses->IsNull());
    EXPECT_EQ(uses->AsInteger(), 0);
    EXPECT_THROW(data->FieldByName("MISSING"), EDatabaseError);
}

TEST_F(ClientDataSetTest, LocateAndFindKeyOnTheIndexFields) {
    EXPECT_TRUE(data->Locate("NCONDITION;CREATOR;PROGRAMME", Key({"June", "u2", "WVTR57"}), {}));
    EXPECT_EQ(data->FieldByName("CREATE_DATE")->AsString(), "20240601");
    EXPECT_FALSE(data->Locate("NCONDITION;CREATOR", Key({"June", "u1"}), {}));
    EXPECT_EQ(data->RecNo(), 2) << "a failed search stays on the record";
    EXPECT_TRUE(data->Locate("NCONDITION", "ma", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "May");
    EXPECT_TRUE(data->Locate("USES", 1, {}));
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "June");
    EXPECT_TRUE(data->FindKey({"April", "u1", "WVTR57"}));
    EXPECT_EQ(data->RecNo(), 1);
    EXPECT_TRUE(data->FindKey({"May"})) << "the first index fields only";
    EXPECT_FALSE(data->FindKey({"may"})) << "the index is not case-insensitive";
    data->SetIndexName("");
    EXPECT_THROW(data->FindKey({"May"}), EDatabaseError);
}

TEST_F(ClientDataSetTest, LocalEditPostCancelAppendDelete) {
    ASSERT_TRUE(data->FindKey({"May", "u1", "WVTR57"}));
    EXPECT_THROW(data->FieldByName("NCONDITION")->SetAsString("x"), EDatabaseError);
    data->Edit();
    data->FieldByName("NCONDITION")->SetAsString("Autumn");
    data->Post();
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "Autumn") << "still on the record";
    EXPECT_EQ(data->RecNo(), 2) << "re-sorted by the index";
    data->Edit();
    data->FieldByName("NCONDITION")->SetAsString("Winter");
    data->Cancel();
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "Autumn");
    data->Append();
    data->FieldByName("NCONDITION")->SetAsString("Zero");
    data->FieldByName("USES")->SetAsString("7");
    EXPECT_THROW(data->FieldByName("USES")->SetAsString("seven"), EConvertError);
    data->Next(); // moving posts the new record
    EXPECT_EQ(data->State(), dsBrowse);
    EXPECT_EQ(data->RecordCount(), 4);
    ASSERT_TRUE(data->FindKey({"Zero"}));
    EXPECT_EQ(data->FieldByName("USES")->AsInteger(), 7);
    data->Delete();
    EXPECT_EQ(Names(), (std::vector<std::string>{"April", "Autumn", "June"}));
    EXPECT_EQ(server->provider->fetches, 1) << "changes stay local";
}

TEST_F(ClientDataSetTest, RefreshFetchesAgainAndKeepsTheRecord) {
    ASSERT_TRUE(data->FindKey({"June"}));
    server->provider->packet.rows.push_back({"Aa", "u1", "WVTR57", "20240101", 0});
    data->Refresh();
    EXPECT_EQ(data->RecordCount(), 4);
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "June");
    EXPECT_EQ(data->RecNo(), 3);
}

TEST_F(ClientDataSetTest, OpeningErrorsAndTextHandlers) {
    data->Close();
    data->SetProviderName("pvdOther");
    EXPECT_THROW(data->Open(), EDatabaseError);
    EXPECT_FALSE(data->GetActive());
    data->SetProviderName("pvdConSave");
    data->Open();
    EXPECT_EQ(data->FieldCount(), 5);
}

TEST_F(ClientDataSetTest, DataAwareEditAndNavigator) {
    owner->SetBounds(0, 0, 300, 200);
    auto* source = Create<TDataSource>(owner.get());
    source->SetDataSet(data);
    auto* edit = Create<TDBEdit>(owner.get());
    edit->SetParent(owner.get());
    edit->SetDataSource(source);
    edit->SetDataField("NCONDITION");
    auto* other = Create<TEdit>(owner.get());
    other->SetParent(owner.get());
    data->First();
    EXPECT_EQ(edit->GetText(), "April");
    data->Next();
    EXPECT_EQ(edit->GetText(), "June");
    owner->Show();
    edit->SetFocus();
    edit->SelectAll();
    edit->HandleChar(U'J');
    EXPECT_EQ(data->State(), dsEdit) << "typing edits the record";
    other->SetFocus();
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "J");
    auto* nav = Create<TDBNavigator>(owner.get());
    nav->SetParent(owner.get());
    nav->SetDataSource(source);
    EXPECT_EQ(nav->ButtonHint(nbPost), "Post edit");
    EXPECT_TRUE(nav->ButtonEnabled(nbPost));
    nav->BtnClick(nbPost);
    EXPECT_EQ(data->State(), dsBrowse);
    EXPECT_FALSE(nav->ButtonEnabled(nbPost));
    source->Free();
    EXPECT_EQ(edit->GetDataSource(), nullptr);
    EXPECT_EQ(nav->GetDataSource(), nullptr);
    owner->Hide();
}

TEST(FieldClasses, TheStoredFieldClassesAreRegisteredByName) {
    RegisterFieldClasses();
    EXPECT_EQ(FieldClasses().size(), 26u);
    for (const char* name : {"TStringField", "TIntegerField", "TDateTimeField", "TMemoField",
                             "TLargeintField", "TVarBytesField", "TAggregateField"}) {
        EXPECT_NE(FindClass(name), nullptr) << name;
    }
    UnregisterFieldClasses();
    EXPECT_EQ(FindClass("TMemoField"), nullptr);
}

} // namespace
} // namespace kvc::test
