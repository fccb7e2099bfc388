#include "TrailerCheck.h"

#include "Crc32.h"

#include <QByteArray>

#include <algorithm>
#include <vector>

namespace {

constexpr qint64 kTrailerSize = 8;
// Smallest member: a 10-byte header, an empty deflate block of 2 bytes and the trailer.
constexpr qint64 kMinMemberSize = 20;
constexpr qint64 kMaxPadding = 64 * 1024;
// Joined files are checked with the whole compressed file in memory.
constexpr qint64 kMaxJoinedSize = 64 * 1024 * 1024;

struct Trailer
{
    std::uint32_t crc = 0;
    std::uint32_t size = 0;
};

std::uint32_t le32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
}

Trailer trailerAt(const char* p)
{
    return {le32(p), le32(p + 4)};
}

// Checks the output range ending at outEnd against trailers, charging every byte read to a budget so that a
// hostile file cannot make the search run for long.
class OutputRanges
{
public:
    OutputRanges(QIODevice& out, std::uint64_t outSize) : m_out(out), m_budget(4 * outSize + (64 << 20)) {}

    bool exhausted() const { return m_exhausted; }

    bool matches(const Trailer& t, std::uint64_t outEnd)
    {
        if (t.size > outEnd)
            return false;
        if (t.size > m_budget) {
            m_exhausted = true;
            return false;
        }
        m_budget -= t.size;
        return crcOf(outEnd - t.size, t.size) == t.crc;
    }

private:
    std::uint32_t crcOf(std::uint64_t start, std::uint64_t length)
    {
        std::uint32_t crc = 0;
        if (!m_out.seek(static_cast<qint64>(start)))
            return ~crc;
        std::vector<char> buffer(64 * 1024);
        while (length > 0) {
            const qint64 want = static_cast<qint64>(std::min<std::uint64_t>(length, buffer.size()));
            const qint64 got = m_out.read(buffer.data(), want);
            if (got != want)
                return ~crc;
            crc = crc32Update(crc, buffer.data(), static_cast<std::size_t>(got));
            length -= static_cast<std::uint64_t>(got);
        }
        return crc;
    }

    QIODevice& m_out;
    std::uint64_t m_budget;
    bool m_exhausted = false;
};

bool isMemberStart(const QByteArray& gz, qint64 pos)
{
    return static_cast<unsigned char>(gz[pos]) == 0x1F && static_cast<unsigned char>(gz[pos + 1]) == 0x8B &&
           gz[pos + 2] == 8;
}

// Walks back from the member ending at memberEnd: each member's trailer must match the output just before the
// part already covered, and the member before begins right after the previous trailer.
bool joinedMembersMatch(const QByteArray& gz, qint64 memberEnd, OutputRanges& ranges, std::uint64_t outSize)
{
    Trailer t = trailerAt(gz.constData() + memberEnd - kTrailerSize);
    if (!ranges.matches(t, outSize))
        return false;
    std::uint64_t outEnd = outSize - t.size;
    qint64 end = memberEnd;
    while (outEnd > 0) {
        bool found = false;
        for (qint64 start = end - kMinMemberSize; start >= kMinMemberSize && !found; --start) {
            if (!isMemberStart(gz, start))
                continue;
            t = trailerAt(gz.constData() + start - kTrailerSize);
            if (ranges.matches(t, outEnd)) {
                found = true;
                end = start;
                outEnd -= t.size;
            }
            if (ranges.exhausted())
                return false;
        }
        if (!found)
            return false;
    }
    return true;
}

} // namespace

bool trailersMatch(QIODevice& gz, QIODevice& out, std::uint64_t outSize, std::uint32_t outCrc, QString* error)
{
    *error = QStringLiteral("invalid compressed data--crc error");
    const qint64 gzSize = gz.size();
    if (gzSize < kMinMemberSize) {
        *error = QStringLiteral("unexpected end of file");
        return false;
    }
    const qint64 tailSize = std::min(gzSize, kMaxPadding + kTrailerSize);
    if (!gz.seek(gzSize - tailSize))
        return false;
    const QByteArray tail = gz.read(tailSize);
    if (tail.size() != tailSize)
        return false;
    qint64 padding = 0;
    while (padding < tailSize - kTrailerSize && tail[tailSize - 1 - padding] == 0)
        ++padding;

    QByteArray whole;
    OutputRanges ranges(out, outSize);
    for (qint64 pad = 0; pad <= padding; ++pad) {
        const Trailer t = trailerAt(tail.constData() + tailSize - pad - kTrailerSize);
        if (t.size == static_cast<std::uint32_t>(outSize) && t.crc == outCrc)
            return true;
        if (t.size == 0 || t.size >= outSize)
            continue;
        // Fewer bytes than decoded: several members joined together, or damage.
        if (whole.isEmpty()) {
            if (gzSize > kMaxJoinedSize || !gz.seek(0))
                return false;
            whole = gz.read(gzSize);
            if (whole.size() != gzSize)
                return false;
        }
        if (joinedMembersMatch(whole, gzSize - pad, ranges, outSize))
            return true;
        if (ranges.exhausted()) {
            *error = QStringLiteral("could not verify the member checksums");
            return false;
        }
    }
    return false;
}
