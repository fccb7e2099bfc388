#include "maintenance/gui/frmVerify.h"

#include "appstate/AppState.h"
#include "maintenance/VerifyRun.h"
#include "maintenance/WriteRefusal.h"
#include "platform/MessageBox.h"

#include <QPushButton>
#include <QTreeView>

namespace {

ReportWindow::Texts verifyTexts()
{
    ReportWindow::Texts texts;
    texts.caption = QStringLiteral("vintrax Verify Available Game/Sid Files...");
    texts.info = {QStringLiteral("This utility will search through your Database and check all the referenced files "
                                 "against the files you have on your Hard Disk"),
                  QStringLiteral("This will set the game lists up for Playable Games and Games with Sid Tunes.  You "
                                 "can view these with the 'P' and 'S' buttons under the game selection list in the "
                                 "main vintrax window.  This may take a while!")};
    texts.title = QStringLiteral("Status:");
    texts.columns = maintenance::verifyColumns();
    texts.columnTwips = {1300, 3000, 1000};
    return texts;
}

} // namespace

frmVerify::frmVerify(app::AppState& state, QWidget* mainWindow)
    : ReportWindow(verifyTexts(), mainWindow), m_state(state)
{
    setObjectName(QStringLiteral("frmVerify"));
    setModal(true);
    connect(cmdStart, &QPushButton::clicked, this, &frmVerify::cmdStart_Click);
}

void frmVerify::cmdStart_Click()
{
    const QString refusal = maintenance::catalogueWriteRefusal(m_state.catalogue.db());
    if (!refusal.isEmpty()) {
        platform::MessageBox::exclamation(refusal);
        return;
    }
    startRun(std::make_unique<maintenance::VerifyRun>(m_state.catalogue.db(), m_state.gameStore, m_state.settings));
}

void frmVerify::showRunning() {}

void frmVerify::showDone()
{
    lvNotFound->show();
}

// A verification runs to its end: neither Esc nor the window's close button (which comes here) stops it.
void frmVerify::reject()
{
    if (!isRunning())
        ReportWindow::reject();
}
