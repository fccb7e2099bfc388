#pragma once

#include "TestFolders.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantMap>

namespace startuptest {

// What a start of the program needs on disk: a program folder (VINTRAX_HOME) holding the four conversion
// tools and a copy of the staged demo catalogue, a settings file of its own (not created until something
// writes it) and an instance-lock folder of its own (XDG_RUNTIME_DIR points at it while the object lives),
// so tests can run side by side.
class StartupFolders
{
public:
    StartupFolders();
    ~StartupFolders();
    StartupFolders(const StartupFolders&) = delete;
    StartupFolders& operator=(const StartupFolders&) = delete;

    bool isValid() const { return m_valid; }
    QString programPath() const { return m_program.path(); }
    QString programFile(const QString& relative) const { return m_program.file(relative); }
    QString iniPath() const { return m_config.filePath(QStringLiteral("Vintrax.ini")); }
    QString tempFile(const QString& name) const { return m_config.filePath(name); }

    // Keys of the "Startup" section written straight into the settings file, as a hand edit would.
    void presetSettings(const QVariantMap& values) const;
    void removeSetting(const QString& key) const;
    QVariant storedValue(const QString& key) const;

protected:
    bool m_valid = false;

private:
    testsupport::TempProgramFolder m_program;
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QByteArray m_oldRuntime;
};

} // namespace startuptest
