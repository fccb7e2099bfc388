#pragma once

#include <QIODevice>
#include <QString>

#include <cstdint>

struct DecodedGzip
{
    std::uint64_t size = 0;
    std::uint32_t crc = 0; // CRC-32 of everything written
};

// Decompresses the gzip file at path (all its members, one after the other) into out.
// Anything that is not a clean gzip stream fails with a reason: input that does not start as gzip, gzip data
// nested inside gzip data, a truncated or damaged stream, every libarchive warning, and output beyond the limit
// for one member of an archive (c64/ArchiveLimits.h).
// The checksums in the member trailers are not checked here (libarchive skips them); see TrailerCheck.h.
bool decodeGzip(const QString& path, QIODevice& out, DecodedGzip* result, QString* error);
