#include "launch/UnzipToFolder.h"

#include "c64/ArchiveLimits.h"
#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <archive.h>
#include <archive_entry.h>

#include <cstring>
#include <memory>

namespace launch {

QString memberBaseName(const QString& storedName)
{
    const qsizetype cut = std::max(storedName.lastIndexOf(QLatin1Char('/')), storedName.lastIndexOf(QLatin1Char('\\')));
    QString base = storedName.mid(cut + 1);
    if (base == QStringLiteral(".") || base == QStringLiteral(".."))
        return {};
    return base;
}

namespace {

struct ArchiveDeleter
{
    void operator()(archive* a) const { archive_read_free(a); }
};

QString entryName(archive_entry* entry)
{
    if (const char* utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    if (const char* raw = archive_entry_pathname(entry))
        return QString::fromLatin1(raw); // names from old DOS zips: byte for byte
    return {};
}

// libarchive's reason, or the system's, or at least what was being done: a failure always names its cause.
QString libraryError(archive* a, const QString& doing)
{
    QString reason;
    if (const char* text = archive_error_string(a); text && *text)
        reason = QString::fromLocal8Bit(text);
    else if (const int e = archive_errno(a); e > 0)
        reason = QString::fromLocal8Bit(std::strerror(e));
    else
        reason = QStringLiteral("the archive is damaged");
    return doing + QStringLiteral(": ") + reason;
}

QString tooLarge(const QString& base)
{
    return QStringLiteral("%1 unpacks to more than %2 MB, too large for a C64 game")
        .arg(base)
        .arg(c64::kArchiveMemberLimit >> 20);
}

QString tooLargeInTotal()
{
    return QStringLiteral("the archive unpacks to more than %1 MB, too large for C64 games")
        .arg(c64::kArchiveTotalLimit >> 20);
}

bool hasControlCharacters(const QString& name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

// A name as a report can show it: control characters as "?".
QString printable(const QString& name)
{
    QString out = name;
    for (QChar& c : out) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return out;
}

using ArchivePtr = std::unique_ptr<archive, ArchiveDeleter>;

ArchivePtr openZip(const QString& zipPath, QString* error)
{
    ArchivePtr a(archive_read_new());
    archive_read_support_format_zip(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(zipPath).constData(), 64 * 1024) != ARCHIVE_OK) {
        *error = libraryError(a.get(), QStringLiteral("cannot open %1").arg(zipPath));
        return nullptr;
    }
    return a;
}

bool isExtracted(archive_entry* entry, const QString& base)
{
    return archive_entry_filetype(entry) == AE_IFREG && !base.isEmpty();
}

// Reads the member headers alone, so that an archive the extraction would refuse is refused before anything is
// written: too many members, a name with control characters, a stored size beyond the limits. Damage is left to
// the extraction, which also counts the bytes a member really unpacks to.
bool checkMembers(const QString& zipPath, QString* error)
{
    const ArchivePtr a = openZip(zipPath, error);
    if (!a)
        return false;
    int members = 0;
    qint64 declared = 0;
    archive_entry* entry = nullptr;
    for (int r; (r = archive_read_next_header(a.get(), &entry)) != ARCHIVE_EOF;) {
        if (r != ARCHIVE_OK) {
            *error = libraryError(a.get(), QStringLiteral("cannot read member %1").arg(members + 1));
            return false;
        }
        if (++members > c64::kArchiveMemberCountLimit) {
            *error = QStringLiteral("the archive holds more than %1 members, far more than a C64 game needs")
                         .arg(c64::kArchiveMemberCountLimit);
            return false;
        }
        const QString stored = entryName(entry);
        const QString base = memberBaseName(stored);
        if (isExtracted(entry, base)) {
            if (hasControlCharacters(base)) {
                *error = QStringLiteral("the member name \"%1\" holds control characters").arg(printable(stored));
                return false;
            }
            const qint64 size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
            declared += size;
            if (size > c64::kArchiveMemberLimit || declared > c64::kArchiveTotalLimit) {
                *error = size > c64::kArchiveMemberLimit ? tooLarge(base) : tooLargeInTotal();
                return false;
            }
        }
        if (archive_read_data_skip(a.get()) != ARCHIVE_OK) {
            *error = libraryError(a.get(), QStringLiteral("cannot skip %1").arg(printable(stored)));
            return false;
        }
    }
    return true;
}

} // namespace

UnzipResult UnzipToFolder(const QString& folder, const QString& zipPath)
{
    UnzipResult result;
    auto fail = [&result](const QString& error) {
        result.failed = true;
        result.error = error;
        return result;
    };
    auto writeFail = [&result, &fail](const QString& error) {
        result.writeFailed = true;
        return fail(error);
    };
    const QDir dir(folder);
    if (!dir.exists())
        return writeFail(QStringLiteral("the folder %1 is missing").arg(folder));

    QString error;
    if (!checkMembers(zipPath, &error))
        return fail(error);
    const ArchivePtr a = openZip(zipPath, &error);
    if (!a)
        return fail(error);

    // A member half written by an extraction that was killed is removed first (its content is not synced, see below).
    platform::removeLeftovers(folder, platform::SaveFile::tempNames());
    // What the folder holds, by case-folded name, listed once: an existing file of the same name in another
    // letter case is the one to overwrite, and each written member joins the set.
    QHash<QString, QString> names;
    for (const QString& existing : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        names.insert(existing.toCaseFolded(), existing);

    qint64 total = 0;
    int members = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF)
            break;
        if (r != ARCHIVE_OK) // a warning is a damaged archive too
            return fail(libraryError(a.get(), QStringLiteral("cannot read member %1").arg(members + 1)));
        ++members;
        const QString stored = entryName(entry);
        const QString base = memberBaseName(stored);
        if (!isExtracted(entry, base)) {
            if (archive_read_data_skip(a.get()) != ARCHIVE_OK)
                return fail(libraryError(a.get(), QStringLiteral("cannot skip %1").arg(printable(stored))));
            continue;
        }

        const QString key = base.toCaseFolded();
        const QString target = dir.filePath(names.value(key, base));
        const QFileInfo there(target);
        // The folder was emptied for this archive, and links inside it are never extracted: a link found here was
        // put there by someone else. It is removed rather than followed, so nothing is written outside the folder,
        // and the member takes its place as it would take the place of any other file of that name.
        if (there.isSymLink() && !QFile::remove(target))
            return writeFail(QStringLiteral("cannot remove the link %1").arg(target));
        if (!there.isSymLink() && there.exists() && !there.isFile())
            return writeFail(QStringLiteral("%1: something that is not a file is in the way").arg(target));

        // The working folder holds copies that the next start makes again: each member is renamed into place whole,
        // but not synced (a sync per member made a large archive take many seconds on a disk).
        platform::SaveFile out(target, platform::SaveFile::Kind::Scratch);
        if (!out.open())
            return writeFail(out.errorString());
        char buffer[64 * 1024];
        qint64 written = 0;
        for (;;) {
            const la_ssize_t n = archive_read_data(a.get(), buffer, sizeof buffer);
            if (n == 0)
                break;
            if (n < 0)
                return fail(libraryError(a.get(), QStringLiteral("cannot unpack %1").arg(base)));
            written += n;
            total += n;
            if (written > c64::kArchiveMemberLimit)
                return fail(tooLarge(base));
            if (total > c64::kArchiveTotalLimit)
                return fail(tooLargeInTotal());
            if (!out.write(buffer, n))
                return writeFail(out.errorString());
        }
        if (!out.commit())
            return writeFail(out.errorString());
        names.insert(key, QFileInfo(target).fileName());
        ++result.filesWritten;
    }
    return result;
}

} // namespace launch
