// The documents-folder token of path settings: "<doc>" alone or "<doc>/" followed by the rest.
// These take the documents folder (full path, no trailing "/", empty when there is none);
// Config.h has the forms that use the user's own documents folder.
#pragma once

#include <string>
#include <string_view>

namespace fretlo {

inline constexpr std::string_view DocToken = "<doc>";

// "<doc>" gives the folder, "<doc>/rest" (or "<doc>\rest" as older stores wrote it) gives
// folder + "/" + rest, or "" when there is no folder; anything else is returned unchanged.
std::string ExpandDocPath(std::string_view path, std::string_view documents);
// The folder itself gives "<doc>" and a path below it "<doc>/rest"; anything else is returned unchanged.
std::string CollapseDocPath(std::string_view path, std::string_view documents);

}  // namespace fretlo
