// The markup builder: loading markup files and the control pass that turns their
// elements into a tree of controls.

#include "DialogBuilder.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cwchar>

#include <algorithm>
#include <cassert>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include <pugixml.hpp>
#include <utility/logger>

#include "GlobalManager.h"
#include "MarkupFiles.h"
#include "MarkupLimits.h"
#include "MarkupPlace.h"
#include "MarkupText.h"
#include "ResourceMgr.h"
#include "TreeShape.h"
#include "UIButton.h"
#include "UIChildLayout.h"
#include "UIContainer.h"
#include "UIControl.h"
#include "UIControlTree.h"
#include "UIFlowLayout.h"
#include "UILabel.h"
#include "UIList.h"
#include "UIListHeader.h"
#include "UIListItem.h"
#include "UIOption.h"
#include "UIProgress.h"
#include "UIScrollBar.h"
#include "UITabLayout.h"
#include "UITileLayout.h"
#include "UIWindow.h"
#include "WindowImpBase.h"

// What one window's markup, with every file that its includes and child layouts bring in,
// has met and may still copy. A file is a copy when the markup meets it again: counting
// those, and the controls they build, bounds what nested counts and child layouts multiply
// to, while markup that spells its controls out builds whole.
struct MarkupCopies {
    std::unordered_set<std::string> filesMet;
    long copiesLeft = kMaxCopiesPerBuild;
    long controlsLeft = kMaxCopiedControls;
    int copiesRunning = 0;
    bool copiesReported = false;
    bool controlsReported = false;
};

