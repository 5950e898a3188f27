#pragma once
// The markup files being built, or attached to a window, right now: a file met again
// while it is in progress ("Include", "ChildLayout") is refused as a cycle. And what a
// child layout keeps of the build that made it, so that the file it builds later counts
// as part of the same window's markup.

#include <memory>
#include <string>

class CUIControl;
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

// What one window's markup has built so far and may still copy.
struct MarkupCopies;

// The build that a control was made in: its copies, and the tree level at which the
// control stands. Empty outside a build.
struct MarkupBuildMark {
    std::shared_ptr<MarkupCopies> copies;
    int level = 0;
};

// The build running right now.
MarkupBuildMark CurrentMarkupBuild();

// While it lives, builds go on with the copies of mark and build their trees below
// control (null for none), at its level in its tree or at the mark's, whichever is deeper.
class MarkupBuildBelow {
public:
    MarkupBuildBelow(CUIControl* control, MarkupBuildMark mark);
    MarkupBuildBelow(const MarkupBuildBelow&) = delete;
    MarkupBuildBelow& operator=(const MarkupBuildBelow&) = delete;
    ~MarkupBuildBelow();

private:
    std::shared_ptr<MarkupCopies> m_outerCopies;
    int m_outerLevel;
};
