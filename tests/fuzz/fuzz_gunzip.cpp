// The gzip stream as the gunzip tool reads it: the stored name, the decoded data and the trailer check.
#include "FuzzSupport.h"
#include "GzipDecoder.h"
#include "GzipNames.h"
#include "TrailerCheck.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray input = fuzz::bytesOf(data, size);
    QByteArray storedName;
    QString error;
    if (readStoredName(input.left(1 << 20), &storedName, &error))
        chooseOutputName(QStringLiteral("game.gz"), storedName, &error);
    storedBaseName(storedName);

    const QString path = fuzz::scratchFile(QStringLiteral("game.gz"), data, size);
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    DecodedGzip decoded;
    if (!decodeGzip(path, out, &decoded, &error)) {
        if (error.isEmpty())
            fuzz::fail("a failed decode without a reason");
        return 0;
    }
    QBuffer gz(&input);
    gz.open(QIODevice::ReadOnly);
    trailersMatch(gz, out, decoded.size, decoded.crc, &error);
    return 0;
}
