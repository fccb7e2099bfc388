#pragma once

#include <QString>
#include <QStringList>

namespace browser {

// Commands of the main window whose windows are not part of this build yet (the category browser, the
// editors, the file dialogs, tune playback, maintenance, preferences, help and the about box). Their
// menu items, popup items and buttons exist with their captions but stay disabled whatever state the
// window is in; the menus that hold them are enabled and disabled as usual.
const QStringList& commandsNotYetAvailable();
bool isCommandAvailable(const QString& objectName);

} // namespace browser
