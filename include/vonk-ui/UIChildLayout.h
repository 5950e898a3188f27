#pragma once
// CUIChildLayout: a container that builds a markup file of its own into a control tree
// when it is given its window, and holds that tree as its child.
//
// Ownership: like every child, the tree is linked and unlinked, never deleted. Each
// initialisation builds the file again and adds another tree.

#include <memory>

#include "DialogBuilder.h"
#include "UIContainer.h"

struct MarkupCopies;

class UILIB_API CUIChildLayout : public CUIContainer {
public:
    CUIChildLayout();
    ~CUIChildLayout() override;

    CUIString GetClass() const override;
    // The child layout for "ChildLayout", else the container's answer.
    void* GetInterface(const CUIString& name) override;
    // Builds the markup file and adds its tree; a file that cannot be built unlinks every
    // child. Fires no init event.
    void Init() override;
    // "xmlfile" names the markup file.
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // Stores the file name, looked up as the builder looks files up; builds nothing.
    void SetChildLayoutXML(const CUIString& file);
    CUIString GetChildLayoutXML() const;
    // The callback the file is built with; borrowed, may be null.
    void SetBuilderCallback(IDialogBuilderCallback* callback);

protected:
    CUIString m_strXMLFile;
    IDialogBuilderCallback* m_pCallback;

private:
    // The markup file and the offset in it of the element that named the file, for the
    // line when the file builds nothing; empty when no markup named it.
    CUIString m_strOriginFile;
    long long m_originOffset = -1;
    // The markup build that made the layout, until the layout builds its file: what that
    // window's markup may still copy, and the level at which the layout stands in its tree.
    std::shared_ptr<MarkupCopies> m_madeInCopies;
    int m_madeAtLevel = 0;
};
