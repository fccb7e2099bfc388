#include "app/AppState.h"

namespace app {

AppState::AppState(const platform::Folders& folders) : game(folders.conversion), m_folders(folders) {}

AppState::~AppState()
{
    catalogueClosing();
}

QString AppState::workFolder() const
{
    return m_folders.work;
}

void AppState::catalogueOpened()
{
    currentGame.open(catalogue.db());
}

void AppState::catalogueClosing()
{
    currentGame.close();
}

} // namespace app
