// A configuration folder as large as the converter takes: one SCL device, many variables and data sets.
#pragma once

#include <filesystem>
#include <string>

namespace bench_access {

struct TLarge_Sizes
{
    int Variables = 1400;
    int DataSets = 40;
    int Members = 100; ///< per data set
};

/// The SCL text of the device: IED "CT40510_BENCH_IED", logical device LD0 with five GGIO nodes of 100 data
/// objects each (stVal BOOLEAN, q Quality, t Timestamp; references of about 40 characters) and, in LLN0,
/// Sizes.DataSets data sets of Sizes.Members members each.
std::string Large_Scl(const TLarge_Sizes& Sizes = {});

/// Writes Conf_Dir/ICD_Catalog/bench.icd and Conf_Dir/IEC_61850_Client.xml, the latter made with the editor's
/// operations (import, add variables and data sets, fill every option so that the check passes) and saved.
void Write_Large_Configuration(const std::filesystem::path& Conf_Dir, const TLarge_Sizes& Sizes = {});

} // namespace bench_access