namespace {

// Resource elements, which the control pass passes over.
bool IsResource(const wchar_t* name)
{
    return IsNamed(name, L"Image") || IsNamed(name, L"Font") || IsNamed(name, L"Default") || IsNamed(name, L"Style");
}

template <typename Control>
CUIControl* Make()
{
    return new Control;
}

// The builder's own element names, in the order in which they are tested.
struct ControlClass {
    const wchar_t* name;
    CUIControl* (*make)();
};
const ControlClass kControlClasses[] = {
    {L"HorizontalLayout", &Make<CUIHorizontalLayout>},
    {L"VerticalLayout", &Make<CUIVerticalLayout>},
    {L"TileLayout", &Make<CUITileLayout>},
    {L"TabLayout", &Make<CUITabLayout>},
    {L"ChildLayout", &Make<CUIChildLayout>},
    {L"Container", &Make<CUIContainer>},
    {L"Control", &Make<CUIControl>},
    {L"Button", &Make<CUIButton>},
    {L"Label", &Make<CUILabel>},
    {L"Text", &Make<CUIText>},
    {L"Option", &Make<CUIOption>},
    {L"Progress", &Make<CUIProgress>},
    {L"Slider", &Make<CUISlider>},
    {L"ScrollBar", &Make<CUIScrollBar>},
    {L"List", &Make<CListUI>},
    {L"ListHeader", &Make<CListHeaderUI>},
    {L"ListHeaderItem", &Make<CListHeaderItemUI>},
    {L"ListLabelElement", &Make<CListLabelElementUI>},
    {L"ListTextElement", &Make<CListTextElementUI>},
    {L"ListContainerElement", &Make<CListContainerElementUI>},
    {L"CheckBox", &Make<CUICheckBox>},
    {L"TileExLayout", &Make<CUITileExLayout>},
};

// The builder's own class for an element name, or null: one hash of the name, not a
// compare per class.
const ControlClass* KnownClass(const wchar_t* name)
{
    using ByName = std::unordered_map<std::wstring_view, const ControlClass*, MarkupNameHash>;
    static const ByName kByName = [] {
        ByName byName;
        for (const ControlClass& known : kControlClasses)
            byName.emplace(known.name, &known);
        return byName;
    }();
    const auto found = kByName.find(name);
    return found == kByName.end() ? nullptr : found->second;
}

// The build running right now: what its window's markup may still copy, and the level
// below which the element being built puts its children (0 at the top of a tree).
struct RunningBuild {
    std::shared_ptr<MarkupCopies> copies;
    int below = 0;
};
RunningBuild& Running()
{
    static RunningBuild running;
    return running;
}

// Puts the children of the elements built while it lives below that level.
class ChildrenBelow {
public:
    explicit ChildrenBelow(int level) : m_outer(Running().below) { Running().below = level; }
    ChildrenBelow(const ChildrenBelow&) = delete;
    ChildrenBelow& operator=(const ChildrenBelow&) = delete;
    ~ChildrenBelow() { Running().below = m_outer; }

private:
    int m_outer;
};

// Whether the running build may copy a file once more; past the bounds a line, once for
// the window's markup (running out of controls was told where it happened).
bool MayCopy(const CUIString& path)
{
    MarkupCopies& copies = *Running().copies;
    if (copies.copiesLeft > 0 && copies.controlsLeft > 0)
        return true;
    if (copies.copiesLeft == 0 && !copies.copiesReported) {
        copies.copiesReported = true;
        UI_TRACE("%smarkup copies too many for one window (%ld): %S and every later copy are not built ",
                 MarkupWhere().c_str(), kMaxCopiesPerBuild, path.GetData());
    }
    return false;
}

// How a build meets a file: the first time for its window's markup, as a copy of one
// met before, or refused as a copy too many.
enum class Meeting { First, Copy, Refused };

Meeting Meet(const std::string& resolved, const CUIString& path)
{
    MarkupCopies& copies = *Running().copies;
    if (copies.filesMet.insert(resolved).second)
        return Meeting::First;
    if (!MayCopy(path))
        return Meeting::Refused;
    --copies.copiesLeft;
    return Meeting::Copy;
}

// Marks a build as a copy for as long as it lives, when it is one.
class CopyInProgress {
public:
    explicit CopyInProgress(bool copy) : m_copy(copy)
    {
        if (m_copy)
            ++Running().copies->copiesRunning;
    }
    CopyInProgress(const CopyInProgress&) = delete;
    CopyInProgress& operator=(const CopyInProgress&) = delete;
    ~CopyInProgress()
    {
        if (m_copy)
            --Running().copies->copiesRunning;
    }

private:
    bool m_copy;
};

// Counts one more control for a copy that is being built; false past the bound, logged
// once for the window's markup. What no copy builds is not counted.
bool TakeCopiedControl()
{
    MarkupCopies& copies = *Running().copies;
    if (copies.copiesRunning == 0)
        return true;
    if (copies.controlsLeft > 0) {
        --copies.controlsLeft;
        return true;
    }
    if (!copies.controlsReported) {
        copies.controlsReported = true;
        UI_TRACE("%smarkup controls too many through copies for one window (%ld): the rest of the copies is not built ",
                 MarkupWhere().c_str(), kMaxCopiedControls);
    }
    return false;
}

// The markup files being built right now, outermost first, by resolved path.
std::vector<std::string>& FilesInProgress()
{
    static std::vector<std::string> files;
    return files;
}

std::string ResolvedPath(const CUIString& path)
{
    const std::string utf8 = pugi::as_utf8(path.GetData());
    char resolved[PATH_MAX];
    return realpath(utf8.c_str(), resolved) ? std::string(resolved) : utf8;
}

// The file's path in the window's skin folder or, without one, in the resource directory.
CUIString MarkupPath(const CUIString& file, CUIWindow* window)
{
    CUIString folder = window ? window->GetSkinFolder() : CUIString();
    if (folder.IsEmpty())
        folder = CResourceMgr::GetResourePath();
    return folder + file;
}

// Whether building path now would build a file inside itself, or nest files without end.
bool RefusedAsCycle(const CUIString& path, const std::string& resolved)
{
    const std::vector<std::string>& files = FilesInProgress();
    if (std::find(files.begin(), files.end(), resolved) != files.end()) {
        UI_TRACE("markup file includes itself  %S ", path.GetData());
        ReportNotBuiltHere(path);
        return true;
    }
    if (files.size() >= kMaxFileNesting) {
        UI_TRACE("markup files nested too deep  %S ", path.GetData());
        ReportNotBuiltHere(path);
        return true;
    }
    return false;
}

// What keeps a file from loading, in other words for a file that is not there or cannot be
// read than for one that is no well-formed markup.
void ReportUnloadable(const CUIString& path, const pugi::xml_parse_result& parsed)
{
    switch (parsed.status) {
    case pugi::status_file_not_found:
        UI_TRACE("markup file %S cannot be opened ", path.GetData());
        break;
    case pugi::status_io_error:
        UI_TRACE("markup file %S cannot be read ", path.GetData());
        break;
    case pugi::status_out_of_memory:
        UI_TRACE("markup file %S is too large to load ", path.GetData());
        break;
    default:
        UI_TRACE("%s: %s ", FilePosition(path, parsed.offset, true).c_str(), parsed.description());
    }
}

void ReportNoFile(const CUIString& path, bool exists)
{
    if (exists)
        UI_TRACE("markup file %S is not a regular file ", path.GetData());
    else
        UI_TRACE("markup file %S does not exist ", path.GetData());
}

// Takes every attribute whose value is longer than kMaxAttributeLength out of a loaded
// document, with a line for each: whatever reads the document then reads the rest of
// the element as if the attribute were not there.
class OverlongValues : public pugi::xml_tree_walker {
public:
    explicit OverlongValues(const CUIString& path) : m_path(path) {}

