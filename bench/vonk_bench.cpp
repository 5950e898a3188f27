// The library's stages measured one at a time on generated windows of N controls, through
// the headless backend with its journal and pixel work off: pugixml's load of the same
// file (the floor), making the same controls bare (what their size alone costs), building
// the tree, attaching it to the window, the first layout, the layout work of the frame
// after one control changes size and, apart, that frame's repaint of what the change
// invalidated, a paint of the whole window, a hit test and the tear-down; and the frame
// after one control changes size in a scrolled list of which only a window's worth shows,
// and that list's tear-down; last, the tear-down of a tree as deep as the bound allows, shown
// and after its window let it go.
// Freed memory stays in the process between iterations, and the heap grows to twice the
// largest window's size before the runs, so that the kernel's first touch of a page is not
// timed; each stage reports the page faults that it still takes. After the runs a summary
// gives each stage per control, as a multiple of the load, and its growth; then the goals,
// each met or missed, and a check that unchanged frames paint nothing.
//
//   vonk-bench [--sizes=100,1000,10000,100000] [Google Benchmark flags]

#include <benchmark/benchmark.h>

#include <algorithm>
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

#include <climits>

#include <malloc.h>
#include <sys/resource.h>
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

std::string ListFile(int controls) { return "list-" + std::to_string(controls) + ".xml"; }

// The page faults taken in the timed parts of the running stage.
long g_faults = 0;

long MinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

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

CUIControl* Build(const std::string& file)
{
    CDialogBuilder builder;
    return builder.Create(Wide(file), g_window, nullptr);
}

CUIControl* Build(int controls) { return Build(MarkupFile(controls)); }

// Builds, attaches and paints the window of that file; the tree stays until Drop.
CUIControl* Show(const std::string& file)
{
    CUIControl* root = Build(file);
    g_window->AttachDlg(root);
    g_window->NeedUpdate();
    PaintUntilQuiet();
    return root;
}

CUIControl* Show(int controls) { return Show(MarkupFile(controls)); }

template <typename Work>
double Seconds(Work&& work)
{
    const long faults = MinorFaults();
    const auto start = std::chrono::steady_clock::now();
    work();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_faults += MinorFaults() - faults;
    return seconds;
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

// Times one frame that only lays out, adding the draw calls that it made to draws.
double TimedLayoutFrame(size_t& draws)
{
    const size_t before = headless::DrawCalls();
    const double seconds = Seconds([] { headless::LayoutFrame(); });
    draws += headless::DrawCalls() - before;
    return seconds;
}

// What of the frames after a control changes its width is timed.
enum class FramePart {
    Whole,   // the frame, laying out and painting
    Layout,  // the frame's layout work alone, with nothing painted
    Paint,   // the repaint of what the change and its layout invalidated
};

// Times the frames after control changes its width, a pixel at a time.
void TimeWidthChanges(benchmark::State& state, CUIControl* control, FramePart part)
{
    size_t draws = 0;
    int width = 30;
    for (auto _ : state) {
        width = width == 30 ? 31 : 30;
        control->SetFixedWidth(width);
        if (part == FramePart::Whole) {
            state.SetIterationTime(TimedFrame(draws));
        } else if (part == FramePart::Layout) {
            state.SetIterationTime(TimedLayoutFrame(draws));
        } else {
            headless::LayoutFrame();
            state.SetIterationTime(TimedFrame(draws));
        }
        PaintUntilQuiet();
    }
    ReportDraws(state, draws);
}

// Times the frames after one deep control of the generated window changes its width.
void TimeDeepWidthChanges(benchmark::State& state, FramePart part)
{
    CUIControl* root = Show(static_cast<int>(state.range(0)));
    // A leaf at the bottom of the tree: down the last subtrees, then the first child.
    CUIControl* parent = root;
    while (parent->GetItemAt(parent->GetCount() - 1)->GetCount() > 0)
        parent = parent->GetItemAt(parent->GetCount() - 1);
    TimeWidthChanges(state, parent->GetItemAt(0), part);
    DropTree(root);
}

// One deep control changes its width; the frame that follows lays out again, and here
// paints nothing: the layout work alone.
void Relayout(benchmark::State& state) { TimeDeepWidthChanges(state, FramePart::Layout); }

// The same change; the frame after the layout paints what the change invalidated, its
// parent's whole rectangle, over which the subtrees of the generated window all lie.
void Repaint(benchmark::State& state) { TimeDeepWidthChanges(state, FramePart::Paint); }

// A leaf of the last row of a scrolled list changes its width: its row is laid out
// again, out of sight, and the frame draws nothing.
void ScrolledRelayout(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CUIControl* root = Show(ListFile(n));
    CUIControl* row = root->GetItemAt(root->GetCount() - 1);
    TimeWidthChanges(state, row->GetItemAt(0), FramePart::Whole);
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

// The tear-down of the scrolled list's window, whose list holds a tenth of its controls
// as rows: deleting them must take no longer per row however many there are.
void ListTearDown(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CUIControl* root = Show(ListFile(n));
        state.SetIterationTime(Seconds([&] { DropTree(root); }));
    }
}

// The documented bound on a tree's depth (docs/markup.md, "Limits").
constexpr int kMaxTreeDepth = 256;

// A tree of n controls as deep as the bound allows, made with Add as an application makes
// one and shown in the window: a chain of columns, and every other control a leaf below the
// deepest, where deleting one has the most ancestors above it.
CUIControl* DeepTree(int n)
{
    CUIControl* root = new CUIVerticalLayout;
    CUIControl* deepest = root;
    const int chain = std::min(n, kMaxTreeDepth - 1);
    for (int level = 1; level < chain; ++level) {
        CUIControl* below = new CUIVerticalLayout;
        deepest->Add(below);
        deepest = below;
    }
    for (int leaf = chain; leaf < n; ++leaf)
        deepest->Add(new CUIControl);
    g_window->AttachDlg(root);
    g_window->NeedUpdate();
    PaintUntilQuiet();
    return root;
}

// The tear-down of that tree shown in the window.
void DeepTearDown(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CUIControl* root = DeepTree(n);
        state.SetIterationTime(Seconds([&] { DropTree(root); }));
    }
}

