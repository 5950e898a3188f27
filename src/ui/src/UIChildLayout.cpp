// The child layout: the markup file it builds into its own tree when it gets its window.

#include "UIChildLayout.h"

#include <utility>

#include "MarkupFiles.h"
#include "MarkupPlace.h"
#include "MarkupText.h"
#include "UIControlTree.h"

// A child layout that markup makes is part of that markup's build, where it stands.
CUIChildLayout::CUIChildLayout() : m_pCallback(nullptr)
{
    MarkupBuildMark made = CurrentMarkupBuild();
    m_madeInCopies = std::move(made.copies);
    m_madeAtLevel = made.level;
}

CUIChildLayout::~CUIChildLayout() = default;

CUIString CUIChildLayout::GetClass() const { return L"ChildLayoutUI"; }

void* CUIChildLayout::GetInterface(const CUIString& name)
{
    if (name == L"ChildLayout")
        return static_cast<CUIChildLayout*>(this);
    return CUIContainer::GetInterface(name);
}

void CUIChildLayout::SetChildLayoutXML(const CUIString& file) { m_strXMLFile = file; }

CUIString CUIChildLayout::GetChildLayoutXML() const { return m_strXMLFile; }

void CUIChildLayout::SetBuilderCallback(IDialogBuilderCallback* callback) { m_pCallback = callback; }

void CUIChildLayout::Init()
{
    if (m_strXMLFile.IsEmpty())
        return;
    // What the file's build reports names the element that asked for it.
    const MarkupPlace origin(m_strOriginFile, m_originOffset, L"ChildLayout");
    // The file belongs to the markup that made the layout the first time; it is built
    // below the layout, however deep that stands.
    const MarkupBuildBelow below(this, MarkupBuildMark{std::move(m_madeInCopies), m_madeAtLevel});
    CDialogBuilder builder(m_pCallback);
    CUIControl* tree = builder.Create(m_strXMLFile, m_pWindow, nullptr);
    if (tree == nullptr) {
        RemoveAll();
        return;
    }
    // Child layouts in the tree initialise while it is added: one that names this file
    // again, directly or through others, is then refused instead of built without end.
    const MarkupFileInProgress attaching(m_strXMLFile, m_pWindow);
    // A tree that would reach too deep here is nobody's: it goes.
    if (!Add(tree))
        DeleteControlTree(tree);
}

void CUIChildLayout::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr)
        return;
    if (IsNamed(name, L"xmlfile")) {
        SetChildLayoutXML(value);
        const MarkupOrigin origin = CurrentMarkupOrigin();
        m_strOriginFile = origin.file;
        m_originOffset = origin.offset;
    } else {
        CUIContainer::SetAttribute(name, value);
    }
}
