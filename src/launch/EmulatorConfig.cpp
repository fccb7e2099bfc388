#include "launch/EmulatorConfig.h"

#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace launch {

namespace {

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

} // namespace

QString readOnlyConfigMessage()
{
    return QStringLiteral("Could not write to File: 'C64.CFG'.  Please check it is not set to Read-Only!");
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
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return ConfigWriteResult::Failed; // never created, and a folder of that name is no configuration
    // Any refusal to read or replace the file (write-protected, owned by another user, in a folder we may not
    // write to, a full disk) leaves the emulator on its old settings: the user has to know.
    const auto refused = [] {
        platform::MessageBox::exclamation(readOnlyConfigMessage());
        return ConfigWriteResult::ReadOnly;
    };
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return refused();
    const QByteArray content = in.readAll();
    const bool readOk = in.error() == QFileDevice::NoError;
    in.close();
    if (!readOk)
        return refused();
    if (content.isEmpty())
        return ConfigWriteResult::Empty;

    if (platform::isReadOnlyFile(path))
        return refused();

    // The old file stays in place until the new one has reached the disk; the replacement keeps its permissions.
    platform::SaveFile out(path);
    if (!out.open() || !out.write(rewriteEmulatorConfig(content, values, loadFolder, secondGeneration)) ||
        !out.commit())
        return refused();
    if (previous)
        *previous = content;
    return ConfigWriteResult::Written;
}

} // namespace launch
