#pragma once
// CDialogBuilder: turns a markup file into resources and a tree of controls.
//
// Ownership: the builder owns only its loaded document. The controls, fonts, classes and
// default lists it makes belong to the caller, the window or the style manager that
// receives them, and outlive the builder.

#include <map>
#include <memory>
#include <string>

#include "UIExport.h"
#include "UIString.h"

class CUIControl;
class CUIWindow;
class StyleManager;

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

// Makes controls for element names that the builder's own table lacks.
class UILIB_API IDialogBuilderCallback {
public:
    // A new control for the element name, or null for a name this callback does not serve.
    virtual CUIControl* CreateControl(const CUIString& name) = 0;

protected:
    ~IDialogBuilderCallback() {}
};

class UILIB_API CDialogBuilder {
public:
    CDialogBuilder();
    explicit CDialogBuilder(IDialogBuilderCallback* callback);
    CDialogBuilder(const CDialogBuilder&) = delete;
    CDialogBuilder& operator=(const CDialogBuilder&) = delete;
    virtual ~CDialogBuilder();

    // Loads file from the window's skin folder, else the resource directory, and builds it.
    // Answers the control of the root's last child node, or null.
    CUIControl* Create(const CUIString& file, CUIWindow* window, CUIControl* parent);
    // Builds the document loaded last.
    CUIControl* Create(CUIWindow* window, CUIControl* parent);
    // A new control of the class that the element name names, or null.
    static CUIControl* CreateControlByClass(const CUIString& name);

    // The control pass over the child nodes of node; answers the last one's control.
    CUIControl* ParseControl(const pugi::xml_node& node, CUIWindow* window, CUIControl* parent);
    // Hands every attribute of node, in document order, to the control.
    void SetAttribute(CUIControl* control, const pugi::xml_node& node);

    // Records a "Global" root's resources in manager, or process-wide when it is null.
    void ParseGlobal(const pugi::xml_node& root, StyleManager* manager);
    // Applies a "Window" root's attributes to the window and records its resources there;
    // nothing without a window.
    void ParseWindowStyle(const pugi::xml_node& root, CUIWindow* window);
    // Loads a style file (the name as given) into *manager, made when it is null.
    bool ParseStyle(const CUIString& file, StyleManager** manager);
    // Adds a string-table file's entries to table.
    bool ParseStrings(const CUIString& file, std::map<std::wstring, std::wstring>& table);

private:
    // Loads path; false, with a log line, when it cannot be read or parsed.
    bool Load(const CUIString& path);
    // The control of the first factory after the builder's own table: the callback, then the plug-ins.
    CUIControl* MakeControl(const CUIString& name) const;
    // The control pass over node's child nodes, and the building of one element.
    CUIControl* ParseChildren(const pugi::xml_node& node, CUIWindow* window, CUIControl* parent);
    CUIControl* BuildElement(const pugi::xml_node& element, CUIWindow* window, CUIControl* parent);
    CUIControl* BuildInclude(const pugi::xml_node& element, CUIWindow* window, CUIControl* parent);

    IDialogBuilderCallback* m_pCallback;
    std::unique_ptr<pugi::xml_document> m_xml;
    // The file loaded last, which lines about its mistakes name.
    CUIString m_path;
};
