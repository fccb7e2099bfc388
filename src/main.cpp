#include "app/VintraxApplication.h"

#include <QApplication>

// The build makes this executable twice: for its own program folder, and (VINTRAX_INSTALLED) for the install
// tree, where the user's files live apart from the program's.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
#ifdef VINTRAX_INSTALLED
    return runVintrax(platform::FolderLayout::Installed);
#else
    return runVintrax(platform::FolderLayout::ProgramFolder);
#endif
}
