#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A throw-away program folder (Conversion/, Screenshots/, CURRGAME/) with VINTRAX_HOME pointing at it
// for as long as the object lives.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const;
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome = false;
};

// Writes bytes to a file, creating parent folders; returns false on any failure.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// The staged program folder of this build (executable, Conversion/, demo catalogue).
QString stageDir();
QString toolPath(const QString& toolName);

} // namespace testsupport