    bool for_each(pugi::xml_node& node) override
    {
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;) {
            const pugi::xml_attribute next = attribute.next_attribute();
            if (wcsnlen(attribute.value(), kMaxAttributeLength + 1) > kMaxAttributeLength) {
                const MarkupPlace here(m_path, node);
                UI_TRACE("%sthe value of \"%S\" is longer than %zu characters, refused ", MarkupWhere().c_str(),
                         attribute.name(), kMaxAttributeLength);
                node.remove_attribute(attribute);
            }
            attribute = next;
        }
        return true;
    }

private:
    const CUIString& m_path;
};

// A file built for a window without a parent is the window's own markup, unless it is
// included or a child layout's: only a "Window" root reaches the window.
void ReportWindowRoot(const CUIString& file, const pugi::xml_node& root, CUIWindow* window, CUIControl* parent)
{
    if (window == nullptr || parent || MarkupPlace::Innermost() || IsNamed(root.name(), L"Window") ||
        IsNamed(root.name(), L"Global"))
        return;
    const MarkupPlace here(file, root);
    UI_TRACE("%sthe root is <%S>, not <Window>: the window takes none of its attributes or resources ",
             MarkupWhere().c_str(), root.name());
}

void ReportNoControl(const pugi::xml_node& element)
{
    // The control pass meets these resource elements too, and builds nothing for them.
    if (IsNamed(element.name(), L"Fonts") || IsNamed(element.name(), L"TextColor"))
        return;
    if (element.type() == pugi::node_element)
        UI_TRACE("%sno control class for the element <%S>: neither it nor its children are built ",
                 MarkupWhere().c_str(), element.name());
    else
        UI_TRACE("%stext between elements builds no control ", MarkupWhere().c_str());
}

// A control that sits in an attached tree already registered its names when it was added;
// names its attributes gave it since are registered here.
void RegisterNamesIfAttached(CUIControl* control)
{
    if (control == nullptr)
        return;
    if (CUIWindow* attached = control->GetOwnWindow())
        control->FindControl(CUIWindow::__FindControlFromNameHash, attached, 0);
}

// The empty header that a list made here had before its markup gave it another: nothing
// but the list ever knew it.
void DeleteIfReplaced(const CListUI& list, CListHeaderUI* madeHeader)
{
    if (list.GetHeader() != madeHeader)
        delete madeHeader;
}

}  // namespace

MarkupFileInProgress::MarkupFileInProgress(const CUIString& file, CUIWindow* window)
    : MarkupFileInProgress(ResolvedPath(MarkupPath(file, window)))
{
}

MarkupFileInProgress::MarkupFileInProgress(std::string resolved) { FilesInProgress().push_back(std::move(resolved)); }

MarkupFileInProgress::~MarkupFileInProgress() { FilesInProgress().pop_back(); }

MarkupBuildMark CurrentMarkupBuild() { return MarkupBuildMark{Running().copies, Running().below}; }

MarkupBuildBelow::MarkupBuildBelow(CUIControl* control, MarkupBuildMark mark)
    : m_outerCopies(Running().copies), m_outerLevel(Running().below)
{
    if (mark.copies)
        Running().copies = std::move(mark.copies);
    else if (!Running().copies)
        Running().copies = std::make_shared<MarkupCopies>();
    Running().below = std::max({m_outerLevel, mark.level, control ? TreeShape::LevelOf(*control) : 0});
}

MarkupBuildBelow::~MarkupBuildBelow()
{
    Running().copies = std::move(m_outerCopies);
    Running().below = m_outerLevel;
}

CDialogBuilder::CDialogBuilder() : CDialogBuilder(nullptr) {}

CDialogBuilder::CDialogBuilder(IDialogBuilderCallback* callback)
    : m_pCallback(callback), m_xml(std::make_unique<pugi::xml_document>())
{
}

