// Lookups of the object model on trees put together by hand.
#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace iec61850 {
namespace {

template <class TParent> TIEC_DO* Add_DO(TParent& Parent, const char* Name)
{
    return Parent.Add_DO(std::make_unique<TIEC_DO>(Name));
}

template <class TParent> TIEC_DA* Add_DA(TParent& Parent, const char* Name, const char* bType = "BOOLEAN")
{
    return Parent.Add_DA(std::make_unique<TIEC_DA>(Name, "ST", bType));
}

// Device I: LD0 { GGIO, BMMXU2, MMXU1 }, LD0 (a second one, empty).
// BMMXU2: A { SDO X { SDO Y, DA only_in_sdo }, DA a { b { c } }, DA d }, X, B { DA q }, E (no attributes)
class Model_Lookups : public ::testing::Test
{
protected:
    Model_Lookups()
    {
        LD0 = Device->Add_LDevice(std::make_unique<TIEC_LDevice>("LD0"));
        Device->Add_LDevice(std::make_unique<TIEC_LDevice>("LD0"));
        LD0->Add_LN(std::make_unique<TIEC_LN>("GGIO", "T"));
        LN = LD0->Add_LN(std::make_unique<TIEC_LN>("MMXU", "T", "B", "2"));
        LD0->Add_LN(std::make_unique<TIEC_LN>("MMXU", "T", "", "1"));
        A = Add_DO(*LN, "A");
        Nested_X = Add_DO(*A, "X");
        Nested_Y = Add_DO(*Nested_X, "Y");
        Add_DA(*Nested_X, "only_in_sdo");
        a = Add_DA(*A, "a", "Struct");
        b = Add_DA(*a, "b", "Struct");
        c = Add_DA(*b, "c");
        d = Add_DA(*A, "d");
        Top_X = Add_DO(*LN, "X");
        B = Add_DO(*LN, "B");
        q = Add_DA(*B, "q");
        E = Add_DO(*LN, "E");
    }

