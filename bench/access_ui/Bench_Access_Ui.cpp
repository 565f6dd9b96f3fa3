// bench_access_ui: the access editor on a large device, on the offscreen platform.
//
//   bench_access_ui [--lns 100] [--dos 100] [--das 10] [--ieds 1] [--doi] [--scl FILE] [--runs 5] [--keep DIR]
//
// Writes a configuration folder whose ICD_Catalog holds one synthetic SCL file (one IED of LNS logical nodes, each
// of DOS data objects of DAS attributes: 100,000 attributes by default; --ieds adds further IEDs that are scanned
// but not decoded, --doi instance values, both only to make the file bigger), or FILE given by --scl, and measures:
//  - the first show (the SCL copy decoded on the worker thread) and the longest time the GUI thread did not get
//    to its event loop meanwhile;
//  - showing again (the copy is unchanged: nothing decoded);
//  - the tree of the device: built, opened to the logical nodes and painted, after choosing the device;
//  - the filter over the tree, and clearing it;
//  - selecting a leaf attribute in the tree.
#include "access/ui/IEC_Tree_Model.h"
#include "access/ui/TFIEC_61850_Access.h"
#include "app/App_State.h"
#include "iec61850/Model.h"
#include "text/Catalogue.h"

#include <CLI/CLI.hpp>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TShape
{
    int LNs = 100;
    int DOs = 100;
    int DAs = 10;
    int IEDs = 1;
    bool DOI = false;
};

const char* const Types[] = {"FLOAT32", "INT32", "BOOLEAN", "Quality", "Timestamp", "Enum", "INT16U", "VisString255"};

void Write_Ied(std::ostream& Out, const std::string& Name, const TShape& Shape)
{
    Out << "<IED name=\"" << Name << "\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD0\">\n"
        << "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">";
    for (int DS = 0; DS < 4; ++DS) {
        Out << "<DataSet name=\"DS" << DS << "\">";
        for (int M = 0; M < 20; ++M)
            Out << "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"" << (M % Shape.LNs) + 1 << "\" doName=\"D"
                << M % Shape.DOs << "\" daName=\"a0\" fc=\"MX\"/>";
        Out << "</DataSet>";
    }
    Out << "<GSEControl name=\"GC0\" datSet=\"DS0\"/></LN0>\n";
    for (int LN = 1; LN <= Shape.LNs; ++LN) {
        Out << "<LN lnClass=\"GGIO\" inst=\"" << LN << "\" lnType=\"GGIO_T\">";
        if (Shape.DOI)
            for (int DO = 0; DO < Shape.DOs; ++DO) {
                Out << "<DOI name=\"D" << DO << "\">";
                for (int DA = 0; DA < Shape.DAs; ++DA)
                    Out << "<DAI name=\"a" << DA << "\"><Val>0</Val></DAI>";
                Out << "</DOI>";
            }
        Out << "</LN>\n";
    }
    Out << "</LDevice></Server></AccessPoint></IED>\n";
}

// One IED whose every logical node has DOs data objects of DAs attributes each: LNs * DOs * DAs attributes.
void Write_Scl(const fs::path& File, const TShape& Shape)
{
    std::ofstream Out(File, std::ios::binary);
    Out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n";
    for (int IED = 0; IED < Shape.IEDs; ++IED)
        Write_Ied(Out, "BENCH" + std::to_string(IED + 1), Shape);
    Out << "<DataTypeTemplates>\n<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Mod\" "
           "type=\"DO_T\"/></LNodeType>\n"
        << "<LNodeType id=\"GGIO_T\" lnClass=\"GGIO\">";
    for (int DO = 0; DO < Shape.DOs; ++DO)
        Out << "<DO name=\"D" << DO << "\" type=\"DO_T\"/>";
    Out << "</LNodeType>\n<DOType id=\"DO_T\" cdc=\"GEN\">";
    for (int DA = 0; DA < Shape.DAs; ++DA)
        Out << "<DA name=\"a" << DA << "\" bType=\"" << Types[DA % 8] << "\" fc=\"MX\"/>";
    Out << "</DOType>\n</DataTypeTemplates>\n</SCL>\n";
}

