#include "BridgeConfig.h"

#include "c64/ImageListing.h"

#include <functional>

namespace bridges {

namespace {

const QByteArray kLoadPath = QByteArrayLiteral("$LOADPATH=");

// Calls visit for each line without its ending and with it; CR LF, a lone CR and a lone LF each end a line.
void forEachLine(const QByteArray& text, const std::function<void(const QByteArray&, const QByteArray&)>& visit)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < n)
            next += text[next] == '\r' && next + 1 < n && text[next + 1] == '\n' ? 2 : 1;
        visit(text.mid(start, end - start), text.mid(end, next - end));
        start = next;
    }
}

// The first value of a line starting with key; -1 when there is none or it is not a number.
int numberOf(const QByteArray& config, const QByteArray& key)
{
    std::optional<QByteArray> value;
    forEachLine(config, [&](const QByteArray& line, const QByteArray&) {
        if (!value && line.startsWith(key))
            value = line.mid(key.size()).trimmed();
    });
    bool ok = false;
    const int number = value ? value->toInt(&ok) : -1;
    return ok ? number : -1;
}

} // namespace

std::optional<QByteArray> loadPathOf(const QByteArray& config)
{
    std::optional<QByteArray> value;
    forEachLine(config, [&value](const QByteArray& line, const QByteArray&) {
        if (!value && line.startsWith(kLoadPath))
            value = line.mid(kLoadPath.size());
    });
    return value;
}

QByteArray withLoadPath(const QByteArray& config, const QByteArray& value)
{
    QByteArray out;
    out.reserve(config.size() + value.size());
    forEachLine(config, [&](const QByteArray& line, const QByteArray& ending) {
        out += line.startsWith(kLoadPath) ? kLoadPath + value : line;
        out += ending;
    });
    return out;
}

QStringList joystickOptions(const QByteArray& config)
{
    static const int kDeviceOfMode[] = {4, 5, 2, 3, 1}; // PC joystick 1, 2, key set 1, 2, 3
    QStringList options;
    for (const char* port : {"1", "2"}) {
        const int plugged = numberOf(config, QByteArray("$CONTROLPORT") + port + '=');
        const int mode = numberOf(config, QByteArray("$CONTROLPORT") + port + "MODE=");
        int device = -1;
        if (plugged == 0)
            device = 0;
        else if (plugged == 1 && mode >= 0 && mode < 5)
            device = kDeviceOfMode[mode];
        if (device >= 0)
            options << QStringLiteral("-joydev") + QLatin1String(port) << QString::number(device);
    }
    return options;
}

bool entryName(const QString& imagePath, int index, QByteArray* name, QString* error)
{
    const c64::ImageListing listing = c64::listImage(imagePath);
    name->clear();
    if (listing.kind != c64::ImageKind::D64 && listing.kind != c64::ImageKind::T64)
        return true;
    if (index < 0 || index >= listing.entries.size()) {
        *error =
            QStringLiteral("%1 has no entry %2 (it lists %3)").arg(imagePath).arg(index).arg(listing.entries.size());
        if (listing.partial)
            *error += QStringLiteral(": ") + listing.problem;
        return false;
    }
    // A disk entry is its 16-character name followed by the type; a tape entry is the name alone.
    QString text = listing.entries[index];
    if (listing.kind == c64::ImageKind::D64)
        text.truncate(16);
    while (text.endsWith(u' '))
        text.chop(1);
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u >= 0x41 && u <= 0x5A)
            name->append(char(u + 0x20));
        else if (u >= 0xC1 && u <= 0xDA)
            name->append(char(u - 0x80));
        else
            name->append(char(u));
    }
    return true;
}

} // namespace bridges
