#pragma once
// Reading a string-table file ("strings.xml") into a name-to-text map.

#include <map>
#include <string>

#include "UIString.h"

// Adds the file's "Item" entries of a "String" root to table; false when the file cannot be read.
bool ParseStringTable(const CUIString& file, std::map<std::wstring, std::wstring>& table);