int Attribute_Count(const iec61850::TIEC_Device& Device)
{
    int Count = 0;
    std::function<void(const iec61850::TIEC_DA&)> Walk_DA = [&](const iec61850::TIEC_DA& DA) {
        ++Count;
        for (const auto& Sub : DA.List_DA)
            Walk_DA(*Sub);
    };
    std::function<void(const iec61850::TIEC_DO&)> Walk_DO = [&](const iec61850::TIEC_DO& DO) {
        for (const auto& Sub : DO.List_DO)
            Walk_DO(*Sub);
        for (const auto& DA : DO.List_DA)
            Walk_DA(*DA);
    };
    for (const auto& LD : Device.List_LDevice)
        for (const auto& LN : LD->List_LN)
            for (const auto& DO : LN->List_DO)
                Walk_DO(*DO);
    return Count;
}

/// The median and the largest of a series, in milliseconds.
std::string Figures(std::vector<double> Times)
{
    std::sort(Times.begin(), Times.end());
    char Text[64];
    std::snprintf(Text, sizeof Text, "median %7.1f ms   max %7.1f ms", Times[Times.size() / 2], Times.back());
    return Text;
}

double Ms(const QElapsedTimer& Clock)
{
    return static_cast<double>(Clock.nsecsElapsed()) / 1e6;
}

