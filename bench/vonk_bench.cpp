// The library's stages measured one at a time on generated windows of N controls, through
// the headless backend with its journal and pixel work off: pugixml's load of the same
// file (the floor), making the same controls bare (what their size alone costs), building
// the tree, attaching it to the window, the first layout, the frame after one control
// changes size, a paint of the whole window, a hit test and the tear-down. After the runs
// a summary gives each stage per control, as a multiple of the load, and its growth; then
// a check that unchanged frames paint nothing.
//
//   vonk-bench [--sizes=100,1000,10000,100000] [Google Benchmark flags]

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include <headless.h>
#include <pugixml.hpp>
#include <vonk-ui.h>

#include "markup.h"

namespace fs = std::filesystem;

namespace {

class BenchWindow : public CUIWindow {
public:
    CUIString GetSkinFolder() override { return CUIString(); }
};

BenchWindow* g_window = nullptr;
fs::path g_dir;

CUIString Wide(const std::string& text) { return CUIString(std::wstring(text.begin(), text.end()).c_str()); }

std::string MarkupFile(int controls) { return "window-" + std::to_string(controls) + ".xml"; }

// Paints frames until the window asks for none; answers how many it painted.
int PaintUntilQuiet()
{
    int frames = 0;
    while (frames < 16 && headless::PaintFrame())
        ++frames;
    return frames;
}

// What an application does to drop a window's tree, attached or not: every control of the
// tree is deleted, and the window forgets each one.
void DropTree(CUIControl* root)
{
    DeleteControlTree(root);
}

CUIControl* Build(int controls)
{
    CDialogBuilder builder;
    return builder.Create(Wide(MarkupFile(controls)), g_window, nullptr);
}

// Builds, attaches and paints the window of n controls; the tree stays until Drop.
CUIControl* Show(int controls)
{
    CUIControl* root = Build(controls);
    g_window->AttachDlg(root);
    g_window->NeedUpdate();
    PaintUntilQuiet();
    return root;
}

template <typename Work>
double Seconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times one frame, adding the draw calls that it made to draws.
double TimedFrame(size_t& draws)
{
    const size_t before = headless::DrawCalls();
    const double seconds = Seconds([] { headless::PaintFrame(); });
    draws += headless::DrawCalls() - before;
    return seconds;
}

void ReportDraws(benchmark::State& state, size_t draws)
{
    state.counters["draws"] = benchmark::Counter(static_cast<double>(draws), benchmark::Counter::kAvgIterations);
}

void Load(benchmark::State& state)
{
    const std::wstring path = (g_dir / MarkupFile(static_cast<int>(state.range(0)))).wstring();
    for (auto _ : state) {
        pugi::xml_document document;
        state.SetIterationTime(Seconds([&] { benchmark::DoNotOptimize(document.load_file(path.c_str())); }));
    }
}

// The names of the elements below node that make controls, in document order.
void ElementNames(const pugi::xml_node& node, std::vector<CUIString>& names)
{
    for (const pugi::xml_node child : node.children()) {
        if (std::wcscmp(child.name(), L"Default") == 0 || std::wcscmp(child.name(), L"Style") == 0)
            continue;
        names.emplace_back(child.name());
        ElementNames(child, names);
    }
}

// The floor that the controls themselves set: making the same controls as the file
// names, by element name, with no attributes and no tree.
void Construct(benchmark::State& state)
{
    const std::wstring path = (g_dir / MarkupFile(static_cast<int>(state.range(0)))).wstring();
    pugi::xml_document document;
    document.load_file(path.c_str());
    std::vector<CUIString> names;
    ElementNames(document.document_element(), names);
    std::vector<CUIControl*> made(names.size());
    for (auto _ : state) {
        state.SetIterationTime(Seconds([&] {
            for (size_t i = 0; i < names.size(); ++i)
                made[i] = CDialogBuilder::CreateControlByClass(names[i]);
        }));
        for (CUIControl* control : made)
            delete control;
    }
}

void BuildTree(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CUIControl* root = nullptr;
        state.SetIterationTime(Seconds([&] { root = Build(n); }));
        if (root == nullptr) {
            state.SkipWithError("the markup did not build");
            return;
        }
        DropTree(root);
    }
}

