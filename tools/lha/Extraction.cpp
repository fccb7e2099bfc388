#include "Extraction.h"

#include "ArchiveStream.h"
#include "Crc16.h"
#include "MemberName.h"

#include "c64/ArchiveLimits.h"
#include "platform/DeviceWrite.h"
#include "platform/Leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A member is unpacked under such a name and renamed once every member is complete.
const platform::TempNames kTempNames{QStringLiteral(".lha-")};

struct ReaderFree
{
    void operator()(LHAReader* r) const { lha_reader_free(r); }
};

struct FileClose
{
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool isDirectoryOrLink(const LHAFileHeader* header)
{
    return std::strcmp(header->compress_method, LHA_COMPRESS_TYPE_DIR) == 0 || header->symlink_target != nullptr;
}

bool methodSupported(const LHAFileHeader* header)
{
    char method[sizeof header->compress_method];
    std::memcpy(method, header->compress_method, sizeof method);
    return lha_decoder_for_name(method) != nullptr;
}

QFileDevice::Permissions newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions p;
    if (mode & S_IRUSR)
        p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR)
        p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP)
        p |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP)
        p |= QFileDevice::WriteGroup;
    if (mode & S_IROTH)
        p |= QFileDevice::ReadOther;
    if (mode & S_IWOTH)
        p |= QFileDevice::WriteOther;
    return p;
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(bytes >> 20);
}

