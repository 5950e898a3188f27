#pragma once
// Table helpers shared by the style managers and the per-window resource manager.

#include <map>
#include <string>
#include <vector>

#include "UIFont.h"
#include "UIParse.h"
#include "UIString.h"

using FaceNameTable = std::map<std::wstring, std::wstring>;
using FontGroupTable = std::map<std::wstring, std::vector<CUIFont*>>;

// The table's face for face, otherwise fallback.
inline CUIString MappedFace(const FaceNameTable& faces, const std::wstring& face, const CUIString& fallback)
{
    const auto mapped = faces.find(face);
    return mapped == faces.end() ? fallback : CUIString(mapped->second.c_str());
}

// The value stored under key, or a default value.
template <typename Table>
typename Table::mapped_type ValueOf(const Table& table, const std::wstring& key)
{
    const auto found = table.find(key);
    return found == table.end() ? typename Table::mapped_type() : found->second;
}

// A group of one font per comma-separated face, made by makeFont(face); a mapped face
// uses its mapping, an unmapped one the whole list. An existing group stays: true.
template <typename MakeFont>
bool AddFontGroup(FontGroupTable& groups, const FaceNameTable& faceNames, const CUIString& name,
                  const CUIString& faces, MakeFont makeFont)
{
    if (groups.count(name.GetData()) != 0)
        return true;
    const std::vector<std::wstring> pieces = SplitStringToToken(faces.GetData());
    if (pieces.empty())
        return false;
    std::vector<CUIFont*>& group = groups[name.GetData()];
    for (const std::wstring& piece : pieces)
        group.push_back(makeFont(MappedFace(faceNames, piece, faces)));
    return true;
}
