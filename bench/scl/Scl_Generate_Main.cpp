// scl-generate: writes a synthetic SCL file for the reader's benchmark.
#include "Scl_Generator.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    CLI::App App{"Writes a synthetic SCL file", "scl-generate"};
    scl_bench::TScl_Shape Shape;
    std::string File;
    double Megabytes = 0;
    bool Single_IED = false;
    App.add_option("FILE", File, "File to write")->required();
    App.add_option("--ieds", Shape.IEDs, "IEDs")->capture_default_str();
    App.add_option("--ldevices", Shape.LDevices, "Logical devices per IED")->capture_default_str();
    App.add_option("--lns", Shape.LNs, "Logical nodes per logical device, besides LLN0")->capture_default_str();
    App.add_option("--depth", Shape.Depth, "Template depth (SDO and BDA nesting levels)")->capture_default_str();
    App.add_option("--types", Shape.Types, "Logical node types (and data object and attribute types each)")
        ->capture_default_str();
    App.add_option("--datasets", Shape.DataSets, "Data sets per logical device")->capture_default_str();
    App.add_option("--fcda", Shape.FCDAs, "FCDA per data set")->capture_default_str();
    App.add_option("--doi", Shape.DOIs, "Instance values (DOI) per logical node")->capture_default_str();
    App.add_option("--mb", Megabytes, "Scale to about this many MB: more IEDs, or with --single more logical devices");
    App.add_flag("--single", Single_IED, "One IED (with --mb)");
    CLI11_PARSE(App, argc, argv);
    if (Megabytes > 0)
        Shape = scl_bench::Scaled_Shape(Shape, static_cast<std::uint64_t>(Megabytes * 1e6), !Single_IED);
    std::vector<char> Buffer(std::size_t{1} << 20);
    std::ofstream Out;
    Out.rdbuf()->pubsetbuf(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
    Out.open(File, std::ios::binary);
    scl_bench::Generate_Scl(Out, Shape);
    Out.close();
    if (!Out) {
        std::cerr << "Error: cannot write " << File << '\n';
        return 1;
    }
    std::cout << File << ": " << Shape.IEDs << " IED, " << Shape.LDevices << " LD/IED, " << Shape.LNs << " LN/LD\n";
    return 0;
}
