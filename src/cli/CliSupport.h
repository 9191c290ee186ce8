#pragma once

#include "cli/CliContext.h"
#include "view/CTagrolView.h"

#include <string>

namespace tallimo::cli {

// Starts the document as the program does with FILE on its command line: a new, untitled
// document, then the open step on FILE. The document has told the user why when it fails.
// Returns kExitDone or kExitRefused.
int openDocument(CTagrolView& view, const std::string& path);

// Whether anything (a file, a folder, a dangling link) already has the name; new and import
// refuse to replace it without --force.
bool pathExists(const std::string& path);

// A command that changed the month saves it, whatever AutoSave says: the user asked for an edit
// of that file. Returns kExitDone, or kExitRefused when the save failed.
int saveIfModified(CTagrolView& view);

} // namespace tallimo::cli
