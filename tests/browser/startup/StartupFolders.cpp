#include "StartupFolders.h"

#include "browser/StartupSequence.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QSettings>

namespace startuptest {

StartupFolders::StartupFolders()
{
    m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    m_valid = m_program.isValid() && m_config.isValid() && m_runtime.isValid();
    for (const QString& tool : browser::requiredConversionTools())
        m_valid = m_valid && QFile::copy(testsupport::toolPath(tool), platform::conversionToolPath(tool));
    m_valid =
        m_valid && QFile::copy(testsupport::stageDir() + QStringLiteral("/Vintrax.mdb"), platform::catalogueFilePath());
    QFile::setPermissions(platform::catalogueFilePath(), QFile::ReadOwner | QFile::WriteOwner);
}

StartupFolders::~StartupFolders()
{
    qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
}

void StartupFolders::presetSettings(const QVariantMap& values) const
{
    QSettings ini(iniPath(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Startup"));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        ini.setValue(it.key(), it.value());
    ini.endGroup();
    ini.sync();
}

void StartupFolders::removeSetting(const QString& key) const
{
    QSettings ini(iniPath(), QSettings::IniFormat);
    ini.remove(QStringLiteral("Startup/") + key);
    ini.sync();
}

QVariant StartupFolders::storedValue(const QString& key) const
{
    QSettings ini(iniPath(), QSettings::IniFormat);
    return ini.value(QStringLiteral("Startup/") + key);
}

} // namespace startuptest
