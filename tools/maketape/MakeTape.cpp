#include "MakeTape.h"

#include "c64/CbmFile.h"
#include "c64/HostNames.h"
#include "c64/T64Writer.h"
#include "platform/SaveFile.h"

#include <QFile>
#include <QFileInfo>

namespace maketape {

namespace {

// The tape name names a file in the current folder, never a path somewhere else.
bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

QByteArray entryNameFor(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(QLatin1String(".prg"), Qt::CaseInsensitive))
        name.chop(4);
    return c64::cbmNameFromHost(name, 16);
}

bool makeTape(const QString& tapeName, const QStringList& files, QString* error)
{
    if (!isPlainName(tapeName)) {
        *error = QStringLiteral("the tape name \"%1\" is not a plain file name").arg(tapeName);
        return false;
    }
    c64::CbmFileList contents;
    for (const QString& path : files) {
        QFile in(path);
        if (!QFileInfo(path).isFile()) {
            *error = QStringLiteral("%1: no such file").arg(path);
            return false;
        }
        if (!in.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("%1: %2").arg(path, in.errorString());
            return false;
        }
        const QByteArray data = in.readAll();
        if (data.size() < 2) {
            *error = QStringLiteral("%1: too short for a C64 program (%2 bytes, a load address needs 2)")
                         .arg(path)
                         .arg(data.size());
            return false;
        }
        contents.append(c64::CbmFile{entryNameFor(path), c64::FileType::Prg, data});
    }
    QString why;
    const std::optional<QByteArray> tape = c64::buildT64(c64::cbmNameFromHost(tapeName, 24), contents, &why);
    if (!tape) {
        *error = why;
        return false;
    }
    return platform::saveFile(tapeName + QStringLiteral(".t64"), *tape, error);
}

} // namespace maketape
