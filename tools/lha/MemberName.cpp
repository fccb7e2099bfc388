#include "MemberName.h"

#include <QByteArray>
#include <QFile>

namespace {

constexpr unsigned char kExtFileName = 0x01;

// Everything after the last separator: '/', '\' and the 0xFF that level 2 headers use.
QByteArray baseOf(const QByteArray& path)
{
    qsizetype cut = -1;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char c = path.at(i);
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) == 0xFF)
            cut = i;
    }
    return path.mid(cut + 1);
}

// The file name as the header stores it, before liblhasa changed its case. Level 0 and 1 headers keep it in the
// fixed part; an extended "file name" header (levels 1 and 2) replaces it. Empty when it cannot be found.
QByteArray storedName(const LHAFileHeader* header)
{
    const unsigned char* raw = header->raw_data;
    const std::size_t size = header->raw_data_len;
    if (!raw)
        return {};
    QByteArray name;
    std::size_t ext = 0;
    if (header->header_level == 0 || header->header_level == 1) {
        if (size < 22)
            return {};
        const std::size_t length = raw[21];
        if (22 + length > size)
            return {};
        name = QByteArray(reinterpret_cast<const char*>(raw + 22), static_cast<qsizetype>(length));
        if (header->header_level == 0)
            return name;
        // The fixed part (raw[0] + 2 bytes) ends with the size of the first extended header.
        ext = raw[0];
    } else if (header->header_level == 2) {
        ext = 24;
    } else {
        return {};
    }
    // Extended headers: a 2-byte size (counting the next size field), a type byte, then the data.
    while (ext + 2 <= size) {
        const std::size_t length = raw[ext] | (std::size_t(raw[ext + 1]) << 8);
        if (length == 0)
            break;
        if (length < 3 || ext + length > size)
            return {};
        if (raw[ext + 2] == kExtFileName)
            name = QByteArray(reinterpret_cast<const char*>(raw + ext + 3), static_cast<qsizetype>(length - 3));
        ext += length;
    }
    return name;
}

bool usable(const QByteArray& name)
{
    if (name.isEmpty() || name == "." || name == "..")
        return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

} // namespace

QString memberFileName(const LHAFileHeader* header)
{
    if (!header->filename)
        return {};
    QByteArray name = baseOf(QByteArray(header->filename));
    const QByteArray original = baseOf(storedName(header));
    if (!original.isEmpty() && original.compare(name, Qt::CaseInsensitive) == 0)
        name = original;
    return usable(name) ? QFile::decodeName(name) : QString();
}
