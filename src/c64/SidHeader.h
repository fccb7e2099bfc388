#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace c64 {

// The fixed part of a one-file PSID tune: magic, version, addresses, song count, start song, speed and the
// three 32-byte texts. Later header versions add fields behind it, which are never read here.
constexpr int SidHeaderSize = 118;
constexpr int SidSongsOffset = 14;
constexpr int SidStartSongOffset = 16;
constexpr int SidNameOffset = 22;
constexpr int SidAuthorOffset = 54;
constexpr int SidCopyrightOffset = 86;
// The start song is stored in two bytes, but a tune holds at most 256 songs, the highest the rewrite stores.
constexpr int SidHighestSong = 256;

struct SidHeaderFields
{
    QString name;
    QString author;
    QString copyright;
    int startSong = 0; // 1-based; both numbers read unsigned, 0 to 65535
    int songs = 0;
};

// The header of the bytes of a tune: nothing unless they begin with "PSID". Bytes missing behind the magic
// count as zero. Each text is taken from the first 31 bytes of its field, zero bytes skipped (not taken as
// its end), every other byte one Latin-1 character.
std::optional<SidHeaderFields> parseSidHeader(const QByteArray& bytes);

// Reads the header of the tune at path into the out-values. False, with every out-value left as it was, for
// a file that cannot be read, is no regular file (a FIFO is never waited for) or does not begin with "PSID" (a
// two-part tune, a ".mus" file).
bool ReadSidHeader(const QString& path, QString& name, QString& author, QString& copyright, int& startSong, int& songs);

enum class SidWriteResult
{
    Written,
    BadSong,  // not 1 to 256
    NotFound, // the tune cannot be read: missing, over 1 MB, or no regular file (a FIFO or a device is never waited
              // for)
    NotPsid,  // shorter than the header, or no "PSID" at its start: no start song to rewrite
    ReadOnly, // the tune or its folder grants write to nobody
    Failed,   // the temporary file could not be written, synced or renamed; the tune is as it was
};

struct SidWriteOutcome
{
    SidWriteResult result = SidWriteResult::Failed;
    QString error; // the system's reason, for Failed and NotFound

    bool ok() const { return result == SidWriteResult::Written; }
};

// Rewrites the start song of the tune at path (song 1 to 256; 256 is stored 0x01 0x00) and leaves every other
// byte as it was. The new file is written whole beside the tune, flushed and synced, then renamed over it in one
// step (platform::SaveFile); on any failure the tune stays byte for byte and the temporary file is removed.
SidWriteOutcome WriteSidStartSong(const QString& path, int song);

// What the user is told when a rewrite did not happen.
QString sidWriteFailureMessage(const QString& path, const SidWriteOutcome& outcome);

} // namespace c64