/// The longest time between two ticks of a 5 ms timer while Work runs: how long the GUI thread kept away from its
/// event loop (painting included).
double Longest_Gap(const std::function<void()>& Work)
{
    QElapsedTimer Since;
    double Longest = 0;
    QTimer Tick;
    Tick.setInterval(5);
    QObject::connect(&Tick, &QTimer::timeout, [&] {
        Longest = std::max(Longest, Ms(Since));
        Since.restart();
    });
    Since.start();
    Tick.start();
    Work();
    Longest = std::max(Longest, Ms(Since));
    return Longest;
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    CLI::App Cli{"The access editor on a large device", "bench_access_ui"};
    TShape Shape;
    std::string Scl;
    std::string Keep;
    int Runs = 5;
    Cli.add_option("--lns", Shape.LNs, "Logical nodes")->capture_default_str();
    Cli.add_option("--dos", Shape.DOs, "Data objects per logical node")->capture_default_str();
    Cli.add_option("--das", Shape.DAs, "Attributes per data object")->capture_default_str();
    Cli.add_option("--ieds", Shape.IEDs, "IEDs in the file (only the first is decoded)")->capture_default_str();
    Cli.add_flag("--doi", Shape.DOI, "Instance values for every attribute (a bigger file)");
    Cli.add_option("--scl", Scl, "Use this SCL file (its first IED) instead of the synthetic one");
    Cli.add_option("--runs", Runs, "Repetitions of each measurement")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    Cli.add_option("--keep", Keep, "Write the configuration folder here and keep it");
    CLI11_PARSE(Cli, argc, argv);

    QApplication App(argc, argv);
    const fs::path Root =
        Keep.empty() ? fs::temp_directory_path() / ("ct40510-bench-access-ui-" + std::to_string(std::random_device{}()))
                     : fs::path(Keep);
    const fs::path Conf = Root / "PROJECTS" / "Bench";
    fs::create_directories(Conf / "ICD_Catalog");
    const std::string File_Name = Scl.empty() ? "Bench.scd" : fs::path(Scl).filename().string();
    const fs::path Copy = Conf / "ICD_Catalog" / File_Name;
    if (Scl.empty())
        Write_Scl(Copy, Shape);
    else
        fs::copy_file(Scl, Copy, fs::copy_options::overwrite_existing);
    std::ofstream(Conf / "IEC_61850_Client.xml", std::ios::binary)
        << "<IEC_68850_Client><List_ICD_Files><ICD_File Name=\"\" FileName=\"" << File_Name
        << "\"/></List_ICD_Files><List_DA_Selected/><List_DataSet_Selected/></IEC_68850_Client>";

    app::TApp_State State;
    text::Load_Default_Strings(State.Lang_Strings);
    State.Conf_Path = Conf;
    State.File_IEC_61850_Client = Conf / "IEC_61850_Client.xml";
    ct::access::TFIEC_61850_Access Window(State);
    Window.show();
    QApplication::processEvents();

    std::printf("SCL copy: %s, %.1f MB\n", Copy.string().c_str(), static_cast<double>(fs::file_size(Copy)) / 1e6);

    // First show: the copy is decoded on the worker thread.
    QElapsedTimer Clock;
    double First = 0;
    const double First_Gap = Longest_Gap([&] {
        Clock.start();
        Window.FormShow();
        First = Ms(Clock);
    });
    iec61850::TIEC_Device* Device = Window.Model().Device(0);
    if (!Device) {
        std::fprintf(stderr, "Error: the device was not decoded\n");
        return 1;
    }
    std::printf("device %s: %d attributes\n", Device->Name().c_str(), Attribute_Count(*Device));
    std::printf("first show (decoding)            %7.1f ms   longest GUI thread gap %5.1f ms\n", First, First_Gap);

    // Showing again: the copy is unchanged.
    const auto Decodes = Window.Model().Decode_Count();
    std::vector<double> Again;
    for (int Run = 0; Run < Runs; ++Run) {
        Clock.start();
        Window.FormShow();
        Again.push_back(Ms(Clock));
    }
    std::printf("show again (copy unchanged)      %s   decoded again: %llu\n", Figures(Again).c_str(),
                static_cast<unsigned long long>(Window.Model().Decode_Count() - Decodes));

    // The tree: choose the device, build, open to the logical nodes, paint.
    std::vector<double> Tree;
    for (int Run = 0; Run < Runs; ++Run) {
        Window.LB_IEC_Devices->setCurrentRow(-1);
        QApplication::processEvents();
        Clock.start();
        Window.LB_IEC_Devices->setCurrentRow(0);
        Window.TV_IEC_Device->viewport()->repaint();
        Tree.push_back(Ms(Clock));
        QApplication::processEvents();
    }
    std::printf("tree shown (%d nodes)        %s\n", Window.Tree_Model().Node_Count(), Figures(Tree).c_str());

    // The filter, and clearing it.
    std::vector<double> Filter;
    std::vector<double> Clear;
    for (int Run = 0; Run < Runs; ++Run) {
        Clock.start();
        Window.E_Tree_Filter->setText(QStringLiteral("D42.a3"));
        Window.Apply_Filter();
        Window.TV_IEC_Device->viewport()->repaint();
        Filter.push_back(Ms(Clock));
        Clock.start();
        Window.E_Tree_Filter->clear();
        Window.Apply_Filter();
        Window.TV_IEC_Device->viewport()->repaint();
        Clear.push_back(Ms(Clock));
        QApplication::processEvents();
    }
    Window.E_Tree_Filter->setText(QStringLiteral("D42.a3"));
    Window.Apply_Filter();
    std::printf("filter \"D42.a3\" (%d nodes shown) %s\n", Window.Tree_Model().Shown_Count(), Figures(Filter).c_str());
    Window.E_Tree_Filter->clear();
    Window.Apply_Filter();
    std::printf("filter cleared                   %s\n", Figures(Clear).c_str());

    // Selecting the last leaf of the tree (the selection rule walks the device to find it).
    const auto& Last_LN = *Device->List_LDevice.back()->List_LN.back();
    if (!Last_LN.List_DO.empty() && !Last_LN.List_DO.back()->List_DA.empty()) {
        const auto* Leaf = Last_LN.List_DO.back()->List_DA.back().get();
        std::vector<double> Select;
        for (int Run = 0; Run < Runs; ++Run) {
            Window.TV_IEC_Device->setCurrentIndex({});
            Clock.start();
            Window.TV_IEC_Device->setCurrentIndex(Window.Tree_Model().Index_Of(Leaf->TreeNode));
            Select.push_back(Ms(Clock));
        }
        std::printf("leaf selected                    %s   (%s)\n", Figures(Select).c_str(),
                    Window.Model().Selected_IEC_DA() ? "selected" : "NOT selected");
    }

    Window.hide();
    if (Keep.empty()) {
        std::error_code Ignored;
        fs::remove_all(Root, Ignored);
    }
    return 0;
}
