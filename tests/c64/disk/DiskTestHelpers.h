#pragma once

#include "ProcessRunner.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace disktest {

// An independent program (cc1541, cbmconvert) with the normal PATH; a staged tool with an empty PATH.
testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir);
testsupport::RunResult runTool(const QString& name, const QStringList& args, const QString& workDir);
bool succeeded(const testsupport::RunResult& r);
QString describe(const testsupport::RunResult& r);
bool haveProgram(const QString& program);

// A failed tool run: non-zero exit, nothing on stdout, one line on stderr starting with "<tool>: ".
bool isCleanFailure(const testsupport::RunResult& r, const QString& tool, QString* why);

// Runs a tool in root/work that must refuse: true when it failed cleanly with the reason in its message and left
// root and work as they were; otherwise false with what went wrong in *why.
bool refusedCleanly(const QString& tool, const QStringList& args, const QString& root, const QString& reason,
                    QString* why);

// Every entry of a folder, hidden ones included, sorted.
QStringList folderEntries(const QString& folder);

// Repeatable random-looking bytes, and a C64 program: load address then such bytes.
QByteArray noise(int size, quint32 seed);
QByteArray program(quint16 loadAddress, int bodySize, quint32 seed);

// cc1541's own directory listing of an image (taken from a copy, since cc1541 may rewrite what it opens).
struct Cc1541Entry
{
    int blocks = 0;
    QString name; // as cc1541 prints it: PETSCII letters shown in lower case
    QString type; // "prg", "seq<", "*prg", ...
};
struct Cc1541Listing
{
    bool ok = false;
    QString diskName;
    QList<Cc1541Entry> entries;
    int blocksFree = -1;
};
Cc1541Listing cc1541List(const QByteArray& image);

// Runs cc1541 in a scratch folder holding the given files (name -> contents) and returns the image it made.
QByteArray cc1541Image(const QStringList& args, const QMap<QString, QByteArray>& files = {});

// Extracts every file of a container with cbmconvert ("-d" disk image, "-t" tape, "-l" Lynx) into native files;
// returns file name -> contents, or an empty map with the reason in *why.
QMap<QString, QByteArray> cbmconvertExtract(const QString& inputOption, const QByteArray& container,
                                            const QString& containerName, QString* why = nullptr);

// Makes a Lynx archive with cbmconvert from native files, in the order given; names end in ".prg", ".seq", ...
using NamedFiles = QList<QPair<QString, QByteArray>>;
QByteArray cbmconvertLynx(const NamedFiles& files);

} // namespace disktest

#define VERIFY_RAN(result) QVERIFY2(disktest::succeeded(result), qPrintable(disktest::describe(result)))
