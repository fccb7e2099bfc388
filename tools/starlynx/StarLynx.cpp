#include "StarLynx.h"

#include "c64/D64Writer.h"
#include "c64/HostNames.h"
#include "c64/LynxArchive.h"
#include "platform/SaveFile.h"

#include <QFile>
#include <QFileInfo>

namespace starlynx {

QByteArray diskNameFor(const QString& lynxPath)
{
    const QString fileName = QFileInfo(lynxPath).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return c64::cbmNameFromHost(dot > 0 ? fileName.left(dot) : fileName, 16);
}

bool extractToD64(const QString& lynxPath, const QString& outPath, QString* error)
{
    QFile in(lynxPath);
    if (!QFileInfo(lynxPath).isFile()) {
        *error = QStringLiteral("%1: no such file").arg(lynxPath);
        return false;
    }
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(lynxPath, in.errorString());
        return false;
    }
    QString why;
    const std::optional<c64::CbmFileList> files = c64::readLynxFiles(in.readAll(), &why);
    if (!files) {
        *error = QStringLiteral("%1: %2").arg(lynxPath, why);
        return false;
    }
    const std::optional<QByteArray> image = c64::buildD64(diskNameFor(lynxPath), QByteArrayLiteral("LX"), *files, &why);
    if (!image) {
        *error = QStringLiteral("%1: %2").arg(lynxPath, why);
        return false;
    }
    return platform::saveFile(outPath, *image, error);
}

} // namespace starlynx
