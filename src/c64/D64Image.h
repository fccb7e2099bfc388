#pragma once

#include "c64/D64Directory.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace c64 {

// A whole 1541 disk image held in memory. Only the four standard sizes are accepted; every read is checked
// against the image's track count.
class D64Image
{
public:
    // Nothing, with the reason in *error, when the size is not one of the four known image sizes.
    static std::optional<D64Image> fromBytes(const QByteArray& bytes, QString* error = nullptr);

    int tracks() const { return m_tracks; }
    bool hasErrorBytes() const;
    const QByteArray& bytes() const { return m_bytes; }

    std::optional<QByteArray> sector(int track, int sector) const;
    // The 16 bytes of the disk name and the two ID bytes, as stored in the BAM sector.
    QByteArray diskNameBytes() const;
    QByteArray diskId() const;

    d64::Directory directory() const;

    // Follows a file's sector chain from its first block. Fails with a reason on a link outside the image, a
    // chain that comes back to a sector it already used, or a first block of 0/x.
    std::optional<QByteArray> readFile(int track, int sector, QString* error = nullptr) const;
    std::optional<QByteArray> readFile(const d64::DirEntry& entry, QString* error = nullptr) const
    {
        return readFile(entry.track, entry.sector, error);
    }

private:
    D64Image(const QByteArray& bytes, int tracks) : m_bytes(bytes), m_tracks(tracks) {}

    QByteArray m_bytes;
    int m_tracks = 0;
};

} // namespace c64
