#include "LynxWriter.h"

#include "c64/D64Writer.h"
#include "c64/LittleEndian.h"

namespace c64 {

namespace {

constexpr char CR = 0x0D;
constexpr char ShiftedBlank = static_cast<char>(0xA0);
constexpr quint16 BasicStart = 0x0801;
constexpr char TokenPrint = static_cast<char>(0x99);
constexpr char ClearScreen = static_cast<char>(0x93);
constexpr int MaxNameBytes = 16;
// Some Lynx readers refuse a header line shorter than the classic ones, so the signature is as long as theirs.
constexpr char Signature[] = "*LYNX ARCHIVE BY VINTRAX";

// 10 PRINT"<clear>LYNX ARCHIVE: DISSOLVE IT WITH LYNX", so LOAD and RUN on a C64 explain the file.
QByteArray basicStub()
{
    QByteArray line;
    line += '\0';
    line += '\0'; // link, filled in below
    line += QByteArray("\x0A\x00", 2);
    line += TokenPrint;
    line += '"';
    line += ClearScreen;
    line += "LYNX ARCHIVE: DISSOLVE IT WITH LYNX\"";
    line += '\0';
    putU16(line, 0, static_cast<quint16>(BasicStart + line.size()));
    QByteArray stub(2, '\0');
    putU16(stub, 0, BasicStart);
    return stub + line + QByteArray(2, '\0');
}

// Numbers as the C64 prints them, with a blank on either side.
QByteArray number(qint64 n)
{
    return ' ' + QByteArray::number(n) + ' ';
}

char typeLetter(FileType type)
{
    switch (type) {
    case FileType::Del:
        return 'D';
    case FileType::Seq:
        return 'S';
    case FileType::Usr:
        return 'U';
    case FileType::Rel:
        return 'R';
    case FileType::Prg:
        break;
    }
    return 'P';
}

// 0 for an empty file, which the archive stores without data.
qint64 archiveBlocks(qint64 length)
{
    return (length + BlockDataSize - 1) / BlockDataSize;
}

QByteArray directoryEntries(const CbmFileList& files)
{
    QByteArray dir;
    for (const CbmFile& f : files) {
        const qint64 blocks = archiveBlocks(f.data.size());
        const qint64 lastValue = blocks == 0 ? 0 : f.data.size() - (blocks - 1) * BlockDataSize + 1;
        dir += f.name + QByteArray(MaxNameBytes - f.name.size(), ShiftedBlank) + CR;
        dir += number(blocks) + CR;
        dir += typeLetter(f.type);
        dir += CR;
        dir += number(lastValue) + CR;
    }
    return dir;
}

QString checkFiles(const CbmFileList& files)
{
    if (files.isEmpty())
        return QStringLiteral("a Lynx archive needs at least one file");
    if (files.size() > MaxDiskFiles)
        return QStringLiteral("%1 files do not fit in one disk directory (at most %2)")
            .arg(files.size())
            .arg(MaxDiskFiles);
    qint64 diskBlocks = 0;
    for (const CbmFile& f : files) {
        const QString name = QString::fromLatin1(f.name);
        if (f.name.isEmpty())
            return QStringLiteral("a file has no name");
        if (f.name.size() > MaxNameBytes)
            return QStringLiteral("the name \"%1\" is longer than %2 characters").arg(name).arg(MaxNameBytes);
        if (f.name.contains(CR) || f.name.contains(ShiftedBlank))
            return QStringLiteral("the name \"%1\" holds a carriage return or a shifted blank").arg(name);
        if (f.type == FileType::Rel)
            return QStringLiteral("relative (REL) files cannot be put in the archive");
        diskBlocks += blocksForLength(f.data.size());
    }
    if (diskBlocks > DiskBlocks)
        return QStringLiteral("the files need %1 blocks but a disk holds only %2").arg(diskBlocks).arg(DiskBlocks);
    return {};
}

void padToBlock(QByteArray& bytes)
{
    const qint64 rest = bytes.size() % BlockDataSize;
    if (rest != 0)
        bytes.append(QByteArray(BlockDataSize - rest, '\0'));
}

} // namespace

std::optional<QByteArray> buildLynx(const CbmFileList& files, QString* error)
{
    const QString problem = checkFiles(files);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    const QByteArray stub = basicStub();
    const QByteArray entries = directoryEntries(files);
    // The header names the directory's own size in blocks, and writing that number can make it longer: settle it.
    QByteArray directory;
    qint64 dirBlocks = 1;
    for (;;) {
        directory = stub + CR + number(dirBlocks) + ' ' + Signature + CR + number(files.size()) + CR + entries;
        const qint64 needed = archiveBlocks(directory.size());
        if (needed <= dirBlocks)
            break;
        dirBlocks = needed;
    }
    QByteArray archive = directory;
    archive.append(QByteArray(dirBlocks * BlockDataSize - archive.size(), '\0'));
    for (const CbmFile& f : files) {
        archive += f.data;
        padToBlock(archive);
    }
    return archive;
}

} // namespace c64
