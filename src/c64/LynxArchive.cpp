#include "c64/LynxArchive.h"

#include "c64/D64Writer.h"
#include "c64/LittleEndian.h"

namespace c64 {

namespace {

constexpr char CR = 0x0D;
constexpr int MaxStubLines = 64;
constexpr int MaxLineLength = 80;
// The least a directory entry can take: a one-byte name and three one-digit numbers, each with its CR.
constexpr int MinEntryBytes = 8;

// Walks the line links of a BASIC program at the start of the archive; returns the offset just past its end
// marker, or nothing when the bytes are not a well-formed BASIC program.
std::optional<qint64> basicStubEnd(const QByteArray& bytes)
{
    // BASIC programs of every Commodore machine start at a page boundary plus one ($0401, $0801, $1001, ...).
    const std::optional<quint16> load = readU16(bytes, 0);
    if (!load || (*load & 0xFF) != 0x01)
        return std::nullopt;
    qint64 pos = 2;
    for (int line = 0; line < MaxStubLines; ++line) {
        const std::optional<quint16> link = readU16(bytes, pos);
        if (!link)
            return std::nullopt;
        if (*link == 0)
            return pos + 2;
        const qint64 next = qint64(*link) - *load + 2;
        if (next <= pos + 4 || next >= bytes.size())
            return std::nullopt;
        pos = next;
    }
    return std::nullopt;
}

class DirectoryReader
{
public:
    DirectoryReader(const QByteArray& bytes, qint64 pos) : m_bytes(bytes), m_pos(pos) {}

    qint64 position() const { return m_pos; }
    void skipCarriageReturns()
    {
        while (m_pos < m_bytes.size() && m_bytes[m_pos] == CR)
            ++m_pos;
    }

    // The bytes up to the next CR, which is consumed; nothing when there is no CR within a sane distance.
    std::optional<QByteArray> line()
    {
        const qint64 end = m_bytes.indexOf(CR, m_pos);
        if (end < 0 || end - m_pos > MaxLineLength)
            return std::nullopt;
        const QByteArray text = m_bytes.mid(m_pos, end - m_pos);
        m_pos = end + 1;
        return text;
    }

    std::optional<int> number()
    {
        const std::optional<QByteArray> text = line();
        if (!text)
            return std::nullopt;
        return parseNumber(*text);
    }

    // A decimal number with blanks on either side, as the C64 prints it.
    static std::optional<int> parseNumber(const QByteArray& text)
    {
        const QByteArray digits = trimBlanks(text);
        if (digits.isEmpty() || digits.size() > 6)
            return std::nullopt;
        int value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    }

    static QByteArray trimBlanks(const QByteArray& text)
    {
        qint64 begin = 0;
        qint64 end = text.size();
        while (begin < end && text[begin] == ' ')
            ++begin;
        while (end > begin && text[end - 1] == ' ')
            --end;
        return text.mid(begin, end - begin);
    }

private:
    const QByteArray& m_bytes;
    qint64 m_pos = 0;
};

std::optional<FileType> typeFromLetter(const QByteArray& text)
{
    const QByteArray letter = DirectoryReader::trimBlanks(text);
    if (letter.size() != 1)
        return std::nullopt;
    switch (letter[0]) {
    case 'P':
        return FileType::Prg;
    case 'S':
        return FileType::Seq;
    case 'U':
        return FileType::Usr;
    case 'R':
        return FileType::Rel;
    case 'D':
        return FileType::Del;
    default:
        return std::nullopt;
    }
}

QByteArray withoutPadding(QByteArray name)
{
    while (name.endsWith(static_cast<char>(0xA0)))
        name.chop(1);
    return name;
}

} // namespace

std::optional<LynxArchive> LynxArchive::parse(const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<LynxArchive> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    DirectoryReader reader(bytes, basicStubEnd(bytes).value_or(0));
    reader.skipCarriageReturns();

    // The first line holds the directory's size in blocks followed by the signature.
    const std::optional<QByteArray> first = reader.line();
    if (!first)
        return fail(QStringLiteral("no Lynx directory header found"));
    const QByteArray head = DirectoryReader::trimBlanks(*first);
    qint64 digits = 0;
    while (digits < head.size() && head[digits] >= '0' && head[digits] <= '9')
        ++digits;
    LynxArchive archive;
    const std::optional<int> dirBlocks = DirectoryReader::parseNumber(head.left(digits));
    archive.signature = DirectoryReader::trimBlanks(head.mid(digits));
    if (!archive.signature.contains("LYNX"))
        return fail(QStringLiteral("no Lynx signature in the header"));
    if (!dirBlocks || *dirBlocks < 1)
        return fail(QStringLiteral("the header gives no directory size"));
    archive.directoryBlocks = *dirBlocks;

    const std::optional<int> count = reader.number();
    if (!count)
        return fail(QStringLiteral("the header gives no file count"));
    if (qint64(*count) * MinEntryBytes > bytes.size())
        return fail(QStringLiteral("the header claims %1 files, more than the archive could list").arg(*count));

    for (int i = 0; i < *count; ++i) {
        const QString which = QStringLiteral("directory entry %1").arg(i + 1);
        LynxEntry e;
        const std::optional<QByteArray> name = reader.line();
        if (!name || name->size() > 16)
            return fail(QStringLiteral("%1 has no valid name").arg(which));
        e.name = withoutPadding(*name);
        const std::optional<int> blocks = reader.number();
        if (!blocks)
            return fail(QStringLiteral("%1 has no valid block count").arg(which));
        const std::optional<QByteArray> typeLine = reader.line();
        const std::optional<FileType> type = typeLine ? typeFromLetter(*typeLine) : std::nullopt;
        if (!type)
            return fail(QStringLiteral("%1 has an unknown file type").arg(which));
        e.type = *type;
        if (e.type == FileType::Rel) {
            const std::optional<int> record = reader.number();
            if (!record || *record < 1 || *record > 254)
                return fail(QStringLiteral("%1 has no valid record length").arg(which));
            e.recordLength = *record;
        }
        const std::optional<int> last = reader.number();
        if (!last || *last > BlockDataSize + 1 || (*blocks > 0 && *last < 1))
            return fail(QStringLiteral("%1 has no valid last-block size").arg(which));
        e.blocks = *blocks;
        e.lastBlockValue = *last;
        e.size = e.blocks == 0 ? 0 : qint64(e.blocks - 1) * BlockDataSize + qMax(0, e.lastBlockValue - 1);
        archive.entries.append(e);
    }

    const qint64 dataStart = qint64(archive.directoryBlocks) * BlockDataSize;
    if (dataStart < reader.position())
        return fail(
            QStringLiteral("the directory is longer than the %1 blocks its header gives").arg(archive.directoryBlocks));
    qint64 offset = dataStart;
    for (LynxEntry& e : archive.entries) {
        e.offset = offset;
        if (offset + e.size > bytes.size())
            return fail(QStringLiteral("the archive ends inside the data of \"%1\"").arg(QString::fromLatin1(e.name)));
        offset += qint64(e.blocks) * BlockDataSize;
    }
    return archive;
}

std::optional<CbmFileList> readLynxFiles(const QByteArray& bytes, QString* error)
{
    const std::optional<LynxArchive> archive = LynxArchive::parse(bytes, error);
    if (!archive)
        return std::nullopt;
    CbmFileList files;
    for (const LynxEntry& e : archive->entries)
        files.append(CbmFile{e.name, e.type, bytes.mid(e.offset, e.size)});
    return files;
}

} // namespace c64
