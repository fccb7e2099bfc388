#include "c64/ImageListing.h"

#include "c64/D64Directory.h"
#include "c64/D64Geometry.h"
#include "c64/T64Image.h"
#include "platform/RegularFile.h"

#include <QFile>

namespace c64 {

namespace {

void addProblem(ImageListing& listing, const QString& problem)
{
    listing.partial = true;
    listing.problem = listing.problem.isEmpty() ? problem : listing.problem + QLatin1Char(' ') + problem;
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

void listD64(QFile& file, ImageListing& listing)
{
    const qint64 size = file.size();
    int tracks = d64::tracksForImageSize(size);
    if (tracks == 0) {
        // Still list whatever directory sectors the file holds, as far as a 40-track layout reaches.
        addProblem(listing, QStringLiteral("Unknown D64 image size (%1 bytes).").arg(size));
        tracks = d64::MaxTracks;
    }
    const d64::SectorReader readSector = [&file, size, tracks](int t, int s) -> std::optional<QByteArray> {
        const std::optional<qint64> offset = d64::sectorOffset(t, s, tracks);
        if (!offset || *offset + d64::SectorSize > size || !file.seek(*offset))
            return std::nullopt;
        QByteArray data = file.read(d64::SectorSize);
        if (data.size() != d64::SectorSize)
            return std::nullopt;
        return data;
    };
    const std::optional<QByteArray> bam = readSector(d64::DirectoryTrack, 0);
    if (!bam) {
        addProblem(listing, QStringLiteral("The image ends before its directory track."));
        return;
    }
    listing.name = withoutTrailingBlanks(d64::nameText(bam->mid(0x90, 16)));
    const d64::Directory dir = d64::readDirectory(readSector, tracks);
    for (const d64::DirEntry& e : dir.entries)
        listing.entries.append(d64::nameText(e.name) + d64::typeText(e.type));
    if (!dir.isComplete())
        addProblem(listing, dir.problem());
}

void listT64(QFile& file, ImageListing& listing)
{
    QString error;
    const std::optional<T64Directory> header = T64Directory::parse(file.read(T64HeaderSize), &error);
    if (!header) {
        addProblem(listing, error.left(1).toUpper() + error.mid(1) + QLatin1Char('.'));
        return;
    }
    // Read no more than the header and the entries it counts.
    file.seek(0);
    const std::optional<T64Directory> dir =
        T64Directory::parse(file.read(T64HeaderSize + qint64(header->usedEntries) * T64EntrySize));
    listing.name = t64NameText(dir->tapeName);
    for (const T64Entry& e : dir->entries)
        listing.entries.append(t64NameText(e.name));
    if (dir->truncated)
        addProblem(listing, QStringLiteral("The tape image ends after %1 of its %2 entries.")
                                .arg(dir->entries.size())
                                .arg(dir->usedEntries));
}

} // namespace

ImageKind imageKindOf(const QString& path)
{
    const QString last4 = path.right(4);
    const QString upper = last4.toUpper();
    if (upper == QLatin1String(".T64"))
        return ImageKind::T64;
    if (upper == QLatin1String(".D64"))
        return ImageKind::D64;
    if (last4 != upper && last4 != last4.toLower())
        return ImageKind::Unknown;
    if (upper == QLatin1String(".P00"))
        return ImageKind::P00;
    if (upper == QLatin1String(".P01"))
        return ImageKind::P01;
    if (upper == QLatin1String(".PRG"))
        return ImageKind::PRG;
    if (upper == QLatin1String(".TAP"))
        return ImageKind::TAP;
    return ImageKind::Unknown;
}

ImageListing listImage(const QString& imagePath)
{
    ImageListing listing;
    listing.kind = imageKindOf(imagePath);
    if (listing.kind != ImageKind::D64 && listing.kind != ImageKind::T64) {
        // Single-program files are not opened; the label names their kind by the upper-cased ending.
        if (listing.kind != ImageKind::Unknown)
            listing.name = imagePath.right(4).toUpper() + QStringLiteral(" FILE");
        return listing;
    }
    QFile file;
    QString error;
    if (!platform::openRegularFile(file, imagePath, &error)) {
        addProblem(listing, QStringLiteral("The image could not be opened: %1.").arg(error));
        return listing;
    }
    if (listing.kind == ImageKind::D64)
        listD64(file, listing);
    else
        listT64(file, listing);
    return listing;
}

} // namespace c64
