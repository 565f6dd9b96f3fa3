// Lookups of the object model on trees put together by hand.
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include <gtest/gtest.h>

namespace iec61850 {
namespace {

TIEC_DO* Add_DO(std::vector<std::unique_ptr<TIEC_DO>>& List, const char* Name)
{
    return List.emplace_back(std::make_unique<TIEC_DO>(Name)).get();
}

TIEC_DA* Add_DA(std::vector<std::unique_ptr<TIEC_DA>>& List, const char* Name, const char* bType = "BOOLEAN")
{
    return List.emplace_back(std::make_unique<TIEC_DA>(Name, std::string("R.") + Name, "ST", bType)).get();
}

// LN: A { SDO X { SDO Y }, DA a { b { c } }, DA d }, X, B { DA q }, E (no attributes)
class Model_Lookups : public ::testing::Test
{
protected:
    Model_Lookups()
    {
        A = Add_DO(LN.List_DO, "A");
        Nested_X = Add_DO(A->List_DO, "X");
        Nested_Y = Add_DO(Nested_X->List_DO, "Y");
        Add_DA(Nested_X->List_DA, "only_in_sdo");
        a = Add_DA(A->List_DA, "a", "Struct");
        b = Add_DA(a->List_DA, "b", "Struct");
        c = Add_DA(b->List_DA, "c");
        d = Add_DA(A->List_DA, "d");
        Top_X = Add_DO(LN.List_DO, "X");
        B = Add_DO(LN.List_DO, "B");
        q = Add_DA(B->List_DA, "q");
        E = Add_DO(LN.List_DO, "E");
    }

