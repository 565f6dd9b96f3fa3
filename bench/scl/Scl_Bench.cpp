// bench_scl: decode time, throughput and peak resident memory of the SCL reader on generated SCD files, against a
// plain pugixml parse of the same file. Every measurement runs in a fresh process (this program started again with
// --child), so each peak is that of one decode alone.
#include "Scl_Generator.h"

#include "iec61850/Model.h"
#include "iec61850/Scl_Reader.h"

#include <CLI/CLI.hpp>
#include <pugixml.hpp>

#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

/// The peak resident set of this process so far, in kB (VmHWM).
long Peak_Kb()
{
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmHWM:", 0) == 0)
            return std::stol(Line.substr(6));
    return -1;
}

struct TCount
{
    std::size_t LNs = 0, DAs = 0;
};

void Count(const iec61850::TIEC_DA& DA, TCount& Total)
{
    ++Total.DAs;
    for (const auto& BDA : DA.List_DA)
        Count(*BDA, Total);
}

void Count(const iec61850::TIEC_DO& DO, TCount& Total)
{
    for (const auto& SDO : DO.List_DO)
        Count(*SDO, Total);
    for (const auto& DA : DO.List_DA)
        Count(*DA, Total);
}

/// The processor time (user and system) of this process so far, in seconds.
double Cpu_Seconds()
{
    struct rusage Usage
    {};
    ::getrusage(RUSAGE_SELF, &Usage);
    return static_cast<double>(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
           static_cast<double>(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e6;
}

/// The bytes the heap has handed out and not taken back.
std::size_t Heap_Bytes()
{
    const struct mallinfo2 Info = ::mallinfo2();
    return Info.uordblks + Info.hblkhd;
}

/// One measurement in this process: prints "seconds peak_kB base_kB LNs DAs kept_bytes", kept_bytes being the heap
/// still in use once the decode is over (the device tree alone: the parsed parts are gone by then).
int Child(const std::string& What, const std::string& File)
{
    const long Base = Peak_Kb();
    const std::size_t Heap_Before = Heap_Bytes();
    TCount Total;
    const double Cpu_Start = Cpu_Seconds();
    const auto Start = std::chrono::steady_clock::now();
    double Seconds = 0;
    if (What == "scan") {
        // The well-formedness check of the whole file and the list of its IEDs, nothing kept.
        const std::vector<std::string> Names = iec61850::List_IED_Names(File);
        Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
        Total.LNs = Names.size();
    } else if (What == "pugixml") {
        pugi::xml_document Doc;
        const pugi::xml_parse_result Result = Doc.load_file(File.c_str(), pugi::parse_default);
        Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
        if (!Result)
            return 2;
    } else {
        const auto Mode =
            What == "whole" ? iec61850::TScl_Read_Mode::Whole_Document : iec61850::TScl_Read_Mode::Needed_Parts;
        // The device is left to the end of the process: only the decode is timed, not its destruction.
        auto* Device = new iec61850::TIEC_Device(File, {}, Mode);
        Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
        for (const auto& LDevice : Device->List_LDevice)
            for (const auto& LN : LDevice->List_LN) {
                ++Total.LNs;
                for (const auto& DO : LN->List_DO)
                    Count(*DO, Total);
            }
    }
    const double Cpu = Cpu_Seconds() - Cpu_Start;
    const std::size_t Kept = Heap_Bytes() - Heap_Before;
    std::printf("%.6f %ld %ld %zu %zu %zu %.6f\n", Seconds, Peak_Kb(), Base, Total.LNs, Total.DAs, Kept, Cpu);
    std::fflush(stdout);
    std::_Exit(0);
}

struct TResult
{
    double Seconds = 1e30;
    long Peak_Kb = 0;
    long Base_Kb = 0;
    std::size_t LNs = 0, DAs = 0;
    std::size_t Kept_Bytes = 0;
    double Cpu_Seconds = 1e30;
};

/// Runs one measurement in a fresh process Runs times: the best time, the highest peak.
TResult Measure(const std::string& What, const std::string& File, int Runs)
{
    TResult Best;
    for (int Run = 0; Run < Runs; ++Run) {
        int Pipe[2];
        if (::pipe(Pipe) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t Actions;
        posix_spawn_file_actions_init(&Actions);
        posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 1);
        posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
        std::string Self = std::filesystem::read_symlink("/proc/self/exe").string();
        std::string Child_Flag = "--child", What_Copy = What, File_Copy = File;
        char* Arguments[] = {Self.data(), Child_Flag.data(), What_Copy.data(), File_Copy.data(), nullptr};
        pid_t Pid = 0;
        if (posix_spawn(&Pid, Self.c_str(), &Actions, nullptr, Arguments, environ) != 0)
            throw std::runtime_error("cannot start the measuring process");
        posix_spawn_file_actions_destroy(&Actions);
        ::close(Pipe[1]);
        std::string Output;
        char Chunk[256];
        for (ssize_t Got; (Got = ::read(Pipe[0], Chunk, sizeof Chunk)) > 0;)
            Output.append(Chunk, static_cast<std::size_t>(Got));
        ::close(Pipe[0]);
        int Status = 0;
        ::waitpid(Pid, &Status, 0);
        if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
            throw std::runtime_error("the measuring process failed on " + File);
        std::istringstream In(Output);
        TResult One;
        In >> One.Seconds >> One.Peak_Kb >> One.Base_Kb >> One.LNs >> One.DAs >> One.Kept_Bytes >> One.Cpu_Seconds;
        Best.Seconds = std::min(Best.Seconds, One.Seconds);
        Best.Cpu_Seconds = std::min(Best.Cpu_Seconds, One.Cpu_Seconds);
        Best.Peak_Kb = std::max(Best.Peak_Kb, One.Peak_Kb);
        Best.Base_Kb = One.Base_Kb;
        Best.LNs = One.LNs;
        Best.DAs = One.DAs;
        Best.Kept_Bytes = One.Kept_Bytes;
    }
    return Best;
}

std::string Size_Text(double Size)
{
    char Text[32];
    std::snprintf(Text, sizeof Text, "%g", Size);
    return Text;
}

void Warm_Cache(const std::string& File)
{
    std::ifstream In(File, std::ios::binary);
    std::vector<char> Chunk(std::size_t{1} << 20);
    while (In.read(Chunk.data(), static_cast<std::streamsize>(Chunk.size())) || In.gcount() > 0) {
    }
}

struct TRow
{
    std::string Label;
    double MB;
    TResult Decode, Pugixml;
};

void Print_Header()
{
    std::printf("%-28s %7s %9s %7s %8s %7s %8s %8s %9s %8s %8s %9s %6s %8s %s\n", "file", "MB", "decode s", "MB/s",
                "s/MB", "cpu s", "cpu s/MB", "peak MB", "peak/size", "tree MB", "rest MB", "pugixml s", "ratio",
                "pugi MB", "LN/DA");
    std::printf("  (peak: the whole process; tree: the device tree left after the decode; rest: peak - tree - the "
                "process before decoding)\n");
}

void Print_Row(const TRow& Row)
{
    const double Peak_MB = static_cast<double>(Row.Decode.Peak_Kb) * 1024 / 1e6;
    const double Tree_MB = static_cast<double>(Row.Decode.Kept_Bytes) / 1e6;
    const double Rest_MB = Peak_MB - Tree_MB - static_cast<double>(Row.Decode.Base_Kb) * 1024 / 1e6;
    std::printf("%-28s %7.1f %9.3f %7.1f %8.4f %7.3f %8.4f %8.1f %9.2f %8.1f %8.1f %9.3f %6.2f %8.1f %zu/%zu\n",
                Row.Label.c_str(), Row.MB, Row.Decode.Seconds, Row.MB / Row.Decode.Seconds, Row.Decode.Seconds / Row.MB,
                Row.Decode.Cpu_Seconds, Row.Decode.Cpu_Seconds / Row.MB, Peak_MB, Peak_MB / Row.MB, Tree_MB, Rest_MB,
                Row.Pugixml.Seconds, Row.Decode.Seconds / Row.Pugixml.Seconds,
                static_cast<double>(Row.Pugixml.Peak_Kb) * 1024 / 1e6, Row.Decode.LNs, Row.Decode.DAs);
    std::fflush(stdout);
}

TRow Measure_File(const std::string& Label, const std::string& File, int Runs)
{
    Warm_Cache(File);
    TRow Row{Label, static_cast<double>(std::filesystem::file_size(File)) / 1e6, {}, {}};
    Row.Decode = Measure("decode", File, Runs);
    Row.Pugixml = Measure("pugixml", File, Runs);
    return Row;
}

/// The memory bound, the ratio to pugixml, and the time per MB over the rows of one kind of file (smallest file
/// first): within 20 % of the smallest file's is flat; falling means the fixed part (the decoded IED) weighs less
/// in larger files; growing by more than 20 % means something grows faster than the file.
bool Check(const std::vector<TRow>& Rows, double Peak_Bound, bool Ratio_Bound)
{
    if (Rows.empty())
        return true;
    bool Met = true;
    for (const TRow& Row : Rows) {
        const double Peak = static_cast<double>(Row.Decode.Peak_Kb) * 1024 / 1e6 / Row.MB;
        if (Peak > Peak_Bound) {
            std::printf("  MISSED: %s peak memory %.2f x the file size (at most %.1f)\n", Row.Label.c_str(), Peak,
                        Peak_Bound);
            Met = false;
        }
        if (Ratio_Bound && Row.Decode.Seconds > Row.Pugixml.Seconds) {
            std::printf("  MISSED: %s decode %.2f x a pugixml parse (at most 1.0)\n", Row.Label.c_str(),
                        Row.Decode.Seconds / Row.Pugixml.Seconds);
            Met = false;
        }
    }
    bool Flat = true;
    for (const bool Cpu : {false, true}) {
        const auto Per_MB = [&](const TRow& Row) {
            return (Cpu ? Row.Decode.Cpu_Seconds : Row.Decode.Seconds) / Row.MB;
        };
        const double First = Per_MB(Rows.front());
        double Highest = 0, Lowest = 1e30;
        for (const TRow& Row : Rows) {
            Highest = std::max(Highest, Per_MB(Row) / First);
            Lowest = std::min(Lowest, Per_MB(Row) / First);
        }
        const char* Verdict = Highest > 1.2 ? "GROWS" : Lowest < 0.8 ? "falls" : "flat";
        std::printf("  %s time per MB against the smallest file: from %.0f %% to %.0f %%: %s\n",
                    Cpu ? "processor" : "wall", 100 * Lowest, 100 * Highest, Verdict);
        if (Cpu)
            Flat = Highest <= 1.2;
    }
    return Met && Flat;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--child")
        return Child(argv[2], argv[3]);

    CLI::App App{"SCL reader benchmark", "bench_scl"};
    std::string Folder = (std::filesystem::temp_directory_path() / "ct_scl_bench").string();
    std::vector<double> Sizes{10, 100, 300};
    std::vector<std::string> Kinds{"scd", "icd"};
    std::vector<std::string> Files;
    int Runs = 3;
    bool Keep = false;
    App.add_option("--dir", Folder, "Folder for the generated files")->capture_default_str();
    App.add_option("--sizes", Sizes, "File sizes in MB")->delimiter(',');
    App.add_option("--kinds", Kinds, "scd: many IEDs, the first decoded; icd: one IED")->delimiter(',');
    App.add_option("--runs", Runs, "Runs per measurement (best time, highest peak)")->capture_default_str();
    App.add_option("--file", Files, "Measure these files instead of generated ones");
    App.add_flag("--keep", Keep, "Keep the generated files");
    bool Also_Whole = false, Also_Scan = false;
    App.add_flag("--whole", Also_Whole, "With --file: also decode from a whole-document parse");
    App.add_flag("--scan", Also_Scan, "With --file: also time the scan alone (well-formedness and IED names)");
    CLI11_PARSE(App, argc, argv);

    Print_Header();
    if (!Files.empty()) {
        for (const std::string& File : Files) {
            const TRow Row = Measure_File(std::filesystem::path(File).filename().string(), File, Runs);
            Print_Row(Row);
            if (Also_Whole) {
                TRow Whole = Row;
                Whole.Label = "  whole document";
                Whole.Decode = Measure("whole", File, Runs);
                Print_Row(Whole);
            }
            if (Also_Scan) {
                const TResult Scan = Measure("scan", File, Runs);
                std::printf("  scan only (well-formedness and IED names): %.3f s, %.1f MB/s, peak %.1f MB, %zu IED\n",
                            Scan.Seconds, Row.MB / Scan.Seconds, static_cast<double>(Scan.Peak_Kb) * 1024 / 1e6,
                            Scan.LNs);
            }
        }
        return 0;
    }
    std::filesystem::create_directories(Folder);
    bool All_Met = true;
    for (const std::string& Kind : Kinds) {
        std::vector<TRow> Rows;
        for (const double Size : Sizes) {
            const scl_bench::TScl_Shape Shape =
                scl_bench::Scaled_Shape({}, static_cast<std::uint64_t>(Size * 1e6), Kind == "scd");
            const std::string File =
                (std::filesystem::path(Folder) / (Kind + "_" + Size_Text(Size) + "MB." + Kind)).string();
            if (!std::filesystem::exists(File)) {
                std::vector<char> Buffer(std::size_t{1} << 20);
                std::ofstream Out;
                Out.rdbuf()->pubsetbuf(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
                Out.open(File, std::ios::binary);
                scl_bench::Generate_Scl(Out, Shape);
            }
            Rows.push_back(Measure_File(std::filesystem::path(File).filename().string(), File, Runs));
            Print_Row(Rows.back());
            if (!Keep)
                std::filesystem::remove(File);
        }
        All_Met = Check(Rows, Kind == "scd" ? 1.5 : 3.0, Kind == "scd") && All_Met;
    }
    std::printf("%s\n", All_Met ? "all targets met" : "some targets missed");
    return 0;
}