// The tear-down of that tree, laid out, after the window let it go (DetachDlg deletes the
// root alone): the controls keep their parents but have no window, so nothing repaints and
// no deletion needs to walk the ancestors.
void DeepBareTearDown(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CUIControl* root = DeepTree(n);
        CUIControl* left = root->GetItemAt(0);
        g_window->DetachDlg();
        state.SetIterationTime(Seconds([&] { DropTree(left); }));
    }
}

struct Stage {
    const char* name;
    void (*run)(benchmark::State&);
    // Times one frame after one change, a few microseconds, while the iteration's untimed
    // work may take far longer.
    bool frame = false;
};

const Stage kStages[] = {
    {"load", Load},
    {"construct", Construct},
    {"build", BuildTree},
    {"attach", Attach},
    {"layout", FirstLayout},
    {"relayout", Relayout, true},
    {"repaint", Repaint, true},
    {"scrolled", ScrolledRelayout, true},
    {"paint", PaintWindow},
    {"hittest", HitTest},
    {"teardown", TearDown},
    {"listdrop", ListTearDown},
    {"deepdrop", DeepTearDown},
    {"deepbare", DeepBareTearDown},
};

// The runs of 100,000 controls and more, whose single iteration would outlast the
// minimum time, run this many times all the same; those of a frame after one change run
// more, so that the first frame's cold cache weighs little in their mean.
constexpr int kLargeSize = 100000;
constexpr int kLargeIterations = 5;
constexpr int kLargeFrameIterations = 50;

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
            const auto found = run.counters.find("draws");
            if (found != run.counters.end())
                draws[run.run_name.function_name][n] = found->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, std::map<int, double>> seconds;
    std::map<std::string, std::map<int, double>> draws;
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
    std::printf("(per control: over all the window's controls. relayout: the layout work of the frame after\n"
                " one control changes size, nothing painted; repaint: that frame's painting of what the change\n"
                " invalidated; scrolled: the whole frame after a change out of sight; hittest: one lookup, along\n"
                " one path of the tree. listdrop: the tear-down of the scrolled list's window. deepdrop and\n"
                " deepbare: the tear-down of a tree as deep as allowed, shown, and after its window let it go.\n"
                " growth: the time per control against the previous size's, 1.00 being linear.)\n");
}

// A stage's time per control at n, or a negative value when it did not run there.
double PerControl(const Collector& results, const char* stage, int n)
{
    const auto found = results.seconds.find(stage);
    if (found == results.seconds.end() || found->second.count(n) == 0)
        return -1;
    return found->second.at(n) / n;
}

void PrintGoal(const char* goal, bool measured, bool met)
{
    std::printf("  %-62s %s\n", goal, measured ? (met ? "met" : "MISSED") : "not measured");
}

