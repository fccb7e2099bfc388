#pragma once

#include "maintenance/ReportModel.h"
#include "maintenance/RunDriver.h"

#include <QDialog>
#include <QSet>

#include <array>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeView;

// What the verification and the missing-files windows share: two explanations, a title, Start and Cancel, a
// progress bar while the run goes, the report list and Close. Start hands the run to the window, which drives it
// from the event loop: ready, then running (progress, Close shown but disabled, hourglass), then done (Close
// enabled). When the main window closes during a run, the run ends first, keeping what it finished, and the
// window closes with it.
class ReportWindow : public QDialog
{
    Q_OBJECT

public:
    struct Texts
    {
        QString caption;
        std::array<QString, 2> info;
        QString title;
        QStringList columns;
        QList<int> columnTwips;
    };

    ReportWindow(const Texts& texts, QWidget* mainWindow);
    ~ReportWindow() override;

    bool isRunning() const;
    const maintenance::ReportModel& report() const { return m_model; }

protected:
    // Starts the run; its rows, progress and end come back through the hooks below.
    void startRun(std::unique_ptr<maintenance::SteppedRun> run);
    // Ends a run before its end (nothing when none runs).
    void endRun();
    // The form shows the running and the done state (after a failure, once the user has been told).
    virtual void showRunning() = 0;
    virtual void showDone() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

    std::array<QLabel*, 2> lblInfo{};
    QLabel* lblTitle = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdClose = nullptr;
    QProgressBar* pbWait = nullptr;
    QTreeView* lvNotFound = nullptr;

private:
    void cmdCancel_Click();
    void cmdClose_Click();
    void lvNotFound_ColumnClick(int column);
    void RowsFound(const QVector<maintenance::ReportRow>& rows);
    void runEnded(const QString& failure);

    maintenance::ReportModel m_model;
    std::unique_ptr<maintenance::SteppedRun> m_run;
    std::unique_ptr<maintenance::RunDriver> m_driver;
    QWidget* m_mainWindow = nullptr;
    QSet<QString> m_fileTypesSeen;
};
