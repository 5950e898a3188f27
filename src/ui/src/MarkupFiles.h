#pragma once
// The markup files being built, or attached to a window, right now: a file met again
// while it is in progress ("Include", "ChildLayout") is refused as a cycle.

class CUIString;
class CUIWindow;

// Counts the file that CDialogBuilder::Create would load for file and window as in
// progress for as long as it lives.
class MarkupFileInProgress {
public:
    MarkupFileInProgress(const CUIString& file, CUIWindow* window);
    MarkupFileInProgress(const MarkupFileInProgress&) = delete;
    MarkupFileInProgress& operator=(const MarkupFileInProgress&) = delete;
    ~MarkupFileInProgress();
};
