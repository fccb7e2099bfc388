#pragma once

// The program on the 30,000-game benchmark catalogue, for the benchmarks that drive the real windows. Header-only:
// the including benchmark defines VINTRAX_STAGE_DIR and VINTRAX_TOOLS_DIR (the staged program folder and tools).
#include "BenchCatalogue.h"

#include "app/Program.h"
#include "browser/StartupSequence.h"
#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/Snapshot.h"
#include "data/settings/SettingsStore.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace bench {

// A program folder (the four tools, the staged catalogue with 30,000 games added), a settings file
// that starts without first-run notes on the all-games view with a game in the middle of the list
// selected, and a runtime folder for the children's instance lock.
class BenchProgram
{
public:
    BenchProgram() { m_error = build(); }
    ~BenchProgram() { closeWindow(); }

    const QString& error() const { return m_error; }
    const QString& currentGame() const { return m_currentGame; }

    QProcessEnvironment childEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.*=false"));
        env.insert(QStringLiteral("VINTRAX_HOME"), path("program"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("runtime-child"));
        return env;
    }

    // The program loaded in this process, as the child loads it; nullptr when the start ended.
    app::Program* running()
    {
        if (!m_program && m_error.isEmpty()) {
            qputenv("VINTRAX_HOME", path("program").toLocal8Bit());
            m_store = openSettingsStore(iniPath());
            m_program = std::make_unique<app::Program>(*m_store,
                                                       platform::currentFolders(platform::FolderLayout::ProgramFolder));
            if (!m_program->start())
                m_error = QStringLiteral("the window did not load");
        }
        return m_error.isEmpty() ? m_program.get() : nullptr;
    }

    // Must run while the application object still exists.
    void closeWindow()
    {
        if (m_program && m_program->mainWindow())
            m_program->mainWindow()->close();
        m_program.reset();
        m_store.reset();
    }

private:
    QString path(const char* relative) const { return m_root.filePath(QString::fromLatin1(relative)); }
    QString iniPath() const { return path("config/Vintrax/Vintrax.ini"); }

    QString build()
    {
        if (!m_root.isValid())
            return QStringLiteral("no temporary folder");
        QDir root(m_root.path());
        for (const char* folder :
             {"program/Conversion", "program/Screenshots", "program/CURRGAME", "config/Vintrax", "runtime-child"}) {
            if (!root.mkpath(QString::fromLatin1(folder)))
                return QStringLiteral("cannot make %1").arg(QLatin1String(folder));
        }
        // Qt refuses a runtime folder that others may enter.
        QFile::setPermissions(path("runtime-child"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString& tool : browser::requiredConversionTools()) {
            const QString from = QDir(QStringLiteral(VINTRAX_TOOLS_DIR)).filePath(tool);
            if (!QFile::copy(from, QDir(path("program/Conversion")).filePath(tool)))
                return QStringLiteral("cannot copy %1 (build the vintrax_stage target)").arg(from);
        }
        const QString catalogueFile = path("program/Vintrax.mdb");
        const QString staged = QDir(QStringLiteral(VINTRAX_STAGE_DIR)).filePath(catalogue::kFileName);
        if (!QFile::copy(staged, catalogueFile))
            return QStringLiteral("cannot copy %1 (build the vintrax_stage target)").arg(staged);
        QFile::setPermissions(catalogueFile, QFile::ReadOwner | QFile::WriteOwner);

        catalogue::Database db;
        if (!db.open(catalogueFile).ok() || !bench::addBenchGames(db))
            return QStringLiteral("cannot add the games to %1").arg(catalogueFile);
        m_currentGame = playableGameInTheMiddle(db);
        db.close();
        if (m_currentGame.isEmpty())
            return QStringLiteral("no playable game in the list");

        QSettings ini(iniPath(), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Startup"));
        ini.setValue(QStringLiteral("ShowPrefs"), QStringLiteral("False"));
        ini.setValue(QStringLiteral("V13Start"), QStringLiteral("True"));
        ini.setValue(QStringLiteral("WhatListBox"), 0);
        ini.setValue(QStringLiteral("CurrentGame"), m_currentGame);
        ini.endGroup();
        ini.sync();
        return ini.status() == QSettings::NoError ? QString() : QStringLiteral("cannot write %1").arg(iniPath());
    }

    // The first game with a game file from the middle of the all-games list on: it stays selected in the
    // playable view, so both halves of a switch restore the selection.
    static QString playableGameInTheMiddle(catalogue::Database& db)
    {
        catalogue::Snapshot rows = catalogue::Snapshot::fromView(db, catalogue::kGameNameList);
        for (int row = rows.recordCount() / 2; row < rows.recordCount(); ++row) {
            const qint64 colour = rows.valueAt(row, 1).toLongLong();
            if (colour == catalogue::kBlack || colour == catalogue::kBlue)
                return rows.valueAt(row, 0).toString();
        }
        return {};
    }

    QTemporaryDir m_root;
    QString m_error;
    QString m_currentGame;
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<app::Program> m_program;
};

} // namespace bench
