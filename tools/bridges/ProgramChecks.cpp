#include "ProgramChecks.h"

#include <QDir>
#include <QFileInfo>

namespace bridges {

namespace {

quint32 littleEndian(const QByteArray& bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

constexpr quint16 kMachineI386 = 0x014c;
constexpr quint16 kMachineAmd64 = 0x8664;

} // namespace

ProgramHeader programHeaderOf(const QByteArray& head)
{
    constexpr qsizetype kNewHeaderOffset = 0x3c; // where the DOS header keeps the offset of the Windows header
    if (!head.startsWith("MZ"))
        return {};
    if (head.size() < kNewHeaderOffset + 4)
        return {ProgramKind::Dos, 0};
    const quint32 offset = littleEndian(head, kNewHeaderOffset, 4);
    // "PE\0\0", then the machine field.
    if (offset > quint32(head.size()) - 6 || head.mid(offset, 4) != QByteArray("PE\0\0", 4))
        return {ProgramKind::Dos, 0};
    const auto machine = quint16(littleEndian(head, offset + 4, 2));
    switch (machine) {
    case kMachineI386:
        return {ProgramKind::Windows32, machine};
    case kMachineAmd64:
        return {ProgramKind::Windows64, machine};
    default:
        return {ProgramKind::OtherWindows, machine};
    }
}

bool isLinuxX86Program32(const QByteArray& head)
{
    constexpr char kClass32 = 1;
    constexpr quint32 kMachine386 = 3;
    return head.size() >= 20 &&
           head.startsWith("\x7f"
                           "ELF") &&
           head[4] == kClass32 && littleEndian(head, 18, 2) == kMachine386;
}

QStringList wineLoaderCandidates(const QString& wine, const QString& wineResolved)
{
    QStringList candidates;
    for (const QString& path : {wine, wineResolved}) {
        if (path.isEmpty())
            continue;
        const QDir bin = QFileInfo(path).dir();
        for (const QString& candidate : {path, QDir::cleanPath(bin.filePath(QStringLiteral("../lib/wine/wine")))}) {
            if (!candidates.contains(candidate))
                candidates << candidate;
        }
    }
    return candidates;
}

QString dosNameProblem(const QString& name)
{
    static const QString kMarks = QStringLiteral("!#$&'()-@^_`{}~");
    const qsizetype dot = name.indexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    for (const QChar c : name) {
        const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                             kMarks.contains(c) || c == u'.';
        if (!allowed)
            return QStringLiteral("a DOS name cannot hold '%1'").arg(c);
    }
    if (base.isEmpty())
        return QStringLiteral("a DOS name needs one to eight characters before its dot");
    if (base.size() > 8)
        return QStringLiteral("a DOS name has at most eight characters before its dot");
    if (extension.contains(u'.'))
        return QStringLiteral("a DOS name has one dot at most");
    if (dot >= 0 && (extension.isEmpty() || extension.size() > 3))
        return QStringLiteral("a DOS name has one to three characters after its dot");
    return {};
}

} // namespace bridges
