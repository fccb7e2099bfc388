#include "maintenance/gui/ReportWindow.h"

#include "platform/MessageBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Sizes are given in twips, 15 to a device-independent pixel.
int pixels(int twips)
{
    return twips / 15;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

ReportWindow::ReportWindow(const Texts& texts, QWidget* mainWindow)
    : QDialog(mainWindow), m_model(texts.columns), m_mainWindow(mainWindow)
{
    setWindowTitle(texts.caption);
    for (int i = 0; i < 2; ++i) {
        lblInfo[size_t(i)] = new QLabel(texts.info[size_t(i)], this);
        lblInfo[size_t(i)]->setObjectName(QStringLiteral("lblInfo"));
        lblInfo[size_t(i)]->setProperty("index", i);
        lblInfo[size_t(i)]->setWordWrap(true);
    }
    lblTitle = new QLabel(texts.title, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    cmdStart = button(QStringLiteral("cmdStart"), QStringLiteral("&Start"), this);
    cmdStart->setDefault(true);
    cmdCancel = button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
    cmdClose = button(QStringLiteral("cmdClose"), QStringLiteral("&Close"), this);
    cmdClose->hide();
    cmdClose->setEnabled(false);
    pbWait = new QProgressBar(this);
    pbWait->setObjectName(QStringLiteral("pbWait"));
    pbWait->setRange(0, 100);
    pbWait->hide();
    lvNotFound = new QTreeView(this);
    lvNotFound->setObjectName(QStringLiteral("lvNotFound"));
    lvNotFound->setModel(&m_model);
    lvNotFound->setRootIsDecorated(false);
    lvNotFound->setUniformRowHeights(true);
    lvNotFound->setAllColumnsShowFocus(true);
    lvNotFound->header()->setSectionsClickable(true);
    lvNotFound->header()->setSortIndicatorShown(false);
    for (int i = 0; i < texts.columnTwips.size(); ++i)
        lvNotFound->setColumnWidth(i, pixels(texts.columnTwips.at(i)));
    lvNotFound->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo[0]);
    layout->addWidget(lblInfo[1]);
    layout->addWidget(lblTitle);
    layout->addWidget(lvNotFound, 1);
    layout->addStretch();
    layout->addWidget(pbWait);
    layout->addLayout(buttons);

    connect(cmdCancel, &QPushButton::clicked, this, &ReportWindow::cmdCancel_Click);
    connect(cmdClose, &QPushButton::clicked, this, &ReportWindow::cmdClose_Click);
    connect(lvNotFound->header(), &QHeaderView::sectionClicked, this, &ReportWindow::lvNotFound_ColumnClick);
    if (m_mainWindow)
        m_mainWindow->installEventFilter(this);
    // The inner area of the designed window.
    resize(pixels(8535), pixels(3495));
}

ReportWindow::~ReportWindow()
{
    if (m_mainWindow)
        m_mainWindow->removeEventFilter(this);
}

bool ReportWindow::isRunning() const
{
    return m_driver && m_driver->isRunning();
}

void ReportWindow::startRun(std::unique_ptr<maintenance::SteppedRun> run)
{
    m_run = std::move(run);
    m_driver = std::make_unique<maintenance::RunDriver>(*m_run);
    connect(m_driver.get(), &maintenance::RunDriver::rowsFound, this, &ReportWindow::RowsFound);
    connect(m_driver.get(), &maintenance::RunDriver::progress, pbWait, &QProgressBar::setValue);
    connect(m_driver.get(), &maintenance::RunDriver::finished, this, &ReportWindow::runEnded);
    cmdStart->hide();
    cmdCancel->hide();
    lblInfo[0]->hide();
    lblInfo[1]->hide();
    pbWait->setValue(0);
    pbWait->show();
    cmdClose->show();
    cmdClose->setEnabled(false);
    showRunning();
    setCursor(Qt::WaitCursor);
    m_driver->start();
}

void ReportWindow::RowsFound(const QVector<maintenance::ReportRow>& rows)
{
    m_model.append(rows);
    // The kinds of file are few; the first column is widened to the longest of them, where the designed width
    // is too narrow for this system's font.
    for (const maintenance::ReportRow& row : rows) {
        if (m_fileTypesSeen.contains(row[0]))
            continue;
        m_fileTypesSeen.insert(row[0]);
        const int wanted = lvNotFound->fontMetrics().horizontalAdvance(row[0]) +
                           3 * lvNotFound->style()->pixelMetric(QStyle::PM_HeaderMargin);
        if (wanted > lvNotFound->columnWidth(0))
            lvNotFound->setColumnWidth(0, wanted);
    }
}

void ReportWindow::runEnded(const QString& failure)
{
    pbWait->hide();
    cmdClose->setEnabled(true);
    cmdClose->setDefault(true);
    cmdClose->setFocus();
    unsetCursor();
    if (!failure.isEmpty())
        platform::MessageBox::exclamation(failure);
    showDone();
}

void ReportWindow::endRun()
{
    if (isRunning())
        m_driver->stop();
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Before the main window closes the catalogue, the run ends and this window goes.
    if (watched == m_mainWindow && event->type() == QEvent::Close) {
        endRun();
        done(QDialog::Rejected);
    }
    return QDialog::eventFilter(watched, event);
}

void ReportWindow::cmdCancel_Click()
{
    reject();
}

void ReportWindow::cmdClose_Click()
{
    accept();
}

void ReportWindow::lvNotFound_ColumnClick(int column)
{
    m_model.sort(column);
    lvNotFound->header()->setSortIndicatorShown(true);
    lvNotFound->header()->setSortIndicator(column, Qt::AscendingOrder);
}
