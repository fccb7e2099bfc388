#pragma once

#include "FakeTool.h" // writeFakeTool

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace testsupport {

// Writes a ZIP with exactly these member names (any text, "../x" and "/etc/x" included), for the cases
// the zip tool refuses to make.
bool writeZipWithNames(const QString& zipPath, const QList<QPair<QString, QByteArray>>& members);

// Makes a ZIP with the real zip tool from files created in a scratch folder; names may contain folders.
bool zipWithTool(const QString& zipPath, const QList<QPair<QString, QByteArray>>& members);

// Bytes that stand for a C64 program: load address $0801 and some code.
QByteArray programBytes(int seed, int size = 600);

// Archive members written as text, one a line: "NAME=content", "NAME=prg:N" (programBytes(N)), "NAME=*N" (N zero
// bytes) or "NAME" (its own name as content).
QList<QPair<QString, QByteArray>> membersFrom(const QStringList& lines);

} // namespace testsupport
