// The large hostile inputs, made at run time instead of being kept in the repository.
#pragma once

#include <string>
#include <vector>

namespace hostile {

struct TGenerated
{
    std::string Name; ///< the file name it is given (its extension tells the kind)
    std::string Bytes;
};

/// 10,000 data sets, a data set of 300 members, huge attribute values, deep nesting, long template chains, huge
/// lines: each as an SCL file, a project file, a language file or a settings file.
const std::vector<TGenerated>& Generated_Inputs();

} // namespace hostile
