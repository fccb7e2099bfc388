#pragma once

// The whole program once QApplication exists: the message boxes, the settings file in the user's
// config folder, the program with its windows and commands; returns the exit code.
int runVintrax();
