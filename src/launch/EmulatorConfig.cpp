#include "launch/EmulatorConfig.h"

#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>

namespace launch {

namespace {

// The largest configuration rewritten. CCS64's own file holds a few KB; a larger one is no configuration of it and is
// left alone rather than taken into memory line by line.
constexpr qint64 kMaxConfigSize = 256 * 1024;

constexpr std::array<const char*, 5> kFirstGenerationKeys = {
    "$JOYSTICK1PC=", "$JOYSTICK2PC=", "$JOYSTICK1KEY=", "$JOYSTICK2KEY=", "$LOADPATH="};
constexpr std::array<const char*, 5> kSecondGenerationKeys = {
    "$CONTROLPORT1=", "$CONTROLPORT2=", "$CONTROLPORT1MODE=", "$CONTROLPORT2MODE=", "$LOADPATH="};

// Lines as the emulator's own reader sees them: CR LF, a lone CR and a lone LF all end a line, and a
// last line without an ending still counts.
QByteArrayList splitLines(const QByteArray& content)
{
    QByteArrayList lines;
    qsizetype start = 0;
    const qsizetype n = content.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = content.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < n && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(content.mid(start));
    return lines;
}

// The load folder with a closing separator: "\" for a Windows-style folder (C:\GAMES\A gives
// C:\GAMES\A\), "/" for a native one; a folder that already ends in a separator keeps it alone.
QByteArray loadPathValue(const QString& loadFolder)
{
    QString value = loadFolder;
    if (!value.endsWith(u'\\') && !value.endsWith(u'/'))
        value += value.contains(u'/') ? u'/' : u'\\';
    return QFile::encodeName(value);
}

// The system's answers that mean the file or its folder may not be changed by this user.
bool isRefusal(int errorNumber)
{
    return errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS;
}

} // namespace

QString readOnlyConfigMessage()
{
    return QStringLiteral("Could not write to File: 'C64.CFG'.  Please check it is not set to Read-Only!");
}

QString configWriteFailedMessage(const QString& reason)
{
    return QStringLiteral("Could not write to File: 'C64.CFG'.\n%1").arg(reason);
}

QByteArray rewriteEmulatorConfig(const QByteArray& content, const PortValues& values, const QString& loadFolder,
                                 bool secondGeneration)
{
    const auto& keys = secondGeneration ? kSecondGenerationKeys : kFirstGenerationKeys;
    const std::array<QByteArray, 5> newValues = {QByteArray::number(values.value1), QByteArray::number(values.value2),
                                                 QByteArray::number(values.value3), QByteArray::number(values.value4),
                                                 loadPathValue(loadFolder)};
    QByteArray out;
    out.reserve(content.size() + 64);
    for (const QByteArray& line : splitLines(content)) {
        bool rewritten = false;
        for (size_t k = 0; k < keys.size() && !rewritten; ++k) {
            if (line.startsWith(keys[k])) {
                out += keys[k];
                out += newValues[k];
                rewritten = true;
            }
        }
        if (!rewritten)
            out += line;
        out += "\r\n";
    }
    return out;
}

ConfigWriteResult WriteEmulatorConfig(const QString& configPath, const PortValues& values, const QString& loadFolder,
                                      bool secondGeneration, QByteArray* previous)
{
    const QString path = platform::ShortPathName(configPath);
    if (path.isEmpty() || QFileInfo(path).isDir())
        return ConfigWriteResult::Failed; // never created, and a folder of that name is no configuration
    // A refusal to read or replace the file (write-protected, owned by another user, in a folder or on a disk we may
    // not write to) leaves the emulator on its old settings: the user has to know. Any other failure (a full disk,
    // a file that is no configuration) is told with its cause.
    const auto refused = [] {
        platform::MessageBox::exclamation(readOnlyConfigMessage());
        return ConfigWriteResult::ReadOnly;
    };
    const auto failed = [](const QString& reason) {
        platform::MessageBox::exclamation(configWriteFailedMessage(reason));
        return ConfigWriteResult::NotWritten;
    };
    QString error;
    const std::optional<QByteArray> content = platform::readRegularFile(path, kMaxConfigSize, &error);
    if (!content)
        return QFileInfo(path).isFile() && !QFileInfo(path).isReadable() ? refused() : failed(error);
    if (content->isEmpty())
        return ConfigWriteResult::Empty;

    if (platform::isReadOnlyFile(path))
        return refused();

    // The old file stays in place until the new one has reached the disk; the replacement keeps its permissions.
    platform::SaveFile out(path);
    if (!out.open() || !out.write(rewriteEmulatorConfig(*content, values, loadFolder, secondGeneration)) ||
        !out.commit())
        return isRefusal(out.errorNumber()) ? refused() : failed(out.errorString());
    if (previous)
        *previous = *content;
    return ConfigWriteResult::Written;
}

} // namespace launch
