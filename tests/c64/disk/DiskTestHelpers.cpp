#include "DiskTestHelpers.h"

#include "TestFolders.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace disktest {

testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir)
{
    return testsupport::runOracle(program, args, workDir);
}

testsupport::RunResult runTool(const QString& name, const QStringList& args, const QString& workDir)
{
    return testsupport::runProgram(testsupport::toolPath(name), args, workDir, true);
}

bool succeeded(const testsupport::RunResult& r)
{
    return r.started && !r.crashed && r.exitCode == 0;
}

QString describe(const testsupport::RunResult& r)
{
    return QStringLiteral("started=%1 crashed=%2 exit=%3 stderr=%4")
        .arg(r.started)
        .arg(r.crashed)
        .arg(r.exitCode)
        .arg(QString::fromLocal8Bit(r.err));
}

bool haveProgram(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool isCleanFailure(const testsupport::RunResult& r, const QString& tool, QString* why)
{
    const QString err = QString::fromLocal8Bit(r.err);
    if (!r.started || r.crashed)
        *why = QStringLiteral("did not run or crashed");
    else if (r.exitCode == 0)
        *why = QStringLiteral("exit code 0");
    else if (!r.out.isEmpty())
        *why = QStringLiteral("wrote to stdout: ") + QString::fromLocal8Bit(r.out);
    else if (!err.startsWith(tool + QStringLiteral(": ")) || !err.endsWith(QLatin1Char('\n')) ||
             err.count(QLatin1Char('\n')) != 1)
        *why = QStringLiteral("stderr is not one line starting with the tool name: ") + err;
    else
        return true;
    return false;
}

bool refusedCleanly(const QString& tool, const QStringList& args, const QString& root, const QString& reason,
                    QString* why)
{
    const QString work = QDir(root).filePath(QStringLiteral("work"));
    const QStringList rootBefore = folderEntries(root);
    const QStringList workBefore = folderEntries(work);
    const testsupport::RunResult r = runTool(tool, args, work);
    if (!isCleanFailure(r, tool, why))
        return false;
    if (!QString::fromLocal8Bit(r.err).contains(reason))
        *why = QStringLiteral("the message does not give the reason: ") + QString::fromLocal8Bit(r.err);
    else if (folderEntries(work) != workBefore || folderEntries(root) != rootBefore)
        *why = QStringLiteral("the run left files behind");
    else
        return true;
    return false;
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray out(size, '\0');
    quint32 x = seed * 2654435761u + 12345u;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out[i] = static_cast<char>(x >> 24);
    }
    return out;
}

QByteArray program(quint16 loadAddress, int bodySize, quint32 seed)
{
    QByteArray out;
    out.append(static_cast<char>(loadAddress & 0xFF));
    out.append(static_cast<char>(loadAddress >> 8));
    return out + noise(bodySize, seed);
}

Cc1541Listing cc1541List(const QByteArray& image)
{
    Cc1541Listing listing;
    QTemporaryDir dir;
    if (!testsupport::writeFile(dir.filePath(QStringLiteral("copy.d64")), image))
        return listing;
    const testsupport::RunResult r = oracle(QStringLiteral("cc1541"), {QStringLiteral("copy.d64")}, dir.path());
    if (!succeeded(r))
        return listing;
    static const QRegularExpression header(QStringLiteral("^0 .*\"(.{16})\""));
    static const QRegularExpression entry(QStringLiteral("^(\\d+)\\s+\"([^\"]*)\"\\s*(\\S+)\\s*$"));
    static const QRegularExpression freeLine(QStringLiteral("^(\\d+) blocks free"));
    for (const QString& line : QString::fromLatin1(r.out).split(QLatin1Char('\n'))) {
        QRegularExpressionMatch m = header.match(line);
        if (m.hasMatch() && listing.diskName.isEmpty()) {
            listing.diskName = m.captured(1);
            continue;
        }
        m = entry.match(line);
        if (m.hasMatch()) {
            listing.entries.append({m.captured(1).toInt(), m.captured(2), m.captured(3)});
            continue;
        }
        m = freeLine.match(line);
        if (m.hasMatch())
            listing.blocksFree = m.captured(1).toInt();
    }
    listing.ok = listing.blocksFree >= 0;
    return listing;
}

QByteArray cc1541Image(const QStringList& args, const QMap<QString, QByteArray>& files)
{
    QTemporaryDir dir;
    for (auto it = files.begin(); it != files.end(); ++it)
        testsupport::writeFile(dir.filePath(it.key()), it.value());
    const testsupport::RunResult r = oracle(
        QStringLiteral("cc1541"), QStringList{QStringLiteral("-q")} + args + QStringList{"made.d64"}, dir.path());
    if (!succeeded(r))
        return {};
    return testsupport::readFile(dir.filePath(QStringLiteral("made.d64")));
}

QMap<QString, QByteArray> cbmconvertExtract(const QString& inputOption, const QByteArray& container,
                                            const QString& containerName, QString* why)
{
    QMap<QString, QByteArray> files;
    QTemporaryDir dir;
    const QString inputDir = dir.filePath(QStringLiteral("in"));
    const QString outputDir = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(outputDir);
    testsupport::writeFile(QDir(inputDir).filePath(containerName), container);
    const testsupport::RunResult r = oracle(
        QStringLiteral("cbmconvert"),
        {QStringLiteral("-v1"), QStringLiteral("-N"), inputOption, QDir(inputDir).filePath(containerName)}, outputDir);
    if (!succeeded(r)) {
        if (why)
            *why = describe(r);
        return files;
    }
    for (const QString& name : QDir(outputDir).entryList(QDir::Files))
        files.insert(name, testsupport::readFile(QDir(outputDir).filePath(name)));
    return files;
}

QByteArray cbmconvertLynx(const NamedFiles& files)
{
    QTemporaryDir dir;
    QStringList args{QStringLiteral("-v0"), QStringLiteral("-L"), QStringLiteral("made.lnx"), QStringLiteral("-n")};
    for (const auto& [name, data] : files) {
        testsupport::writeFile(dir.filePath(name), data);
        args << name;
    }
    const testsupport::RunResult r = oracle(QStringLiteral("cbmconvert"), args, dir.path());
    if (!succeeded(r))
        return {};
    return testsupport::readFile(dir.filePath(QStringLiteral("made.lnx")));
}

} // namespace disktest
