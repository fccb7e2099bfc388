#include "app/AppState.h"

#include <QDir>

namespace app {

AppState::AppState(const QString& programFolder) : game(programFolder), m_programFolder(programFolder) {}

AppState::~AppState()
{
    catalogueClosing();
}

QString AppState::workFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("CURRGAME"));
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
