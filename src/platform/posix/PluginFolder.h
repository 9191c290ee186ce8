#pragma once

#include <string>

namespace tallimo {

// The folder of the plug-ins built with the program, found from the running executable: the
// installed <prefix>/lib/tallimo/plugins beside <prefix>/bin, or the build tree's plug-in folder
// for a program run from its build tree. Never the working directory; empty when the
// executable's location cannot be read.
std::string bundledPluginFolder();

} // namespace tallimo
