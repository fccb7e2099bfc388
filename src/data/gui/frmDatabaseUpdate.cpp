#include "data/gui/frmDatabaseUpdate.h"

#include "data/Catalogue.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Window measures are kept in twips, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;
} // namespace

frmDatabaseUpdate::frmDatabaseUpdate(catalogue::Catalogue& catalogue, bool addTrainedFields,
                                     std::function<PortDefaults()> readDefaults, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_addTrainedFields(addTrainedFields),
      m_readDefaults(std::move(readDefaults))
{
    setObjectName(QStringLiteral("frmDatabaseUpdate"));
    setWindowTitle(QStringLiteral("Updating Database for use with vintrax v1.2..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    pbUpdate = new QProgressBar(this);
    pbUpdate->setObjectName(QStringLiteral("pbUpdate"));
    pbUpdate->setRange(0, 100);
    pbUpdate->setValue(0);
    lblGame = new QLabel(this);
    lblGame->setObjectName(QStringLiteral("lblGame"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pbUpdate);
    layout->addWidget(lblGame);
    Form_Load();
}

void frmDatabaseUpdate::Form_Load()
{
    setFixedSize(6135 / kTwipsPerPixel, 855 / kTwipsPerPixel);
}

void frmDatabaseUpdate::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, &frmDatabaseUpdate::Form_Activate);
    }
}

void frmDatabaseUpdate::reject()
{
    // Escape and the close button do nothing; the window closes itself when the upgrade ends.
}

void frmDatabaseUpdate::Form_Activate()
{
    m_defaults = m_readDefaults ? m_readDefaults() : PortDefaults{};
    catalogue::UpgradeProgress progress;
    progress.schemaChanged = [] { QCoreApplication::processEvents(); };
    progress.row = [this](const QString& game, double percent) {
        lblGame->setText(game);
        pbUpdate->setValue(static_cast<int>(percent));
        QCoreApplication::processEvents();
    };
    m_result = catalogue::upgradeCatalogue(m_catalogue, m_addTrainedFields, m_defaults, progress);
    hide();
    QCoreApplication::processEvents();
    done(m_result.ok ? QDialog::Accepted : QDialog::Rejected);
}