// The window takes a built tree: every control gets the window and its parent, and the
// named ones enter the window's name map.
void Attach(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CUIControl* root = Build(n);
        state.SetIterationTime(Seconds([&] { g_window->AttachDlg(root); }));
        DropTree(root);
    }
}

// The window's first relayout of a new tree: a frame with nothing to repaint yet.
void FirstLayout(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    size_t draws = 0;
    for (auto _ : state) {
        CUIControl* root = Build(n);
        g_window->AttachDlg(root);
        g_window->NeedUpdate();
        state.SetIterationTime(TimedFrame(draws));
        PaintUntilQuiet();
        DropTree(root);
    }
    ReportDraws(state, draws);
}

// One deep control changes its width; the frame that follows lays out again and paints
// what that invalidated.
void Relayout(benchmark::State& state)
{
    CUIControl* root = Show(static_cast<int>(state.range(0)));
    // A leaf at the bottom of the tree: down the last subtrees, then the first child.
    CUIControl* parent = root;
    while (parent->GetItemAt(parent->GetCount() - 1)->GetCount() > 0)
        parent = parent->GetItemAt(parent->GetCount() - 1);
    CUIControl* leaf = parent->GetItemAt(0);
    size_t draws = 0;
    int width = 30;
    for (auto _ : state) {
        width = width == 30 ? 31 : 30;
        leaf->SetFixedWidth(width);
        state.SetIterationTime(TimedFrame(draws));
        PaintUntilQuiet();
    }
    ReportDraws(state, draws);
    DropTree(root);
}

void PaintWindow(benchmark::State& state)
{
    CUIControl* root = Show(static_cast<int>(state.range(0)));
    tagSIZE size{};
    g_window->GetSize(size);
    size_t draws = 0;
    for (auto _ : state) {
        g_window->Invalidate(CUIRect(0, 0, size.cx, size.cy));
        state.SetIterationTime(TimedFrame(draws));
    }
    ReportDraws(state, draws);
    DropTree(root);
}

void HitTest(benchmark::State& state)
{
    CUIControl* root = Show(static_cast<int>(state.range(0)));
    tagSIZE size{};
    g_window->GetSize(size);
    int64_t step = 0;
    for (auto _ : state) {
        // Points spread over the whole window, a different one each time.
        step = (step + 7919) % (size.cx * size.cy);
        const tagPOINT pt{step % size.cx, step / size.cx};
        state.SetIterationTime(Seconds([&] { benchmark::DoNotOptimize(g_window->FindControl(pt)); }));
    }
    DropTree(root);
}

void TearDown(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CUIControl* root = Show(n);
        state.SetIterationTime(Seconds([&] { DropTree(root); }));
    }
}

struct Stage {
    const char* name;
    void (*run)(benchmark::State&);
};

const Stage kStages[] = {
    {"load", Load},         {"construct", Construct}, {"build", BuildTree}, {"attach", Attach}, {"layout", FirstLayout},
    {"relayout", Relayout}, {"paint", PaintWindow},   {"hittest", HitTest}, {"teardown", TearDown},
};

// Keeps every run's time per iteration, by stage and size, for the summary.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            const int n = std::atoi(run.run_name.args.c_str());
            seconds[run.run_name.function_name][n] = run.real_accumulated_time / static_cast<double>(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, std::map<int, double>> seconds;
};