    TIEC_LN LN{"MMXU", "T"};
    TIEC_DO *A, *Nested_X, *Nested_Y, *Top_X, *B, *E;
    TIEC_DA *a, *b, *c, *d, *q;
};

TEST_F(Model_Lookups, FindDOIsDepthFirstSoANestedNameBeatsALaterTopLevelOne)
{
    EXPECT_EQ(LN.Find_DO("X"), Nested_X);
    EXPECT_EQ(LN.Find_DO("Y"), Nested_Y);
    EXPECT_EQ(LN.Find_DO("B"), B);
    EXPECT_EQ(LN.Find_DO("x"), nullptr) << "names compare case-sensitively";
    EXPECT_EQ(LN.Find_DO("A.X"), nullptr) << "a path is not a name";
    EXPECT_EQ(A->Find_DO("X"), Nested_X);
    EXPECT_EQ(A->Find_DO("A"), nullptr) << "a data object searches below itself only";
}

TEST_F(Model_Lookups, FindDASearchesTheObjectsOwnAttributesAndTheirMembersOnly)
{
    EXPECT_EQ(A->Find_DA("c"), c);
    EXPECT_EQ(A->Find_DA("d"), d);
    EXPECT_EQ(A->Find_DA("only_in_sdo"), nullptr) << "attributes of sub data objects are not searched";
    EXPECT_EQ(a->Find_DA("c"), c);
    EXPECT_EQ(a->Find_DA("a"), nullptr);
    EXPECT_EQ(A->Find_DA("b.c"), nullptr);
}

TEST_F(Model_Lookups, FindFirstDAFollowsFirstMembersDownToALeaf)
{
    EXPECT_EQ(A->Find_First_DA(), c);
    EXPECT_EQ(a->Find_First_DA(), c);
    EXPECT_EQ(B->Find_First_DA(), q);
    EXPECT_EQ(E->Find_First_DA(), nullptr);
    EXPECT_EQ(c->Find_First_DA(), nullptr);
    EXPECT_TRUE(c->Is_Leaf());
    EXPECT_FALSE(a->Is_Leaf());
}

// The reader resolves FCDA through indexes; they must find what the lookups find.
TEST_F(Model_Lookups, TheMemberResolverFindsWhatTheLookupsFind)
{
    auto Device = TIEC_Device::Make("I", "f.icd");
    auto* First_LD = Device->List_LDevice.emplace_back(std::make_unique<TIEC_LDevice>("LD0")).get();
    Device->List_LDevice.emplace_back(std::make_unique<TIEC_LDevice>("LD0"));
    First_LD->List_LN.emplace_back(std::make_unique<TIEC_LN>("GGIO", "T"));
    auto* Moved = First_LD->List_LN.emplace_back(std::make_unique<TIEC_LN>("MMXU", "T", "B", "2")).get();
    Moved->List_DO = std::move(LN.List_DO);
    First_LD->List_LN.emplace_back(std::make_unique<TIEC_LN>("MMXU", "T", "", "1"));
    TFCDA_Resolver Resolver(*Device);
    for (const char* LD : {"LD0", "LD1", ""})
        for (const char* Class : {"MMXU", "GGIO", ""})
            for (const char* DO_Name : {"A", "X", "Y", "B", "E", "Nope", ""})
                for (const char* DA_Name : {"", "a", "c", "d", "q", "only_in_sdo", "b.c"}) {
                    TIEC_DA* Want = nullptr;
                    const TIEC_LDevice* Found_LD = *LD ? Device->Find_LDevice(LD) : nullptr;
                    const TIEC_LN* Found_LN = Found_LD && *Class ? Found_LD->Find_LN(Class) : nullptr;
                    const TIEC_DO* Found_DO = Found_LN && *DO_Name ? Found_LN->Find_DO(DO_Name) : nullptr;
                    if (Found_DO)
                        Want = *DA_Name ? Found_DO->Find_DA(DA_Name) : Found_DO->Find_First_DA();
                    EXPECT_EQ(Resolver.Resolve(LD, Class, DO_Name, DA_Name), Want)
                        << LD << "/" << Class << "." << DO_Name << "." << DA_Name;
                }
    EXPECT_EQ(Resolver.Resolve("LD0", "MMXU", "X", "only_in_sdo"), Nested_X->List_DA.at(0).get());
}

TEST(Model_Device, FindLDeviceAndFindLNScanTheirOwnListForTheFirstMatch)
{
    auto Device = TIEC_Device::Make("IED1", "ied.icd");
    TIEC_LDevice* LD0 = Device->List_LDevice.emplace_back(std::make_unique<TIEC_LDevice>("LD0")).get();
    Device->List_LDevice.emplace_back(std::make_unique<TIEC_LDevice>("LD0"));
    TIEC_LN* First = LD0->List_LN.emplace_back(std::make_unique<TIEC_LN>("MMXU", "T1", "A", "1")).get();
    LD0->List_LN.emplace_back(std::make_unique<TIEC_LN>("MMXU", "T2", "", "2"));
    EXPECT_EQ(Device->Find_LDevice("LD0"), LD0);
    EXPECT_EQ(Device->Find_LDevice("ld0"), nullptr);
    EXPECT_EQ(Device->Find_LDevice(""), nullptr);
    EXPECT_EQ(LD0->Find_LN("MMXU"), First) << "prefix and inst are not compared";
    EXPECT_EQ(LD0->Find_LN("AMMXU1"), nullptr);
}

TEST(Model_Device, DataSetsShareMembersWithoutOwningThem)
{
    // Destroying the device frees every attribute once (the sanitizer build checks it).
    auto Device = TIEC_Device::Make("IED1", "ied.icd");
    auto* LD = Device->List_LDevice.emplace_back(std::make_unique<TIEC_LDevice>("LD0")).get();
    auto* LN = LD->List_LN.emplace_back(std::make_unique<TIEC_LN>("LLN0", "T")).get();
    TIEC_DO* DO = Add_DO(LN->List_DO, "Mod");
    TIEC_DA* stVal = Add_DA(DO->List_DA, "stVal");
    for (const char* Name : {"DS1", "DS2"}) {
        auto* DataSet = LN->List_DataSet.emplace_back(std::make_unique<TIEC_DataSet>(Name, "R")).get();
        DataSet->List_DA = {stVal, stVal};
    }
    EXPECT_EQ(LN->List_DataSet[1]->List_DA[1], stVal);
    Device.reset();
}

} // namespace
} // namespace iec61850