CDialogBuilder::~CDialogBuilder() = default;

bool CDialogBuilder::Load(const CUIString& path)
{
    m_path = path;
    // Only a regular file is markup: a folder or a device would read as a file without end.
    struct stat status {};
    const bool exists = stat(pugi::as_utf8(path.GetData()).c_str(), &status) == 0;
    if (exists && S_ISREG(status.st_mode)) {
        const pugi::xml_parse_result parsed = m_xml->load_file(path.GetData());
        if (parsed) {
            // A value has no more characters than its file has bytes: only a larger file
            // can hold one too long.
            if (static_cast<size_t>(status.st_size) > kMaxAttributeLength) {
                OverlongValues refuse(m_path);
                m_xml->traverse(refuse);
            }
            return true;
        }
        UI_TRACE("load xml file error  %S ", path.GetData());
        ReportUnloadable(path, parsed);
    } else {
        UI_TRACE("load xml file error  %S ", path.GetData());
        ReportNoFile(path, exists);
    }
    ReportNotBuiltHere(path);
    return false;
}

CUIControl* CDialogBuilder::Create(const CUIString& file, CUIWindow* window, CUIControl* parent)
{
    if (file.IsEmpty())
        return nullptr;
    const CUIString path = MarkupPath(file, window);
    std::string resolved = ResolvedPath(path);
    const MarkupBuildBelow building(parent, MarkupBuildMark());
    const Meeting meeting = Meet(resolved, path);
    if (meeting == Meeting::Refused || RefusedAsCycle(path, resolved) || !Load(path))
        return nullptr;
    const MarkupFileInProgress inProgress(std::move(resolved));
    const CopyInProgress copying(meeting == Meeting::Copy);
    return Create(window, parent);
}

CUIControl* CDialogBuilder::Create(CUIWindow* window, CUIControl* parent)
{
    const pugi::xml_node root = m_xml->document_element();
    if (!root)
        return nullptr;
    if (IsNamed(root.name(), L"Global"))
        ParseGlobal(root, nullptr);
    else if (IsNamed(root.name(), L"Window") && window)
        ParseWindowStyle(root, window);
    ReportWindowRoot(m_path, root, window, parent);
    return ParseControl(root, window, parent);
}

CUIControl* CDialogBuilder::CreateControlByClass(const CUIString& name)
{
    const ControlClass* known = KnownClass(name.GetData());
    return known ? known->make() : nullptr;
}

CUIControl* CDialogBuilder::MakeControl(const CUIString& name) const
{
    if (m_pCallback) {
        if (CUIControl* control = m_pCallback->CreateControl(name))
            return control;
    }
    for (void* entry : GlobalManager::GetPlugins()) {
        if (entry == nullptr)
            continue;
        if (CUIControl* control = reinterpret_cast<PFN_CreateControl>(entry)(name))
            return control;
    }
    return nullptr;
}

CUIControl* CDialogBuilder::ParseControl(const pugi::xml_node& node, CUIWindow* window, CUIControl* parent)
{
    const MarkupBuildBelow building(parent, MarkupBuildMark());
    return ParseChildren(node, window, parent);
}

CUIControl* CDialogBuilder::ParseChildren(const pugi::xml_node& node, CUIWindow* window, CUIControl* parent)
{
    CUIControl* result = nullptr;
    for (const pugi::xml_node child : node.children()) {
        // Without a parent only the last child's control is handed out: drop the one before.
        if (parent == nullptr && result)
            DeleteControlTree(result);
        result = nullptr;
        // A text node has the empty name.
        const wchar_t* name = child.name();
        if (IsResource(name))
            continue;
        result = IsNamed(name, L"Include") ? BuildInclude(child, window, parent)
                                           : BuildElement(child, window, parent);
    }
    return result;
}

