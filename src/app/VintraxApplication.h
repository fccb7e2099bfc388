#pragma once

#include "platform/Folders.h"

// The whole program once QApplication exists: the message boxes, the settings file in the user's config folder,
// on an installed program's first run the user's data folder, then the program with its windows and commands;
// returns the exit code. layout is how the executable was built to find its files.
int runVintrax(platform::FolderLayout layout);
