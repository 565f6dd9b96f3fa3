// The compile run over the largest access configuration (1400 variables, 40 data sets of 100 members):
// the images in memory, and the images written to the bin folder.
#include "Large_Configuration.h"

#include "image/Compile_Run.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

struct TBench_Folder
{
    fs::path Conf = fs::temp_directory_path() / ("ct40510-bench-compile-" + std::to_string(std::random_device{}()));
    TBench_Folder() { bench_access::Write_Large_Configuration(Conf); }
    ~TBench_Folder()
    {
        std::error_code Ignored;
        fs::remove_all(Conf, Ignored);
    }
};

const TBench_Folder& Folder()
{
    static const TBench_Folder Shared;
    return Shared;
}

void BM_Build_Images(benchmark::State& State)
{
    const fs::path Conf = Folder().Conf;
    std::size_t Bank2 = 0;
    for (auto _ : State) {
        const image::TImages Images = image::Build_Images(Conf / "ParGen.xml", Conf / "IEC_61850_Client.xml", '.');
        Bank2 = Images.Bank2.size();
        benchmark::DoNotOptimize(Images.Bank1.data());
    }
    State.counters["bank2_bytes"] = static_cast<double>(Bank2);
}
BENCHMARK(BM_Build_Images)->Unit(benchmark::kMillisecond);

void BM_Build_And_Save_Images(benchmark::State& State)
{
    const fs::path Conf = Folder().Conf;
    for (auto _ : State)
        image::Save_Images(image::Build_Images(Conf / "ParGen.xml", Conf / "IEC_61850_Client.xml", '.'), Conf);
}
BENCHMARK(BM_Build_And_Save_Images)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
