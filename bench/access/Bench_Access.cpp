// Loading and saving the largest access configuration: 1400 variables and 40 data sets of 100 members, whose
// device is decoded from its SCL copy on every load.
//
//   bench_access [--write-config=DIR] [benchmark options]
// With --write-config the configuration folder is also written to DIR and kept (for ct40510-cli build/validate).
#include "Large_Configuration.h"

#include "access/Access_Model.h"
#include "common/Atomic_File.h"
#include "iec61850/Model.h"
#include "text/Catalogue.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace ct::access;

struct TBench_Folder
{
    fs::path Conf = fs::temp_directory_path() / ("ct40510-bench-access-" + std::to_string(std::random_device{}()));
    TBench_Folder() { bench_access::Write_Large_Configuration(Conf); }
    ~TBench_Folder()
    {
        std::error_code Ignored;
        fs::remove_all(Conf, Ignored);
    }
    fs::path File() const { return Conf / Client_File_Name; }
};

const TBench_Folder& Folder()
{
    static const TBench_Folder Shared;
    return Shared;
}

const text::TCatalogue& Lang()
{
    static const text::TCatalogue Catalogue = [] {
        text::TCatalogue C;
        text::Load_Default_Strings(C);
        return C;
    }();
    return Catalogue;
}

void Set_Counters(benchmark::State& State)
{
    State.counters["file_bytes"] = static_cast<double>(fs::file_size(Folder().File()));
}

// The editor's show and OK: load (SCL copy decoded), then the check and the atomic save.
void BM_Load_And_Save(benchmark::State& State)
{
    const fs::path Out = Folder().Conf / "saved.xml";
    for (auto _ : State) {
        TAccess_Model Model;
        Model.Load(Folder().Conf, Folder().File());
        if (Model.Save(Out, Lang(), '.'))
            State.SkipWithError("the check refused the configuration");
    }
    Set_Counters(State);
}
BENCHMARK(BM_Load_And_Save)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& State)
{
    for (auto _ : State) {
        TAccess_Model Model;
        Model.Load(Folder().Conf, Folder().File());
        benchmark::DoNotOptimize(Model.List_DataSet().size());
    }
    Set_Counters(State);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& State)
{
    TAccess_Model Model;
    Model.Load(Folder().Conf, Folder().File());
    const fs::path Out = Folder().Conf / "saved.xml";
    for (auto _ : State)
        if (Model.Save(Out, Lang(), '.'))
            State.SkipWithError("the check refused the configuration");
    Set_Counters(State);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// The part of a load that is the SCL reader's.
void BM_Decode_Device(benchmark::State& State)
{
    const fs::path Copy = Folder().Conf / ICD_Catalog_Folder / "bench.icd";
    for (auto _ : State) {
        iec61850::TIEC_Device Device(Copy);
        benchmark::DoNotOptimize(Device.List_LDevice.size());
    }
}
BENCHMARK(BM_Decode_Device)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const char* Prefix = "--write-config=";
    if (argc > 1 && std::strncmp(argv[1], Prefix, std::strlen(Prefix)) == 0) {
        bench_access::Write_Large_Configuration(argv[1] + std::strlen(Prefix));
        for (int I = 1; I + 1 < argc; ++I)
            argv[I] = argv[I + 1];
        --argc;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
