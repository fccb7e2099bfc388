#include "c64/SidHeader.h"

#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"

#include <QFile>
#include <QFileInfo>

namespace c64 {

namespace {

const QByteArray kMagic = QByteArrayLiteral("PSID");

// A PSID tune holds at most 64 KB of C64 memory behind its header; a larger file is no tune to rewrite.
constexpr qint64 kMaxTuneSize = 1024 * 1024;

// 31 bytes of a 32-byte field; a zero byte is skipped, so text after it still counts.
QString fieldText(const QByteArray& header, int offset)
{
    QString text;
    for (int i = offset; i < offset + 31; ++i) {
        const char c = header.at(i);
        if (c != '\0')
            text += QChar(uchar(c));
    }
    return text;
}

int bigEndian16(const QByteArray& header, int offset)
{
    return uchar(header.at(offset)) * 256 + uchar(header.at(offset + 1));
}

} // namespace

std::optional<SidHeaderFields> parseSidHeader(const QByteArray& bytes)
{
    if (!bytes.startsWith(kMagic))
        return std::nullopt;
    QByteArray header = bytes.left(SidHeaderSize);
    if (header.size() < SidHeaderSize)
        header.append(QByteArray(SidHeaderSize - header.size(), '\0'));
    SidHeaderFields f;
    f.name = fieldText(header, SidNameOffset);
    f.author = fieldText(header, SidAuthorOffset);
    f.copyright = fieldText(header, SidCopyrightOffset);
    f.songs = bigEndian16(header, SidSongsOffset);
    f.startSong = bigEndian16(header, SidStartSongOffset);
    return f;
}

bool ReadSidHeader(const QString& path, QString& name, QString& author, QString& copyright, int& startSong, int& songs)
{
    QFile file;
    if (!platform::openRegularFile(file, path))
        return false;
    const std::optional<SidHeaderFields> f = parseSidHeader(file.read(SidHeaderSize));
    if (!f)
        return false;
    name = f->name;
    author = f->author;
    copyright = f->copyright;
    startSong = f->startSong;
    songs = f->songs;
    return true;
}

SidWriteOutcome WriteSidStartSong(const QString& path, int song)
{
    if (song < 1 || song > SidHighestSong)
        return {SidWriteResult::BadSong, {}};
    // A link is rewritten at its target, so the link stays a link.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString target = canonical.isEmpty() ? path : canonical;
    QFile tune;
    QString error;
    if (!platform::openRegularFile(tune, target, &error))
        return {SidWriteResult::NotFound, error};
    // A rename over a read-only file succeeds, and root may write anywhere: the permission bits decide.
    if (platform::isReadOnlyFile(target) || platform::isReadOnlyFile(platform::FolderOfPath(target)))
        return {SidWriteResult::ReadOnly, {}};
    tune.close();

    const std::optional<QByteArray> read = platform::readRegularFile(target, kMaxTuneSize, &error);
    if (!read)
        return {SidWriteResult::NotFound, error};
    QByteArray bytes = *read;
    if (bytes.size() < SidHeaderSize || !bytes.startsWith(kMagic))
        return {SidWriteResult::NotPsid, {}};
    bytes[SidStartSongOffset] = char(song >> 8);
    bytes[SidStartSongOffset + 1] = char(song & 0xff);

    // The whole file is replaced through the checked, synced saver: the tune is never missing or torn, and it
    // keeps its permissions.
    if (!platform::saveFile(target, bytes, &error))
        return {SidWriteResult::Failed, error};
    return {SidWriteResult::Written, {}};
}

QString sidWriteFailureMessage(const QString& path, const SidWriteOutcome& outcome)
{
    const QString lead = QStringLiteral("The default starting tune of %1 was not changed: ").arg(path);
    switch (outcome.result) {
    case SidWriteResult::Written:
        return {};
    case SidWriteResult::BadSong:
        return lead + QStringLiteral("a tune can start with song 1 to 256 only.");
    case SidWriteResult::NotFound:
        return lead + QStringLiteral("the file cannot be opened (%1).").arg(outcome.error);
    case SidWriteResult::NotPsid:
        return lead + QStringLiteral("the file is no longer a PlaySID tune with a complete header.");
    case SidWriteResult::ReadOnly:
        return lead + QStringLiteral("the file or its folder is read-only.");
    case SidWriteResult::Failed:
        break;
    }
    return lead + QStringLiteral("the new file could not be written (%1). The tune is unchanged.").arg(outcome.error);
}

} // namespace c64
