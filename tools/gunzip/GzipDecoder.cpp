#include "GzipDecoder.h"

#include "Crc32.h"

#include "c64/ArchiveLimits.h"
#include "platform/DeviceWrite.h"

#include <QFile>

#include <archive.h>
#include <archive_entry.h>

#include <memory>
#include <vector>

namespace {

// The output is one file, so the limit for one member of an archive holds. It also stays far below 4 GiB, the
// most the member trailers can check.
constexpr std::uint64_t kMaxOutput = std::uint64_t(c64::kArchiveMemberLimit);

struct ArchiveFree
{
    void operator()(archive* a) const { archive_read_free(a); }
};

QString libraryError(archive* a, const char* fallback)
{
    const char* text = archive_error_string(a);
    return QString::fromLocal8Bit(text ? text : fallback);
}

} // namespace

bool decodeGzip(const QString& path, QIODevice& out, DecodedGzip* result, QString* error)
{
    std::unique_ptr<archive, ArchiveFree> a(archive_read_new());
    if (!a) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    // Only the gzip filter: with the raw format alone, libarchive would take any file as a one-member archive.
    // The raw format does not accept an empty stream, which is what a compressed empty file gives; the empty
    // format does.
    archive_read_support_filter_gzip(a.get());
    archive_read_support_format_raw(a.get());
    archive_read_support_format_empty(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(path).constData(), 64 * 1024) != ARCHIVE_OK) {
        *error = libraryError(a.get(), "cannot open");
        return false;
    }
    archive_entry* entry = nullptr;
    const int first = archive_read_next_header(a.get(), &entry);
    if (first != ARCHIVE_OK && first != ARCHIVE_EOF) {
        *error = libraryError(a.get(), "not in gzip format");
        return false;
    }
    const int filters = archive_filter_count(a.get());
    if (filters < 2 || archive_filter_code(a.get(), 0) != ARCHIVE_FILTER_GZIP) {
        *error = QStringLiteral("not in gzip format");
        return false;
    }
    if (filters > 2) {
        // libarchive would peel every layer; gunzip removes exactly one.
        *error = QStringLiteral("holds gzip data inside gzip data, which is not supported");
        return false;
    }

    DecodedGzip decoded;
    if (first == ARCHIVE_EOF) {
        *result = decoded;
        return true;
    }
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const la_ssize_t n = archive_read_data(a.get(), buffer.data(), buffer.size());
        if (n == 0)
            break;
        if (n < 0) {
            *error = libraryError(a.get(), "invalid compressed data");
            return false;
        }
        decoded.size += static_cast<std::uint64_t>(n);
        if (decoded.size > kMaxOutput) {
            *error = QStringLiteral("decompresses to more than %1 MB, too large for a C64 game").arg(kMaxOutput >> 20);
            return false;
        }
        decoded.crc = crc32Update(decoded.crc, buffer.data(), static_cast<std::size_t>(n));
        QString reason;
        if (!platform::writeWhole(out, buffer.data(), n, &reason)) {
            *error = QStringLiteral("cannot write the output: %1").arg(reason);
            return false;
        }
    }
    if (archive_read_next_header(a.get(), &entry) != ARCHIVE_EOF) {
        *error = libraryError(a.get(), "unexpected data after the compressed stream");
        return false;
    }
    *result = decoded;
    return true;
}
