#pragma once

#include "DemoContent.h"

#include <QString>
#include <QStringList>

namespace demofiles {

struct DemoWriteReport
{
    QStringList written; // relative paths
    QStringList kept;    // already there, left alone
    QStringList failed;  // "path: reason"
};

// Writes a new file under a temporary name in the target's folder and moves it into place only when it is
// complete. The move never replaces a file: when one appeared meanwhile, it is kept and this write fails.
bool writeNewFile(const QString& path, const QByteArray& bytes, QString* error);

// Writes every demo file that does not exist yet below stageDir (creating folders as needed); an existing file,
// whatever it holds, is the user's and is never touched. Failures are collected and the rest still written.
DemoWriteReport writeMissingDemoFiles(const QString& stageDir, const QList<DemoFile>& files);

} // namespace demofiles
