#pragma once

#include <QIODevice>
#include <QString>

#include <cstdint>

// libarchive decompresses gzip without looking at the trailers, so a file whose compressed bits were damaged
// can still decode. This compares the decoded output with the CRC-32 and length that every member trailer
// keeps: a single member must match the whole output; several members (files joined with cat) must cover it
// back to back. Zero bytes after the last member (block padding) are ignored, as gzip ignores them; other
// trailing data fails.
// gz and out are random-access devices holding the compressed file and the decoded output.
bool trailersMatch(QIODevice& gz, QIODevice& out, std::uint64_t outSize, std::uint32_t outCrc, QString* error);
