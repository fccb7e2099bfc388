#include "DemoFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace demofiles {

bool writeNewFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1").arg(target.absolutePath());
        return false;
    }
    QTemporaryFile temp(target.absoluteFilePath() + QStringLiteral(".XXXXXX.part"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush()) {
        *error = QStringLiteral("cannot write a temporary file beside it: %1").arg(temp.errorString());
        return false;
    }
    // A temporary file is private to its owner; the demo files are as readable as any other file of the folder.
    temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    temp.close();
    // QFile::rename refuses to replace an existing file, so a file that appeared meanwhile survives.
    if (!QFile::rename(temp.fileName(), target.absoluteFilePath())) {
        *error = target.exists() || target.isSymLink() ? QStringLiteral("a file of that name appeared meanwhile")
                                                       : QStringLiteral("cannot move the new file into place");
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

DemoWriteReport writeMissingDemoFiles(const QString& stageDir, const QList<DemoFile>& files)
{
    DemoWriteReport report;
    const QDir stage(stageDir);
    for (const DemoFile& f : files) {
        const QString path = stage.filePath(f.relativePath);
        const QFileInfo info(path);
        // A dangling symbolic link is still the user's entry.
        if (info.exists() || info.isSymLink()) {
            report.kept.append(f.relativePath);
            continue;
        }
        QString error;
        const std::optional<QByteArray> bytes = f.build(&error);
        if (!bytes || !writeNewFile(path, *bytes, &error)) {
            report.failed.append(QStringLiteral("%1: %2").arg(f.relativePath, error));
            continue;
        }
        report.written.append(f.relativePath);
    }
    return report;
}

} // namespace demofiles
