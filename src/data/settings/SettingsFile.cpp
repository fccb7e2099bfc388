#include "data/settings/SettingsFile.h"

#include "platform/RegularFile.h"
#include "platform/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringList>

#include <vector>

namespace settingsfile {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// One line of the file, as written and as understood.
struct Line
{
    enum class Kind
    {
        Other, // blank, comment, or text that means nothing
        Section,
        Key
    };
    Kind kind = Kind::Other;
    QByteArray bytes; // the line as the file holds it, its line end included (none on a last line without one)
    QString text;     // the line without its line end
    QString section;  // the section opened (Section) or the section the line is in (Key)
    QString key;      // as written, blanks around it removed
    QString fullKey;  // "Section/Key", as QSettings names it
    QString value;    // blanks at either end removed
};

struct ParsedFile
{
    std::vector<Line> lines;
    bool crlf = false;
    bool bom = false;
};

// Only blanks and tabs: any other character a user typed is part of the value.
QString trimBlanks(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(s.at(begin)))
        ++begin;
    while (end > begin && blank(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin);
}

// QSettings' own spelling of a key: no empty parts between, before or after the slashes.
QString normalisedKey(const QString& key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

QString fullKeyOf(const QString& section, const QString& key)
{
    return normalisedKey(section + QLatin1Char('/') + key);
}

bool startsSpecialLine(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')) ||
           trimmed.startsWith(QLatin1Char('['));
}

// Each line is read on its own: UTF-8 when it is valid UTF-8, Latin-1 otherwise, so one line typed in another
// editor does not change how every other line reads.
QString decodedLine(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

ParsedFile parse(const QByteArray& bytes)
{
    ParsedFile file;
    file.bom = bytes.startsWith(Utf8Bom);
    file.crlf = bytes.contains("\r\n");
    const qsizetype start = file.bom ? Utf8Bom.size() : 0;
    QString section;
    for (qsizetype at = start; at < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', at);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        Line line;
        line.bytes = bytes.mid(at, end - at);
        at = end;
        QByteArray content = line.bytes;
        if (content.endsWith('\n'))
            content.chop(1);
        if (content.endsWith('\r'))
            content.chop(1);
        line.text = decodedLine(content);
        const QString trimmed = trimBlanks(line.text);
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
            section = normalisedKey(trimBlanks(close > 0 ? trimmed.mid(1, close - 1) : trimmed.mid(1)));
            line.kind = Line::Kind::Section;
            line.section = section;
        } else if (!startsSpecialLine(trimmed)) {
            const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
            const QString key = equals > 0 ? trimBlanks(trimmed.left(equals)) : QString();
            const QString fullKey = fullKeyOf(section, key);
            if (!key.isEmpty() && !normalisedKey(key).isEmpty()) {
                line.kind = Line::Kind::Key;
                line.section = section;
                line.key = key;
                line.fullKey = fullKey;
                line.value = trimBlanks(trimmed.mid(equals + 1));
            }
        }
        file.lines.push_back(std::move(line));
    }
    return file;
}

// What a value is stored as: one line, blanks at the ends dropped (the reader would drop them).
QString valueText(const QVariant& value)
{
    return storableText(value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                                 : value.toString());
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

// A new key's section and name, or false when the pair cannot be written so that it reads back the same.
bool splitWritableKey(const QString& fullKey, QString* section, QString* key)
{
    const qsizetype slash = fullKey.lastIndexOf(QLatin1Char('/'));
    *section = slash < 0 ? QString() : fullKey.left(slash);
    *key = fullKey.mid(slash + 1);
    if (key->isEmpty() || trimBlanks(*key) != *key || key->contains(QLatin1Char('=')) || hasLineBreak(*key) ||
        startsSpecialLine(*key))
        return false;
    return trimBlanks(*section) == *section && !hasLineBreak(*section);
}

} // namespace

QString storableText(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return trimBlanks(line);
}

QSettings::SettingsMap readSettingsText(const QByteArray& bytes)
{
    QSettings::SettingsMap values;
    for (const Line& line : parse(bytes).lines) {
        if (line.kind == Line::Kind::Key)
            values.insert(line.fullKey, line.value); // a later line of the same key wins
    }
    return values;
}

std::optional<QByteArray> mergedSettingsText(const QByteArray& original, const QSettings::SettingsMap& values)
{
    const ParsedFile file = parse(original);
    const qsizetype lineCount = qsizetype(file.lines.size());

    QHash<QString, qsizetype> effectiveLine; // the line whose value the reader takes
    QHash<QString, qsizetype> sectionEnd;    // the last header or key line of each section ("" before any header)
    for (qsizetype i = 0; i < lineCount; ++i) {
        const Line& line = file.lines[size_t(i)];
        if (line.kind == Line::Kind::Key)
            effectiveLine.insert(line.fullKey, i);
        if (line.kind != Line::Kind::Other)
            sectionEnd.insert(line.section, i);
    }

    QHash<QString, QString> texts;
    QMap<QString, QStringList> added; // section -> new "Key=Value" lines, in key order
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QString fullKey = normalisedKey(it.key());
        const QString text = valueText(it.value());
        texts.insert(fullKey, text);
        if (effectiveLine.contains(fullKey))
            continue;
        QString section;
        QString key;
        if (!splitWritableKey(fullKey, &section, &key))
            return std::nullopt;
        added[section] << key + QLatin1Char('=') + text;
    }

    // Lines that stay keep their bytes (their spelling, their encoding and their line end); changed and new lines
    // are UTF-8 with the file's line end.
    const QByteArray lineEnd = file.crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QByteArray bytes = file.bom ? Utf8Bom : QByteArray();
    bool blankBefore = true; // whether the text so far ends in a blank line (or there is none)
    // The old last line may have had no line end, or only the CR of one.
    const auto endLastLine = [&] {
        if (!bytes.isEmpty() && !bytes.endsWith('\n') && bytes != Utf8Bom)
            bytes += bytes.endsWith('\r') ? QByteArrayLiteral("\n") : lineEnd;
    };
    const auto put = [&](const QByteArray& line) {
        endLastLine();
        bytes += line;
        blankBefore = line.trimmed().isEmpty();
    };
    const auto putText = [&](const QString& text) { put(text.toUtf8() + lineEnd); };
    const auto putAdded = [&](const QStringList& lines) {
        for (const QString& text : lines)
            putText(text);
    };
    if (added.contains(QString()) && !sectionEnd.contains(QString()))
        putAdded(added.take(QString()));
    for (qsizetype i = 0; i < lineCount; ++i) {
        const Line& line = file.lines[size_t(i)];
        if (line.kind != Line::Kind::Key) {
            put(line.bytes);
        } else if (effectiveLine.value(line.fullKey) == i && texts.contains(line.fullKey)) {
            const QString& text = texts[line.fullKey];
            if (text == line.value)
                put(line.bytes);
            else
                putText(line.key + QLatin1Char('=') + text);
        } // else: a key that is gone, or an earlier line of a key given twice
        if (line.kind != Line::Kind::Other && sectionEnd.value(line.section) == i && added.contains(line.section))
            putAdded(added.take(line.section));
    }
    for (auto it = added.cbegin(); it != added.cend(); ++it) {
        if (!blankBefore)
            putText(QString());
        putText(QLatin1Char('[') + it.key() + QLatin1Char(']'));
        putAdded(it.value());
    }
    endLastLine();
    return bytes;
}

bool writeSettingsValues(const QString& path, const QSettings::SettingsMap& changes, QString* error)
{
    QByteArray original;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        // A file that cannot be read whole is not replaced: what it holds would be lost.
        const std::optional<QByteArray> read = platform::readRegularFile(path, kMaxSettingsFileSize, error);
        if (!read)
            return false;
        original = *read;
    } else if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSettings::SettingsMap values = readSettingsText(original);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(normalisedKey(it.key()), it.value());
    const std::optional<QByteArray> text = mergedSettingsText(original, values);
    if (!text) {
        *error = QStringLiteral("a key cannot be written as a line of %1").arg(path);
        return false;
    }
    return platform::saveFile(path, *text, error);
}

namespace {

bool readDevice(QIODevice& device, QSettings::SettingsMap& map)
{
    const QByteArray bytes = device.read(kMaxSettingsFileSize + 1);
    if (bytes.size() > kMaxSettingsFileSize)
        return false; // read as no values at all (every key at its default), and never written over
    map = readSettingsText(bytes);
    return true;
}

// The store is written by writeSettingsValues() alone, never by QSettings itself (whose temporary files would
// carry names of its own): should QSettings ever try, the file stays as it is.
bool writeDevice(QIODevice&, const QSettings::SettingsMap&)
{
    return false;
}

} // namespace

QSettings::Format settingsFileFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readDevice, writeDevice, Qt::CaseSensitive);
    return format;
}

} // namespace settingsfile
