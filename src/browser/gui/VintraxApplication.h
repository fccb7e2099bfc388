#pragma once

// The whole program once QApplication exists: the message boxes, the settings file in the user's
// config folder, the single-instance lock, the splash and the main window; returns the exit code.
int runVintrax();
