#include "c64/ZipCodeSet.h"

#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace c64 {

namespace {

// The largest valid part (the fourth: 175 records of at most 259 bytes after its load address) is under 45 KiB.
constexpr qint64 kPartReadLimit = 64 * 1024;

QString partName(int part, const QString& setBase)
{
    return QStringLiteral("%1!%2").arg(part).arg(setBase);
}

} // namespace

ZipCodeSetFiles findZipCodeSet(const QString& folder, const QString& setBase)
{
    ZipCodeSetFiles result;
    if (setBase.contains(QLatin1Char('/')) || setBase.contains(QChar(0))) {
        result.error = QStringLiteral("the set name \"%1\" is not a plain file name").arg(setBase);
        return result;
    }
    const QDir dir(folder);
    if (!dir.exists()) {
        result.error = QStringLiteral("the folder %1 does not exist").arg(folder);
        return result;
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (int part = 1; part <= kZipCodePartCount; ++part) {
        const QString wanted = partName(part, setBase);
        QFileInfoList matches;
        for (const QFileInfo& entry : entries) {
            if (entry.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
                matches << entry;
        }
        if (matches.isEmpty()) {
            result.error = QStringLiteral("cannot find %1 in the working folder").arg(wanted);
            return result;
        }
        QFileInfo chosen = matches.first();
        if (matches.size() > 1) {
            auto exact = std::find_if(matches.cbegin(), matches.cend(),
                                      [&](const QFileInfo& m) { return m.fileName() == wanted; });
            if (exact == matches.cend()) {
                result.error = QStringLiteral("several files are named %1 in different letter case").arg(wanted);
                return result;
            }
            chosen = *exact;
        }
        if (chosen.isSymLink()) {
            result.error = QStringLiteral("%1 is a symbolic link, not a plain file").arg(chosen.fileName());
            return result;
        }
        if (!chosen.isFile()) {
            result.error = QStringLiteral("%1 is not a plain file").arg(chosen.fileName());
            return result;
        }
        result.paths[size_t(part - 1)] = chosen.absoluteFilePath();
    }
    result.ok = true;
    return result;
}

bool readZipCodePart(const QString& path, QByteArray* data, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    *data = file.read(kPartReadLimit);
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read %1: %2").arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    return true;
}

bool convertZipCodeSet(const QString& folder, const QString& setBase, const QString& outPath, QString* error)
{
    if (outPath.isEmpty()) {
        *error = QStringLiteral("no output file name given");
        return false;
    }
    const ZipCodeSetFiles files = findZipCodeSet(folder, setBase);
    if (!files.ok) {
        *error = files.error;
        return false;
    }
    const QString target = QDir(folder).absoluteFilePath(outPath);
    const QString targetCanonical = QFileInfo(target).canonicalFilePath();
    std::array<QByteArray, kZipCodePartCount> parts;
    for (int i = 0; i < kZipCodePartCount; ++i) {
        const QString& path = files.paths[size_t(i)];
        if (!targetCanonical.isEmpty() && targetCanonical == QFileInfo(path).canonicalFilePath()) {
            *error = QStringLiteral("the output file would replace %1").arg(QFileInfo(path).fileName());
            return false;
        }
        if (!readZipCodePart(path, &parts[size_t(i)], error))
            return false;
    }
    const ZipCodeDecodeResult decoded = decodeZipCodeSet(parts);
    if (!decoded.ok) {
        *error = QStringLiteral("%1 is damaged: %2")
                     .arg(QFileInfo(files.paths[size_t(decoded.failedPart - 1)]).fileName(), decoded.error);
        return false;
    }
    return platform::saveFile(target, decoded.image, error);
}

} // namespace c64
