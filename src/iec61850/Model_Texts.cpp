#include "iec61850/Model_Texts.h"

#include <cstdint>

namespace iec61850 {

namespace {

void Append_Length(std::string& Key, std::size_t Length)
{
    const auto Value = static_cast<std::uint64_t>(Length);
    Key.append(reinterpret_cast<const char*>(&Value), sizeof Value);
}

} // namespace

const TDA_Texts& TModel_Texts::No_DA_Texts()
{
    static const TDA_Texts None;
    return None;
}

const std::string& TModel_Texts::No_Name()
{
    static const std::string None;
    return None;
}

const std::string* TModel_Texts::Name(std::string_view Name)
{
    if (const auto Found = fNames.find(Name); Found != fNames.end())
        return &*Found;
    fBytes += Name.size() + 64;
    return &*fNames.emplace(Name).first;
}

const TDA_Texts* TModel_Texts::DA(std::string_view Name, std::string_view FC, std::string_view bType)
{
    fKey.clear();
    Append_Length(fKey, Name.size());
    Append_Length(fKey, FC.size());
    Append_Length(fKey, bType.size());
    fKey.append(Name).append(FC).append(bType);
    if (const auto Found = fDAs.find(fKey); Found != fDAs.end())
        return Found->second.get();
    fBytes += 2 * fKey.size() + 160;
    auto Texts = std::make_unique<TDA_Texts>(TDA_Texts{std::string(Name), std::string(FC), std::string(bType)});
    return fDAs.emplace(fKey, std::move(Texts)).first->second.get();
}

const std::string* TShared_Texts::Name(std::string_view Name)
{
    const std::lock_guard<std::mutex> Lock(fMutex);
    return fTexts.Name(Name);
}

const TDA_Texts* TShared_Texts::DA(std::string_view Name, std::string_view FC, std::string_view bType)
{
    const std::lock_guard<std::mutex> Lock(fMutex);
    return fTexts.DA(Name, FC, bType);
}

TShared_Texts& Shared_Texts()
{
    static TShared_Texts Texts;
    return Texts;
}

} // namespace iec61850
