// The large hostile inputs, made at run time instead of being kept in the repository.
#pragma once

#include <string>
#include <vector>

namespace hostile {

/// The names of the large inputs (their extension tells the kind): 10,000 data sets, a data set of 300 members,
/// huge attribute values, deep nesting, long template chains, huge lines, as SCL, project, language and settings
/// files.
const std::vector<std::string>& Generated_Names();

/// The bytes of the input of that name, made when asked for.
std::string Generate(const std::string& Name);

} // namespace hostile
