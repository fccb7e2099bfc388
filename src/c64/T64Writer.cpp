#include "c64/T64Writer.h"

#include "c64/LittleEndian.h"
#include "c64/T64Image.h"

namespace c64 {

namespace {

QByteArray blankPadded(const QByteArray& bytes, int size)
{
    QByteArray out = bytes.left(size);
    out.append(QByteArray(size - out.size(), ' '));
    return out;
}

} // namespace

std::optional<QByteArray> buildT64(const QByteArray& tapeName, const CbmFileList& files, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (files.isEmpty())
        return fail(QStringLiteral("no files to put on the tape"));
    if (files.size() > 0xFFFF)
        return fail(QStringLiteral("too many files for one tape image"));
    for (const CbmFile& f : files) {
        const QString name = QString::fromLatin1(f.name);
        if (f.data.size() < 2)
            return fail(QStringLiteral("%1 is shorter than a load address").arg(name));
        const qint64 start = *readU16(f.data, 0);
        if (start + f.data.size() - 2 > 0xFFFF)
            return fail(QStringLiteral("%1 would load past the end of C64 memory").arg(name));
    }

    const int count = static_cast<int>(files.size());
    QByteArray tape(T64HeaderSize + qint64(count) * T64EntrySize, '\0');
    const QByteArray signature("C64S tape image file");
    tape.replace(0, signature.size(), signature);
    putU16(tape, 32, 0x0100);
    putU16(tape, 34, static_cast<quint16>(count));
    putU16(tape, 36, static_cast<quint16>(count));
    tape.replace(40, 24, blankPadded(tapeName, 24));

    for (int i = 0; i < count; ++i) {
        const CbmFile& f = files[i];
        const qint64 base = T64HeaderSize + qint64(i) * T64EntrySize;
        const quint16 start = *readU16(f.data, 0);
        tape[base] = 1;
        tape[base + 1] = static_cast<char>(0x82);
        putU16(tape, base + 2, start);
        putU16(tape, base + 4, static_cast<quint16>(start + f.data.size() - 2));
        putU32(tape, base + 8, static_cast<quint32>(tape.size()));
        tape.replace(base + 16, 16, blankPadded(f.name, 16));
        tape.append(f.data.mid(2));
    }
    return tape;
}

} // namespace c64
