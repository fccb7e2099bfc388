#include "GzipNames.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr unsigned char kFlagExtra = 0x04;
constexpr unsigned char kFlagName = 0x08;

} // namespace

bool readStoredName(const QByteArray& head, QByteArray* storedName, QString* error)
{
    storedName->clear();
    const auto byte = [&head](qsizetype i) { return static_cast<unsigned char>(head.at(i)); };
    if (head.size() < 10 || byte(0) != 0x1F || byte(1) != 0x8B || byte(2) != 8) {
        *error = QStringLiteral("not in gzip format");
        return false;
    }
    const unsigned char flags = byte(3);
    qsizetype pos = 10;
    if (flags & kFlagExtra) {
        if (pos + 2 > head.size()) {
            *error = QStringLiteral("unexpected end of file");
            return false;
        }
        pos += 2 + (byte(pos) | (byte(pos + 1) << 8));
    }
    if (!(flags & kFlagName))
        return true;
    if (pos >= head.size()) {
        *error = QStringLiteral("unexpected end of file");
        return false;
    }
    const qsizetype end = head.indexOf('\0', pos);
    if (end < 0) {
        *error = QStringLiteral("stored file name is not terminated");
        return false;
    }
    *storedName = head.mid(pos, end - pos);
    return true;
}

QString storedBaseName(const QByteArray& storedName)
{
    const qsizetype slash = std::max(storedName.lastIndexOf('/'), storedName.lastIndexOf('\\'));
    const QByteArray base = storedName.mid(slash + 1);
    if (base.isEmpty() || base == "." || base == "..")
        return {};
    for (char c : base) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return {};
    }
    return QFile::decodeName(base);
}

QString strippedName(const QString& fileName)
{
    struct Suffix
    {
        const char* suffix;
        const char* replacement;
    };
    static const Suffix suffixes[] = {{".tgz", ".tar"}, {".taz", ".tar"}, {".gz", ""}, {"-gz", ""},
                                      {".z", ""},       {"-z", ""},       {"_z", ""}};
    for (const Suffix& s : suffixes) {
        const QLatin1String suffix(s.suffix);
        if (fileName.size() > suffix.size() && fileName.endsWith(suffix, Qt::CaseInsensitive))
            return fileName.left(fileName.size() - suffix.size()) + QLatin1String(s.replacement);
    }
    return {};
}

QString chooseOutputName(const QString& inputFileName, const QByteArray& storedName, QString* error)
{
    const QString stored = storedBaseName(storedName);
    if (!stored.isEmpty() && stored.compare(inputFileName, Qt::CaseInsensitive) != 0)
        return stored;
    const QString stripped = strippedName(inputFileName);
    if (stripped.isEmpty())
        *error = QStringLiteral("unknown suffix -- ignored");
    return stripped;
}
