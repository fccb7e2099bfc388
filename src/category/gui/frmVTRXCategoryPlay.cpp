// What the category browser plays, and when its play and tune buttons may be pressed.
#include "category/gui/frmVTRXCategory.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "category/CategoryCaption.h"
#include "data/GameFields.h"
#include "music/TunePlayback.h"
#include "platform/gui/ListBox.h"

#include <QAction>
#include <QApplication>

using category::FoundEntry;

bool frmVTRXCategory::nonStopMusicOn() const
{
    const auto* nsm = qobject_cast<QAction*>(m_host.command(QStringLiteral("mnuOptionsNSM")));
    return nsm && nsm->isChecked();
}

QString frmVTRXCategory::defaultPlayCommand() const
{
    // The default emulator's own play button: the one a double click in the main window presses.
    switch (m_state.settings.TheDefaultEmulatorFlag) {
    case 1:
        return QStringLiteral("cmdRun20Dos");
    case 2:
        return QStringLiteral("cmdRun20Win");
    default:
        return QStringLiteral("cmdRunGame");
    }
}

bool frmVTRXCategory::commandAllowed(const QString& name) const
{
    return app::commandAllowed(m_host.command(name), m_host.hasCurrentGame());
}

bool frmVTRXCategory::chosenGameIsCurrent(const FoundEntry& entry) const
{
    return entry.kind == FoundEntry::Game && m_host.hasCurrentGame() && m_host.selectedGame() == entry.name;
}

void frmVTRXCategory::updatePlayButtons()
{
    // Play and the game's tune act on the main window's current game: only while that is the game chosen here, so
    // a game the main window's list lacks (or one the user moved away from there) never plays another.
    const FoundEntry chosen = m_found.entry(lstFound->selectedRow());
    if (chosen.kind == FoundEntry::Tune)
        enablePlayButtons(false, true);
    else if (chosenGameIsCurrent(chosen))
        enablePlayButtons(commandAllowed(defaultPlayCommand()), commandAllowed(QStringLiteral("cmdPlayMusic")));
    else
        enablePlayButtons(false, false);
}

std::optional<QString> frmVTRXCategory::chosenTune() const
{
    const FoundEntry chosen = m_found.entry(lstFound->selectedRow());
    if (chosen.kind != FoundEntry::Tune)
        return std::nullopt;
    return chosen.tuneFile;
}

void frmVTRXCategory::playGameTune()
{
    music::PlayCategoryTune(m_state.settings, m_state.currentGame.text(catalogue::field::MusicFilename), false,
                            m_state.SidPlayer);
}

void frmVTRXCategory::playTune(const FoundEntry& tune)
{
    music::PlayCategoryTune(m_state.settings, tune.tuneFile, true, m_state.SidPlayer);
}

void frmVTRXCategory::beginReading()
{
    setWindowTitle(category::kReadingCaption);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmVTRXCategory::endReading()
{
    UpdateCategoryCaption();
    QApplication::restoreOverrideCursor();
}
