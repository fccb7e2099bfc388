#include "appstate/AppState.h"

#include "platform/ProgramFolder.h"

namespace app {

AppState::AppState(const QString& programFolder) : m_programFolder(programFolder) {}

AppState::~AppState()
{
    catalogueClosing();
}

QString AppState::workFolder() const
{
    return platform::workFolder(m_programFolder);
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