// Decompresses the current member into out; false with a reason on damage, on a member or archive that unpacks to
// more than the limits allow (total counts what the members before it unpacked to), and on a write the disk
// refuses.
bool readMember(LHAReader* reader, LHAFileHeader* header, const ArchiveStream& input, QFile& out, qint64* unpacked,
                QString* error)
{
    // MacLHA archives may carry a MacBinary header inside the data; liblhasa would strip it and the CRC could no
    // longer be checked. The data is extracted as stored, as DOS LHA does.
    if (header->os_type == LHA_OS_TYPE_MACOS)
        header->os_type = LHA_OS_TYPE_UNKNOWN;
    std::vector<char> buffer(64 * 1024);
    std::uint16_t crc = 0;
    std::size_t total = 0;
    for (;;) {
        const std::size_t n = lha_reader_read(reader, buffer.data(), buffer.size());
        if (n == 0)
            break;
        total += n;
        *unpacked += qint64(n);
        if (total > std::size_t(c64::kArchiveMemberLimit)) {
            *error = QStringLiteral("unpacks to more than %1, too large for a C64 game")
                         .arg(megabytes(c64::kArchiveMemberLimit));
            return false;
        }
        if (*unpacked > c64::kArchiveTotalLimit) {
            *error = QStringLiteral("the archive unpacks to more than %1, too large for C64 games")
                         .arg(megabytes(c64::kArchiveTotalLimit));
            return false;
        }
        crc = crc16Update(crc, buffer.data(), n);
        QString reason;
        if (!platform::writeWhole(out, buffer.data(), static_cast<qint64>(n), &reason)) {
            *error = QStringLiteral("cannot write: %1").arg(reason);
            return false;
        }
    }
    // The data must be on the disk before the member is renamed over a file of its name; some file systems report a
    // full disk only now.
    if (!out.flush() || ::fsync(out.handle()) != 0) {
        *error = QStringLiteral("cannot write: %1")
                     .arg(out.error() != QFileDevice::NoError ? out.errorString()
                                                              : QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (input.dataTruncated() || total != header->length) {
        *error = QStringLiteral("data is cut off or damaged");
        return false;
    }
    if (crc != header->crc) {
        *error = QStringLiteral("CRC error");
        return false;
    }
    return true;
}

struct OpenArchive
{
    std::unique_ptr<std::FILE, FileClose> file;
    std::unique_ptr<ArchiveStream> input;
    std::unique_ptr<LHAReader, ReaderFree> reader;
};

bool openArchive(const QString& archivePath, OpenArchive* a, QString* error)
{
    a->file.reset(std::fopen(QFile::encodeName(archivePath).constData(), "rb"));
    if (!a->file) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    a->input = std::make_unique<ArchiveStream>(a->file.get());
    a->reader.reset(a->input->stream() ? lha_reader_new(a->input->stream()) : nullptr);
    if (!a->reader) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    lha_reader_set_dir_policy(a->reader.get(), LHA_READER_DIR_PLAIN);
    return true;
}

// Reads the headers alone, so that an archive beyond the limits is refused before anything is written: the
// member count and the lengths the headers give, each and in total. Damage is left to the extraction, which
// also catches a header whose length is not the truth.
bool checkLimits(const QString& archivePath, QString* error)
{
    OpenArchive a;
    if (!openArchive(archivePath, &a, error))
        return false;
    int count = 0;
    qint64 declared = 0;
    while (const LHAFileHeader* header = lha_reader_next_file(a.reader.get())) {
        if (++count > c64::kArchiveMemberCountLimit) {
            *error = QStringLiteral("holds more than %1 members, far more than a C64 game needs")
                         .arg(c64::kArchiveMemberCountLimit);
            return false;
        }
        if (isDirectoryOrLink(header))
            continue;
        const QString label = QString::fromLocal8Bit(header->filename ? header->filename : "");
        if (header->length > std::size_t(c64::kArchiveMemberLimit)) {
            *error = QStringLiteral("%1: unpacks to more than %2, too large for a C64 game")
                         .arg(label, megabytes(c64::kArchiveMemberLimit));
            return false;
        }
        declared += qint64(header->length);
        if (declared > c64::kArchiveTotalLimit) {
            *error = QStringLiteral("the archive unpacks to more than %1, too large for C64 games")
                         .arg(megabytes(c64::kArchiveTotalLimit));
            return false;
        }
    }
    return true;
}

} // namespace

bool extractMembers(const QString& archivePath, const QString& folder, std::vector<ExtractedMember>* members,
                    QString* error)
{
    OpenArchive a;
    if (!checkLimits(archivePath, error) || !openArchive(archivePath, &a, error))
        return false;
    ArchiveStream& input = *a.input;
    LHAReader* const reader = a.reader.get();

    platform::removeLeftovers(folder, kTempNames); // the unpacked members of an earlier run that was killed
    const QFileDevice::Permissions permissions = newFilePermissions();
    qint64 unpacked = 0;
    bool first = true;
    for (;;) {
        if (!first)
            input.expectHeader();
        LHAFileHeader* header = lha_reader_next_file(reader);
        if (!header)
            break;
        first = false;
        input.memberStarted();
        if (isDirectoryOrLink(header))
            continue;
        const QString name = memberFileName(header);
        const QString label = name.isEmpty() ? QString::fromLocal8Bit(header->filename ? header->filename : "") : name;
        if (name.isEmpty()) {
            *error = QStringLiteral("member \"%1\" has no usable file name").arg(label);
            return false;
        }
        if (!methodSupported(header)) {
            *error = QStringLiteral("%1: unsupported compression method %2")
                         .arg(label, QString::fromLatin1(header->compress_method));
            return false;
        }
        auto temp = std::make_unique<QTemporaryFile>(folder + QLatin1Char('/') + kTempNames.templateName());
        // Unbuffered: every write reaches the disk at once, and a refusal comes with its reason.
        if (!static_cast<QFile&>(*temp).open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            *error = QStringLiteral("cannot create a file in %1: %2").arg(folder, temp->errorString());
            return false;
        }
        QString reason;
        if (!readMember(reader, header, input, *temp, &unpacked, &reason)) {
            *error = label + QStringLiteral(": ") + reason;
            return false;
        }
        temp->setPermissions(permissions);
        temp->close();
        if (temp->error() != QFileDevice::NoError) {
            *error = QStringLiteral("%1: cannot write: %2").arg(label, temp->errorString());
            return false;
        }
        members->push_back({std::move(temp), name});
    }
    if (input.readFailed()) {
        *error = QStringLiteral("read error");
        return false;
    }
    if (first) {
        *error = QStringLiteral("not an LHA archive");
        return false;
    }
    if (!input.endedCleanly()) {
        *error = QStringLiteral("archive is truncated or damaged");
        return false;
    }
    return true;
}

bool moveIntoPlace(std::vector<ExtractedMember>& members, const QString& folder, QString* error)
{
    const QDir dir(folder);
    // Checked first, so that a name taken by a folder fails before any file has moved.
    for (const ExtractedMember& m : members) {
        if (QFileInfo(dir.filePath(m.name)).isDir()) {
            *error = QStringLiteral("%1: a folder of that name is in the way").arg(m.name);
            return false;
        }
    }
    for (ExtractedMember& m : members) {
        const QByteArray from = QFile::encodeName(m.data->fileName());
        const QByteArray to = QFile::encodeName(dir.filePath(m.name));
        if (std::rename(from.constData(), to.constData()) != 0) {
            *error = QStringLiteral("cannot create %1: %2").arg(m.name, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        m.data->setAutoRemove(false);
    }
    return true;
}
