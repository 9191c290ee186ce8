#pragma once

#include <string>

namespace tallimo {

// The folder of the plug-ins built with the program, found from the running executable: the
// installed <prefix>/lib/tallimo/plugins beside <prefix>/bin, or the build tree's plug-in folder
// for a program run from its build tree. Never the working directory; empty when the
// executable's location cannot be read.
std::string bundledPluginFolder();

// The month report's renderer (libtallimo-report.so), found the same way in
// <prefix>/lib/tallimo or the build tree; empty when the executable's location cannot be read.
std::string bundledReportLibrary();

} // namespace tallimo