// The growth goal of a stage: its time per control grows at most limit per tenfold.
void PrintGrowthGoal(const Collector& results, const char* stage, double limit)
{
    bool measured = false;
    bool met = true;
    for (int n = 1000; n <= kLargeSize; n *= 10) {
        const double small = PerControl(results, stage, n / 10);
        const double large = PerControl(results, stage, n);
        if (small <= 0 || large <= 0)
            continue;
        measured = true;
        met = met && large / small <= limit;
    }
    char goal[96];
    std::snprintf(goal, sizeof goal, "%s: time per control grows <= %.1fx per tenfold", stage, limit);
    PrintGoal(goal, measured, met);
}

// A frame at 100,000 controls within twice the same frame at 1,000.
void PrintFrameGoal(const Collector& results, const char* stage)
{
    const double small = PerControl(results, stage, 1000);
    const double large = PerControl(results, stage, kLargeSize);
    char goal[96];
    std::snprintf(goal, sizeof goal, "%s: the frame at 100k within 2x of the frame at 1k", stage);
    PrintGoal(goal, small > 0 && large > 0, large * kLargeSize <= 2 * small * 1000);
}

void PrintGoals(const Collector& results)
{
    std::printf("\ngoals:\n");
    bool measured = false;
    bool met = true;
    for (const auto& [n, seconds] : results.seconds.count("build") ? results.seconds.at("build")
                                                                   : std::map<int, double>{}) {
        const double load = PerControl(results, "load", n);
        if (load <= 0)
            continue;
        measured = true;
        met = met && seconds / n <= 4 * load;
    }
    PrintGoal("build: at most 4x pugixml's load of the same file at every size", measured, met);
    PrintGrowthGoal(results, "build", 1.1);
    PrintGrowthGoal(results, "attach", 1.2);
    PrintGrowthGoal(results, "teardown", 1.2);
    PrintGrowthGoal(results, "deepdrop", 1.2);
    PrintGrowthGoal(results, "deepbare", 1.2);
    const double teardown = PerControl(results, "teardown", kLargeSize);
    PrintGoal("teardown: at most 1 us per control at 100k", teardown > 0, teardown <= 1e-6);
    PrintFrameGoal(results, "relayout");
    PrintFrameGoal(results, "scrolled");
    const auto draws = results.draws.find("scrolled");
    bool drawn = false;
    if (draws != results.draws.end()) {
        // Below 1,000 controls the whole list fits in the window.
        for (const auto& [n, count] : draws->second)
            drawn = drawn || (n >= 1000 && count > 0);
    }
    PrintGoal("scrolled: the frame draws nothing from 1k on", draws != results.draws.end(), !drawn);
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
    // Freed memory stays in the process: no heap trimming, and no block mapped on its own,
    // however large (the wide text of a 100,000-control file is one such block).
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    mallopt(M_MMAP_MAX, 0);
    const std::vector<int> sizes = ParseSizes(argc, argv);
    if (sizes.empty()) {
        std::fprintf(stderr, "vonk-bench: --sizes names no size\n");
        return 1;
    }
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
    {
        std::ofstream(g_dir / MarkupFile(n)) << bench::WindowMarkup(n);
        std::ofstream(g_dir / ListFile(n)) << bench::ListMarkup(n);
    }
    CResourceMgr::SetResourePath(Wide(g_dir.string()));

    BenchWindow window;
    g_window = &window;
    window.Create(0, 0, 1280, 800);
    window.Show(true);
    // The heap grows once to what the largest window takes, with room for a second tree
    // of that size, so that no stage's first iteration pays for the kernel's first touch
    // of its pages.
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    CUIControl* shown = Show(largest);
    CUIControl* spare = Build(largest);
    DropTree(spare);
    DropTree(shown);

    for (const Stage& stage : kStages) {
        for (int n : sizes) {
            auto* run = benchmark::RegisterBenchmark(stage.name, [stage](benchmark::State& state) {
                g_faults = 0;
                stage.run(state);
                state.counters["faults"] =
                    benchmark::Counter(static_cast<double>(g_faults), benchmark::Counter::kAvgIterations);
            });
            run->Arg(n)->UseManualTime()->Unit(benchmark::kMillisecond);
            if (n >= kLargeSize)
                run->Iterations(stage.frame ? kLargeFrameIterations : kLargeIterations);
        }
    }
    Collector results;
    benchmark::RunSpecifiedBenchmarks(&results);
    PrintSummary(results, sizes);
    PrintGoals(results);
    CheckQuietFrames(sizes.back());

    g_window = nullptr;
    fs::remove_all(g_dir);
    benchmark::Shutdown();
    return 0;
}
