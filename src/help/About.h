#pragma once

#include <QString>

// Who the program is: what the about box, the window icon, the desktop entry and the package say.
namespace help {

QString programName();    // "vintrax"
QString programVersion(); // the project's version, "1.2.0"
// The reverse-DNS name the desktop knows the program by: its desktop entry, icon and metainfo are named so.
QString applicationId();
QString homePage();       // the address lblWeb opens
QString contactAddress(); // the "mailto:" address lblEmail opens

} // namespace help
