// The texts of a device tree, each kept once.
//
// Templates are expanded for every data object that uses them, so the same few names, functional constraints and
// basic types recur millions of times in a large device: every object points at its texts here instead of holding
// copies. A decoded device owns its texts; objects put together by hand take theirs from Shared_Texts().
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace iec61850 {

/// What an attribute says of itself: its name, functional constraint and basic type, as written in the file.
struct TDA_Texts
{
    std::string Name;
    std::string FC;
    std::string bType;
};

class TModel_Texts
{
public:
    /// The texts of an attribute without any (all empty).
    static const TDA_Texts& No_DA_Texts();
    /// The empty name.
    static const std::string& No_Name();

    /// The kept copy of Name; the same pointer for equal texts.
    const std::string* Name(std::string_view Name);
    /// The kept texts of an attribute; the same pointer for equal texts.
    const TDA_Texts* DA(std::string_view Name, std::string_view FC, std::string_view bType);

    /// About the memory the kept texts take (their characters and the tables' bookkeeping).
    std::size_t Bytes() const { return fBytes; }

private:
    struct THash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view Text) const { return std::hash<std::string_view>()(Text); }
    };
    std::unordered_set<std::string, THash, std::equal_to<>> fNames;
    // Keyed by the lengths of name, FC and basic type followed by the three texts.
    std::unordered_map<std::string, std::unique_ptr<TDA_Texts>, THash, std::equal_to<>> fDAs;
    std::string fKey;
    std::size_t fBytes = 0;
};

/// The texts of objects put together by hand (placeholders, tests): kept for as long as the program runs, and
/// guarded, since such objects may be made on any thread.
class TShared_Texts
{
public:
    const std::string* Name(std::string_view Name);
    const TDA_Texts* DA(std::string_view Name, std::string_view FC, std::string_view bType);

private:
    std::mutex fMutex;
    TModel_Texts fTexts;
};

TShared_Texts& Shared_Texts();

} // namespace iec61850
