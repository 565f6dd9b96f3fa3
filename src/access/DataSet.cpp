#include "access/DataSet.h"

namespace ct::access {

TDataSet::~TDataSet()
{
    while (!List_DAs.empty())
        List_DAs.pop_back();
}

} // namespace ct::access