// A frame after nothing changed, and after the pointer crossed controls that do not
// change their look, must not paint.
void CheckQuietFrames(int n)
{
    CUIControl* root = Show(n);
    const size_t drawn = headless::DrawCalls();
    const bool painted = headless::PaintFrame();
    MsgButtonParam param{};
    param.type = EVENT_MOUSEMOVE;
    for (int x = 0; x < 1280; x += 97) {
        param.x = param.root_x = x;
        param.y = param.root_y = x / 2;
        g_window->OnMouseMove(param);
    }
    const bool paintedAfterMoves = headless::PaintFrame();
    std::printf("\nunchanged frame, %d controls: %s; after pointer moves: %s; draw calls: %zu\n", n,
                painted ? "painted" : "nothing painted", paintedAfterMoves ? "painted" : "nothing painted",
                headless::DrawCalls() - drawn);
    DropTree(root);
}

void PrintSummary(const Collector& results, const std::vector<int>& sizes)
{
    const auto& all = results.seconds;
    const auto load = all.find("load");
    std::printf("\n%-9s %9s %14s %12s %10s %8s\n", "stage", "controls", "total", "per control", "x load",
                "growth");
    for (const Stage& stage : kStages) {
        const auto found = all.find(stage.name);
        if (found == all.end())
            continue;
        double previous = 0;
        int previousN = 0;
        for (int n : sizes) {
            const auto at = found->second.find(n);
            if (at == found->second.end())
                continue;
            const double s = at->second;
            char ratio[32] = "-";
            if (load != all.end() && load->second.count(n) && std::strcmp(stage.name, "load") != 0)
                std::snprintf(ratio, sizeof ratio, "%.2f", s / load->second.at(n));
            char growth[32] = "-";
            if (previousN > 0)
                std::snprintf(growth, sizeof growth, "%.2f", (s / n) / (previous / previousN));
            std::printf("%-9s %9d %11.1f us %9.1f ns %10s %8s\n", stage.name, n, s * 1e6, s / n * 1e9, ratio,
                        growth);
            previous = s;
            previousN = n;
        }
    }
    std::printf("(per control: over all the window's controls. relayout: the frame after one control changes\n"
                " size; hittest: one lookup, along one path of the tree. growth: the time per control against\n"
                " the previous size's, 1.00 being linear.)\n");
}

std::vector<int> ParseSizes(int& argc, char** argv)
{
    std::vector<int> sizes{100, 1000, 10000, 100000};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--sizes=", 8) != 0)
            continue;
        sizes.clear();
        for (const char* p = argv[i] + 8; *p;) {
            char* end = nullptr;
            const long n = std::strtol(p, &end, 10);
            if (end == p)
                break;
            if (n > 0)
                sizes.push_back(static_cast<int>(n));
            p = *end == ',' ? end + 1 : end;
        }
        for (int j = i; j + 1 < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        break;
    }
    return sizes;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<int> sizes = ParseSizes(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    setenv("SPDLOG_LEVEL", "off", 0);
    if (!CUIPlatfrom::Init("#DLOPEN_CALLER_PATH#/libvonk-headless.so")) {
        std::fprintf(stderr, "vonk-bench: the headless backend did not load\n");
        return 1;
    }
    headless::EnableJournal(false);
    headless::EnableRendering(false);

    g_dir = fs::temp_directory_path() / ("vonk-bench-" + std::to_string(getpid()));
    fs::create_directories(g_dir);
    fs::copy_file(VONK_BENCH_IMAGE, g_dir / "image.png", fs::copy_options::overwrite_existing);
    for (int n : sizes)
        std::ofstream(g_dir / MarkupFile(n)) << bench::WindowMarkup(n);
    CResourceMgr::SetResourePath(Wide(g_dir.string()));

    BenchWindow window;
    g_window = &window;
    window.Create(0, 0, 1280, 800);
    window.Show(true);

    for (const Stage& stage : kStages) {
        for (int n : sizes) {
            benchmark::RegisterBenchmark(stage.name, stage.run)
                ->Arg(n)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    Collector results;
    benchmark::RunSpecifiedBenchmarks(&results);
    PrintSummary(results, sizes);
    CheckQuietFrames(sizes.back());

    g_window = nullptr;
    fs::remove_all(g_dir);
    benchmark::Shutdown();
    return 0;
}
