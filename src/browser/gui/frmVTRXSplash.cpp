#include "browser/gui/frmVTRXSplash.h"

#include "browser/StartupSplash.h"
#include "browser/gui/MainWindowPictures.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

frmVTRXSplash::frmVTRXSplash(platform::SingleInstance& instance, QSettings& store)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_instance(instance), m_store(store)
{
    setObjectName(QStringLiteral("frmVTRXSplash"));
    setWindowTitle(QStringLiteral("vintrax"));
}

bool frmVTRXSplash::Form_Load()
{
    const browser::SplashOutcome start = browser::runSplashStart(m_instance, m_store);
    if (!start.goesOn)
        return false;
    m_firstRun = start.firstRun;

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgSplash"));
    picture->setPixmap(browser::splashPicture());
    picture->adjustSize();
    setFixedSize(picture->size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    QCoreApplication::processEvents();

    // There is no first-run sound on this system: the splash goes straight on to the main window.
    return true;
}
