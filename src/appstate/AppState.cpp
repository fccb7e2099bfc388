#include "appstate/AppState.h"

namespace app {

AppState::AppState(const platform::Folders& folders) : m_folders(folders) {}

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
    currentGame.open(catalogue.db(), &gameStore);
}

void AppState::catalogueClosing()
{
    for (const auto& handler : catalogueClosingHandlers)
        handler();
    currentGame.close();
}

} // namespace app
