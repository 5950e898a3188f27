// Journal, switches, faults and counters shared by every object of the headless backend.

#include <map>
#include <vector>

#include "headless.h"
#include "journal.h"

namespace headless {
namespace {

struct State {
    std::vector<std::string> journal;
    bool journalEnabled = true;
    bool renderingEnabled = true;
    unsigned faults = 0;
    std::map<std::string, long> outstanding;
    size_t drawCalls = 0;
};

State& Shared()
{
    static State state;
    return state;
}

}  // namespace

bool JournalEnabled() { return Shared().journalEnabled; }
bool RenderingEnabled() { return Shared().renderingEnabled; }
void Record(const std::string& line) { Shared().journal.push_back(line); }
bool HasFault(unsigned fault) { return (Shared().faults & fault) != 0; }
void Count(const std::string& kind, int delta) { Shared().outstanding[kind] += delta; }

void CountDrawCall() { ++Shared().drawCalls; }
size_t DrawCalls() { return Shared().drawCalls; }

void SetFaults(unsigned faults) { Shared().faults = faults; }
std::vector<std::string> Journal() { return Shared().journal; }

std::vector<std::string> JournalOf(const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const std::string& line : Shared().journal)
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line);
    return lines;
}

void ClearJournal() { Shared().journal.clear(); }
void EnableJournal(bool enabled) { Shared().journalEnabled = enabled; }
void EnableRendering(bool enabled) { Shared().renderingEnabled = enabled; }

size_t Outstanding(const std::string& kind)
{
    const auto found = Shared().outstanding.find(kind);
    return found == Shared().outstanding.end() ? 0 : static_cast<size_t>(found->second);
}

}  // namespace headless
