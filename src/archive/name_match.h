// Entry names from scripts and scenes come from Windows: separators and
// letter case do not matter when looking an entry up.
#pragma once

#include <string_view>

// True when both names are equal once `\`, `/` and `_` are made alike and
// ASCII letters are upper-cased (at most 512 bytes of each are compared).
bool namesMatch(std::string_view entryName, std::string_view wantedName);
