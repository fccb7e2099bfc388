#include "DemoTestHelpers.h"

#include "DiskTestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>

namespace demotest {

namespace {

quint32 le32(const QByteArray& b, qsizetype at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

quint16 le16(const QByteArray& b, qsizetype at)
{
    return static_cast<quint16>(static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8));
}

// Walks the RIFF chunks for "fmt " and "data"; only 16-bit PCM is taken.
Recording parseWav(const QByteArray& wav, QString* why)
{
    Recording rec;
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") {
        *why = QStringLiteral("not a WAV file");
        return rec;
    }
    int channels = 0;
    int bits = 0;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = le32(wav, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && body + 16 <= wav.size()) {
            channels = le16(wav, body + 2);
            rec.sampleRate = static_cast<int>(le32(wav, body + 4));
            bits = le16(wav, body + 14);
        } else if (id == "data") {
            if (channels < 1 || bits != 16) {
                *why = QStringLiteral("not 16-bit PCM");
                return {};
            }
            const qsizetype end = std::min(wav.size(), body + size);
            for (qsizetype p = body; p + 2 * channels <= end; p += 2 * channels)
                rec.samples.append(static_cast<qint16>(le16(wav, p)));
            return rec;
        }
        at = body + size + (size & 1);
    }
    *why = QStringLiteral("no data chunk");
    return {};
}

} // namespace

Recording playWithSidplayfp(const QString& sidPath, int seconds, QString* why)
{
    QTemporaryDir dir;
    const QString wavPath = dir.filePath(QStringLiteral("tune.wav"));
    const testsupport::RunResult r =
        disktest::oracle(QStringLiteral("sidplayfp"),
                         {QStringLiteral("-t%1").arg(seconds), QStringLiteral("-w") + wavPath, sidPath}, dir.path());
    if (!disktest::succeeded(r)) {
        *why = QStringLiteral("sidplayfp failed: ") + disktest::describe(r);
        return {};
    }
    QFile wav(wavPath);
    if (!wav.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("sidplayfp wrote no WAV file");
        return {};
    }
    return parseWav(wav.readAll(), why);
}

int peakLevel(const QList<qint16>& samples)
{
    int peak = 0;
    for (qint16 s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

QList<int> zeroCrossings(const QList<qint16>& samples, int windowSize)
{
    QList<int> counts;
    for (qsizetype start = 0; start + windowSize <= samples.size(); start += windowSize) {
        int n = 0;
        for (qsizetype i = start + 1; i < start + windowSize; ++i) {
            if ((samples[i - 1] < 0) != (samples[i] < 0))
                ++n;
        }
        counts.append(n);
    }
    return counts;
}

int distinctPitches(const QList<int>& crossings)
{
    QList<int> sorted = crossings;
    std::sort(sorted.begin(), sorted.end());
    int distinct = 0;
    int last = -1;
    for (int c : sorted) {
        if (c > 0 && (last < 0 || c > last * 11 / 10)) {
            ++distinct;
            last = c;
        }
    }
    return distinct;
}

QMap<QString, QByteArray> asNativeFiles(const c64::CbmFileList& files)
{
    static const char* const endings[] = {".del", ".seq", ".prg", ".usr", ".rel"};
    QMap<QString, QByteArray> out;
    for (const c64::CbmFile& f : files)
        out.insert(QString::fromLatin1(f.name).toLower() + QLatin1String(endings[int(f.type)]), f.data);
    return out;
}

} // namespace demotest
