#include "maintenance/gui/frmNotFound.h"

#include "appstate/AppState.h"
#include "maintenance/MissingFilesRun.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

ReportWindow::Texts missingFilesTexts()
{
    ReportWindow::Texts texts;
    texts.caption = QStringLiteral("vintrax MISSING FILES Report");
    texts.info = {QStringLiteral("This utility should be used immediately after running an Update for the "
                                 "High-Voltage Sid Collection, as certain Sid Tunes can be relocated to different "
                                 "directories."),
                  QStringLiteral("This utility will search through your Database and display all the referenced "
                                 "Filenames that are not found.")};
    texts.title = QStringLiteral("Below are a list of files referenced in vintrax.mdb that could not be found:");
    texts.columns = maintenance::missingFilesColumns();
    texts.columnTwips = {1300, 3000, 5000};
    return texts;
}

} // namespace

frmNotFound::frmNotFound(app::AppState& state, QWidget* mainWindow)
    : ReportWindow(missingFilesTexts(), mainWindow), m_state(state)
{
    setObjectName(QStringLiteral("frmNotFound"));
    setWindowFlag(Qt::Window);
    lblTitle->hide();
    lblOK = new QLabel(QStringLiteral("NO MISSING FILES"), this);
    lblOK->setObjectName(QStringLiteral("lblOK"));
    lblOK->setAlignment(Qt::AlignCenter);
    lblOK->hide();
    // Below the title, where the list would be.
    static_cast<QVBoxLayout*>(layout())->insertWidget(3, lblOK);
    connect(cmdStart, &QPushButton::clicked, this, &frmNotFound::cmdStart_Click);
}

void frmNotFound::cmdStart_Click()
{
    startRun(std::make_unique<maintenance::MissingFilesRun>(m_state.catalogue.db(), m_state.settings,
                                                            m_state.folders().screenshots));
}

void frmNotFound::showRunning()
{
    lvNotFound->show();
    lblTitle->show();
}

void frmNotFound::showDone()
{
    if (report().rowCount() == 0)
        lblOK->show();
}

void frmNotFound::reject()
{
    endRun();
    ReportWindow::reject();
}
