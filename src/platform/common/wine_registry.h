// Wine's registry files (system.reg of a prefix): the text form of one hive, one "[key path]"
// line per saved key. The files are written by Wine but may be damaged or replaced, so reading
// copes with any bytes and keeps only a bounded part of each line in memory.
#pragma once

#include <istream>
#include <string_view>
#include <vector>

namespace plat::wine {

// True when any of the paths (relative to the hive, components separated by "\") is a saved key
// or lies above one: Wine leaves out keys that hold nothing but sub-keys. Matched without regard
// to case; a path with an empty component matches nothing.
bool HiveHasAnyKey(std::istream& hive, const std::vector<std::wstring_view>& paths);

}  // namespace plat::wine
