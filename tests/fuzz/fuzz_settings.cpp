// The settings file reader and writer: whatever a file holds, writing its values back reads back the same
// values, and so does a write that changes, adds and removes keys.
#include "FuzzSupport.h"
#include "data/settings/SettingsFile.h"

namespace {

// The text written for values (none: it could not be written) reads back as those values.
void checkReadsBack(const std::optional<QByteArray>& text, const QSettings::SettingsMap& values, const char* what)
{
    if (!text)
        fuzz::fail("values that cannot be written", QString::fromLatin1(what));
    const QSettings::SettingsMap read = settingsfile::readSettingsText(*text);
    QSettings::SettingsMap expected;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        expected.insert(it.key(), settingsfile::storableText(it.value().toString()));
    if (read != expected)
        fuzz::fail(what, QString::fromUtf8(text->left(2000)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = fuzz::bytesOf(data, size);
    const QSettings::SettingsMap values = settingsfile::readSettingsText(file);
    checkReadsBack(settingsfile::mergedSettingsText(file, values), values, "a rewrite changed the values");

    // One key changed to a text taken from the input, one removed, one added to a section of its own.
    QSettings::SettingsMap changed = values;
    const QString text = QString::fromUtf8(file.left(40));
    if (!changed.isEmpty()) {
        changed.first() = text;
        changed.remove(changed.lastKey());
    }
    changed.insert(QStringLiteral("Startup/AddedKey"), text);
    changed.insert(QStringLiteral("Fuzz Section/Other"), QStringLiteral("C:\\Games;#1"));
    checkReadsBack(settingsfile::mergedSettingsText(file, changed), changed, "a changing rewrite reads back otherwise");
    return 0;
}