CUIControl* CDialogBuilder::BuildElement(const pugi::xml_node& element, CUIWindow* window, CUIControl* parent)
{
    const MarkupPlace here(m_path, element);
    const wchar_t* name = element.name();
    // A list holds its body, and in it its items, one level further down.
    const int level = Running().below + 1;
    const int reach = IsNamed(name, L"List") ? level + 1 : level;
    if (reach > kMaxTreeDepth) {
        UI_TRACE("%s<%S> would stand deeper than %d levels in the control tree: neither it nor its children are built ",
                 MarkupWhere().c_str(), name, kMaxTreeDepth);
        return nullptr;
    }
    if (!TakeCopiedControl())
        return nullptr;
    const ChildrenBelow nesting(reach);
    const ControlClass* known = KnownClass(name);
    CUIControl* control = known ? known->make() : MakeControl(CUIString(name));
    if (control == nullptr) {
        ReportNoControl(element);
        return nullptr;
    }
    // The table makes every "ChildLayout"; it builds its own file later, with this builder's callback.
    if (IsNamed(name, L"ChildLayout"))
        static_cast<CUIChildLayout*>(control->GetInterface(L"ChildLayout"))->SetBuilderCallback(m_pCallback);
    CListUI* const list = IsNamed(name, L"List") ? static_cast<CListUI*>(control) : nullptr;
    CListHeaderUI* const madeHeader = list ? list->GetHeader() : nullptr;
    if (element.first_child())
        ParseChildren(element, window, control);
    if (list)
        DeleteIfReplaced(*list, madeHeader);

    if (parent) {
        // Never destroyed: a static object's destructor may still build.
        static const CUIString& kContainer = *new CUIString(L"IContainer");
        auto* pContainer = static_cast<IContainerUI*>(parent->GetInterface(kContainer));
        assert(pContainer);
        if (!pContainer->Add(control)) {
            // What was built below it took the lent window back already.
            DeleteControlTree(control);
            return nullptr;
        }
    }

    // A parent that has a window gave the control that window and its parent, and registered
    // its names, when it added it: the control keeps both. Otherwise the window is lent, with
    // no parent, for the default list and the attributes only, and taken back after them.
    // Lending goes through the control's own SetOwnWindow, which passes it to the whole
    // subtree, each child with its parent, as every one of them was taken back already.
    const bool lend = window && control->GetOwnWindow() == nullptr;
    if (lend)
        control->SetOwnWindow(window, nullptr, false);
    if (window) {
        if (const wchar_t* defaults = window->GetDefaultAttributeList(name))
            control->ApplyAttributeList(defaults);
    }
    SetAttribute(control, element);
    if (lend)
        control->SetOwnWindow(nullptr, nullptr, false);
    else
        RegisterNamesIfAttached(control);
    return control;
}

CUIControl* CDialogBuilder::BuildInclude(const pugi::xml_node& element, CUIWindow* window, CUIControl* parent)
{
    const pugi::xml_attribute source = element.attribute(L"source");
    if (!source)
        return nullptr;
    MarkupPlace here(m_path, element);
    here.HandOnInclude();
    const pugi::xml_attribute counted = element.attribute(L"count");
    long count = counted ? std::wcstol(counted.value(), nullptr, 10) : 1;
    if (count > kMaxIncludeCopies) {
        UI_TRACE("%sinclude count too large  %S ", MarkupWhere().c_str(), counted.value());
        count = 1;
    }
    // The copies are built with the window's own callback, whoever meets the element.
    IDialogBuilderCallback* callback = dynamic_cast<CWindowImpBase*>(window);

    // A copy that the bounds refuse ends the copies; the first may be the file's first build.
    const CUIString path = MarkupPath(CUIString(source.value()), window);
    CUIControl* result = nullptr;
    for (long copy = 0; copy < count && (copy == 0 || MayCopy(path)); ++copy) {
        if (parent == nullptr && result)
            DeleteControlTree(result);
        CDialogBuilder builder(callback);
        result = builder.Create(CUIString(source.value()), window, parent);
        SetAttribute(result, element);
        RegisterNamesIfAttached(result);
    }
    return result;
}

void CDialogBuilder::SetAttribute(CUIControl* control, const pugi::xml_node& node)
{
    if (control == nullptr)
        return;
    for (const pugi::xml_attribute attribute : node.attributes())
        control->SetAttribute(attribute.name(), attribute.value());
}

bool CDialogBuilder::ParseStrings(const CUIString& file, std::map<std::wstring, std::wstring>& table)
{
    if (file.IsEmpty() || !Load(file))
        return false;
    const pugi::xml_node root = m_xml->document_element();
    if (!root)
        return false;
    if (!IsNamed(root.name(), L"String"))
        return true;
    for (const pugi::xml_node item : root.children(L"Item")) {
        std::wstring name;
        std::wstring value;
        for (const pugi::xml_attribute attribute : item.attributes()) {
            if (IsNamed(attribute.name(), L"name"))
                name = attribute.value();
            else if (IsNamed(attribute.name(), L"value"))
                value = attribute.value();
        }
        table[name] = value;
    }
    return true;
}
