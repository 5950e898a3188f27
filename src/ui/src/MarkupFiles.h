#pragma once
// The markup files being built, or attached to a window, right now: a file met again
// while it is in progress ("Include", "ChildLayout") is refused as a cycle.

#include <string>

class CUIString;
class CUIWindow;

// Counts a file as in progress for as long as it lives.
class MarkupFileInProgress {
public:
    // The file that CDialogBuilder::Create would load for file and window.
    MarkupFileInProgress(const CUIString& file, CUIWindow* window);
    // The file at that resolved path.
    explicit MarkupFileInProgress(std::string resolved);
    MarkupFileInProgress(const MarkupFileInProgress&) = delete;
    MarkupFileInProgress& operator=(const MarkupFileInProgress&) = delete;
    ~MarkupFileInProgress();
};