    std::unique_ptr<TIEC_Device> Device = TIEC_Device::Make("I", "f.icd");
    TIEC_LDevice* LD0;
    TIEC_LN* LN;
    TIEC_DO *A, *Nested_X, *Nested_Y, *Top_X, *B, *E;
    TIEC_DA *a, *b, *c, *d, *q;
};

TEST_F(Model_Lookups, ReferencesArePutTogetherFromTheParents)
{
    EXPECT_EQ(LD0->Reference(), "ILD0");
    EXPECT_EQ(LN->Reference(), "ILD0/BMMXU2");
    EXPECT_EQ(Nested_Y->Reference(), "ILD0/BMMXU2.A.X.Y");
    EXPECT_EQ(c->Reference(), "ILD0/BMMXU2.A.a.b.c");
    EXPECT_EQ(q->Reference(), "ILD0/BMMXU2.B.q");
    EXPECT_EQ(c->FC(), "ST");
    EXPECT_EQ(a->bType(), "Struct");
    EXPECT_EQ(TIEC_DA("x", "MX", "FLOAT32").Reference(), "x") << "an attribute without a parent";
    EXPECT_EQ(TIEC_DO("D").Reference(), "D");
}

TEST_F(Model_Lookups, FindDOIsDepthFirstSoANestedNameBeatsALaterTopLevelOne)
{
    EXPECT_EQ(LN->Find_DO("X"), Nested_X);
    EXPECT_EQ(LN->Find_DO("Y"), Nested_Y);
    EXPECT_EQ(LN->Find_DO("B"), B);
    EXPECT_EQ(LN->Find_DO("x"), nullptr) << "names compare case-sensitively";
    EXPECT_EQ(LN->Find_DO("A.X"), nullptr) << "a path is not a name";
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

// Nodes and data objects holding many objects are searched through a sorted index: it must find what the
// depth-first lookups find, also where a nested name comes before a later top-level one of the same name.
TEST_F(Model_Lookups, TheMemberResolverFindsWhatTheLookupsFindBelowLargeObjects)
{
    TIEC_LN& GGIO = *LD0->List_LN.front();
    for (int I = 0; I < 20; ++I) {
        // Each data object with an attribute of its own, so that the member found tells which object was found.
        TIEC_DO* DO = Add_DO(GGIO, ("D" + std::to_string(I)).c_str());
        Add_DA(*DO, "top");
        Add_DA(*Add_DO(*DO, ("D" + std::to_string((I + 5) % 20)).c_str()), "nested");
    }
    TIEC_DO& D0 = *GGIO.List_DO.front();
    for (int I = 0; I < 20; ++I) {
        TIEC_DA* DA = Add_DA(D0, ("a" + std::to_string(I)).c_str(), "Struct");
        Add_DA(*DA, ("a" + std::to_string((I + 3) % 20)).c_str());
    }
    TFCDA_Resolver Resolver(*Device);
    for (int I = 0; I < 21; ++I) {
        const std::string DO_Name = "D" + std::to_string(I);
        const std::string DA_Name = "a" + std::to_string(I);
        const TIEC_DO* Want_DO = GGIO.Find_DO(DO_Name);
        EXPECT_EQ(Resolver.Resolve("LD0", "GGIO", DO_Name, ""), Want_DO ? Want_DO->Find_First_DA() : nullptr)
            << DO_Name;
        EXPECT_EQ(Resolver.Resolve("LD0", "GGIO", "D0", DA_Name), D0.Find_DA(DA_Name)) << DA_Name;
    }
    EXPECT_EQ(GGIO.Find_DO("D5"), GGIO.List_DO.front()->List_DO.front().get()) << "the nested one comes first";
}

TEST(Model_Children, ListsKeepTheOrderOfAddingAndCountAlongIt)
{
    TIEC_DO DO("D");
    EXPECT_TRUE(DO.List_DA.empty());
    EXPECT_THROW((void)DO.List_DA.at(0), std::out_of_range);
    for (const char* Name : {"x", "y", "z"})
        Add_DA(DO, Name);
    std::string Names;
    for (const auto& DA : DO.List_DA)
        Names += DA->Name();
    EXPECT_EQ(Names, "xyz");
    EXPECT_EQ(DO.List_DA.size(), 3u);
    EXPECT_EQ(DO.List_DA.front()->Name(), "x");
    EXPECT_EQ(DO.List_DA[1]->Name(), "y");
    EXPECT_EQ(DO.List_DA.back().get(), DO.List_DA.at(2).get());
    EXPECT_THROW((void)DO.List_DA.at(3), std::out_of_range);
    EXPECT_EQ(DO.List_DA[2]->Reference(), "D.z");
}

TEST(Model_Children, AMillionSiblingsAreFreedWithoutDeepRecursion)
{
    auto DO = std::make_unique<TIEC_DO>("D");
    for (int I = 0; I < 1000000; ++I)
        DO->Add_DA(std::make_unique<TIEC_DA>("a", "ST", "BOOLEAN"));
    EXPECT_EQ(DO->List_DA.size(), 1000000u);
    DO.reset();
}

TEST(Model_Device, FindLDeviceAndFindLNScanTheirOwnListForTheFirstMatch)
{
    auto Device = TIEC_Device::Make("IED1", "ied.icd");
    TIEC_LDevice* LD0 = Device->Add_LDevice(std::make_unique<TIEC_LDevice>("LD0"));
    Device->Add_LDevice(std::make_unique<TIEC_LDevice>("LD0"));
    TIEC_LN* First = LD0->Add_LN(std::make_unique<TIEC_LN>("MMXU", "T1", "A", "1"));
    LD0->Add_LN(std::make_unique<TIEC_LN>("MMXU", "T2", "", "2"));
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
    auto* LD = Device->Add_LDevice(std::make_unique<TIEC_LDevice>("LD0"));
    auto* LN = LD->Add_LN(std::make_unique<TIEC_LN>("LLN0", "T"));
    TIEC_DO* DO = Add_DO(*LN, "Mod");
    TIEC_DA* stVal = Add_DA(*DO, "stVal");
    for (const char* Name : {"DS1", "DS2"}) {
        auto* DataSet = LN->Add_DataSet(std::make_unique<TIEC_DataSet>(Name, "R"));
        DataSet->List_DA = {stVal, stVal};
    }
    EXPECT_EQ(LN->List_DataSet[1]->List_DA[1], stVal);
    Device.reset();
}

} // namespace
} // namespace iec61850
