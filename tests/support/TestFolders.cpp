#include "TestFolders.h"
#include "FakeTool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

TempProgramFolder::TempProgramFolder()
{
    m_hadHome = qEnvironmentVariableIsSet("VINTRAX_HOME");
    m_oldHome = qgetenv("VINTRAX_HOME");
    for (const char* folder : {"Conversion", "Screenshots", "CURRGAME"})
        QDir(m_dir.path()).mkpath(folder);
    qputenv("VINTRAX_HOME", m_dir.path().toLocal8Bit());
}

TempProgramFolder::~TempProgramFolder()
{
    if (m_hadHome)
        qputenv("VINTRAX_HOME", m_oldHome);
    else
        qunsetenv("VINTRAX_HOME");
}

QString TempProgramFolder::file(const QString& relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFakeTool(const QString& folder, const QString& name, const QString& body)
{
    const QString path = QDir(folder).filePath(name);
    const QString script = QStringLiteral("#!/bin/sh\n"
                                          "log=\"%1.log\"\n"
                                          // the log appears whole: tests read it as soon as it exists
                                          "pwd > \"$log.part\"\n"
                                          "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$log.part\"; done\n"
                                          "mv -f \"$log.part\" \"$log\"\n"
                                          "%2\n")
                               .arg(path, body);
    QFile::remove(path);
    return writeFile(path, script.toUtf8()) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

QString stageDir()
{
    return QStringLiteral(VINTRAX_STAGE_DIR);
}

QString toolPath(const QString& toolName)
{
    return QDir(QStringLiteral(VINTRAX_TOOLS_DIR)).filePath(toolName);
}

} // namespace testsupport
