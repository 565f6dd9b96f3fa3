// Whether the access model, loading its own document again, keeps what it had: the test of the model's Load shared
// by the hostile corpus test and the fuzz target of IEC_61850_Client.xml.
#pragma once

#include "common/Xml.h"

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace hostile {

/// Compares First, a document the access model wrote, with Second, what it wrote after loading First. They must be
/// the same apart from data set members: a stored member is matched by its position in its data set, so after one
/// is dropped the ones behind it may be dropped at the next load. Each data set of Second must then hold some of
/// the members it holds in First, in the same order. Answers what differs; empty when nothing does.
inline std::string Compare_Configurations(const std::string& First, const std::string& Second)
{
    struct TParsed
    {
        pugi::xml_document Doc;
        std::vector<std::vector<std::string>> Members; // per data set, each member's serialised form
    };
    const auto Parse = [](const std::string& Text, TParsed& Out) {
        if (!Out.Doc.load_buffer(Text.data(), Text.size(), common::Xml_Parse_Options, pugi::encoding_utf8))
            return false;
        for (pugi::xml_node Item : Out.Doc.document_element().child("List_DataSet_Selected").children()) {
            std::vector<std::string>& List = Out.Members.emplace_back();
            pugi::xml_node Members = Item.child("DataSet_List_DAs");
            while (pugi::xml_node Member = Members.first_child()) {
                std::string Form;
                for (const pugi::xml_attribute Attribute : Member.attributes())
                    Form += std::string(Attribute.name()) + "=" + Attribute.value() + ";";
                List.push_back(Form);
                Members.remove_child(Member);
            }
        }
        return true;
    };
    TParsed A, B;
    if (!Parse(First, A))
        return "the first document does not parse";
    if (!Parse(Second, B))
        return "the second document does not parse";
    if (common::Xml_To_Text(A.Doc) != common::Xml_To_Text(B.Doc))
        return "the documents differ outside the data set members";
    for (std::size_t D = 0; D < A.Members.size(); ++D) {
        std::size_t Next = 0;
        for (const std::string& Member : B.Members[D]) {
            while (Next < A.Members[D].size() && A.Members[D][Next] != Member)
                ++Next;
            if (Next == A.Members[D].size())
                return "data set " + std::to_string(D + 1) + " gained or reordered members";
            ++Next;
        }
    }
    return {};
}

} // namespace hostile
