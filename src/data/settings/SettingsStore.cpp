#include "data/settings/SettingsStore.h"

#include "data/settings/SettingValues.h"
#include "data/settings/SettingsFile.h"
#include "data/settings/SettingsTable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString StartupSection = QStringLiteral("Startup");
const QString ShowPrefsKey = QStringLiteral("ShowPrefs");
const QString V13StartKey = QStringLiteral("V13Start");

// Keeps the store inside the "Startup" section for one load or write.
class StartupSectionScope
{
public:
    explicit StartupSectionScope(QSettings& store) : m_store(store) { m_store.beginGroup(StartupSection); }
    ~StartupSectionScope() { m_store.endGroup(); }
    StartupSectionScope(const StartupSectionScope&) = delete;
    StartupSectionScope& operator=(const StartupSectionScope&) = delete;

private:
    QSettings& m_store;
};

void readKey(QSettings& store, const SettingDescriptor& d, Settings& settings, const SettingsLoadContext& context)
{
    const std::optional<QVariant> value = parseSettingValue(store.value(d.key), d);
    d.set(settings, value ? *value : settingDefault(d, context));
}

void applyStartRules(Settings& settings, const SettingsLoadContext& context)
{
    if (!settings.V13Start) {
        // The emulator choice changed with this version: the DOS paths must be entered again.
        settings.CCS64Path.clear();
        settings.CCS642Path.clear();
    }
    const CentredPosition centred = centredPosition(context);
    StartupLayout& layout = settings.startup;
    layout.top = settings.PositionFlag ? settings.Top : centred.top;
    layout.left = settings.PositionFlag ? settings.Left : centred.left;
    layout.height = settings.V13Start ? settings.Heighty : context.designedHeight;
    layout.view = settings.View;
    layout.ssView = effectiveScreenshotView(settings);
}

// A file whose permission bits grant write to nobody is left alone, even when running as root.
bool isReadOnlyFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & writeBits) == 0;
}

// Writes values of the "Startup" section into the store's file and lets the store read the file again.
SettingsWriteStatus writeStartup(QSettings& store, const QSettings::SettingsMap& values, QString* reason)
{
    if (isReadOnlyFile(store.fileName()))
        return SettingsWriteStatus::ReadOnly;
    QSettings::SettingsMap changes;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        changes.insert(StartupSection + QLatin1Char('/') + it.key(), it.value());
    QString error;
    if (!settingsfile::writeSettingsValues(store.fileName(), changes, &error)) {
        if (reason)
            *reason = error;
        return SettingsWriteStatus::AccessError;
    }
    store.sync();
    return SettingsWriteStatus::Ok;
}

} // namespace

QString defaultSettingsPath()
{
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QStringLiteral("Vintrax/Vintrax.ini"));
}

std::unique_ptr<QSettings> openSettingsStore(const QString& iniPath)
{
    // The program's own format: what a user types into the file is what the program reads, and a write
    // replaces the file only once all of it has reached the disk.
    auto store = std::make_unique<QSettings>(iniPath, settingsfile::settingsFileFormat());
    store->setAtomicSyncRequired(true);
    return store;
}

Settings defaultSettings(const SettingsLoadContext& context)
{
    Settings settings;
    for (const SettingDescriptor& d : settingsTable())
        d.set(settings, settingDefault(d, context));
    applyStartRules(settings, context);
    return settings;
}

Settings loadSettings(QSettings& store, const SettingsLoadContext& context)
{
    Settings settings;
    {
        StartupSectionScope section(store);
        for (const SettingDescriptor& d : settingsTable())
            readKey(store, d, settings, context);
    }
    applyStartRules(settings, context);
    return settings;
}

SettingsWriteStatus saveSettings(QSettings& store, const Settings& settings, const SettingsSaveContext& context,
                                 QString* reason)
{
    QSettings::SettingsMap values;
    for (const SettingDescriptor& d : settingsTable()) {
        const bool isPosition = d.key == QLatin1String("Top") || d.key == QLatin1String("Left");
        if (d.key == V13StartKey || (isPosition && context.windowMinimised))
            continue;
        values.insert(d.key, formatSettingValue(d.get(settings), d.type));
    }
    values.insert(V13StartKey, formatSettingValue(true, SettingType::Boolean));
    return writeStartup(store, values, reason);
}

PortDefaults readPortDefaults(QSettings& store)
{
    Settings settings;
    StartupSectionScope section(store);
    for (const SettingDescriptor& d : settingsTable()) {
        if (d.isPortDefault)
            readKey(store, d, settings, SettingsLoadContext());
    }
    return settings.DefaultPorts;
}

SettingsWriteStatus presetSettings(QSettings& store, const QList<std::pair<QString, QString>>& values,
                                   QString* reason)
{
    QSettings::SettingsMap unset;
    {
        StartupSectionScope section(store);
        for (const auto& [key, value] : values) {
            if (!store.contains(key))
                unset.insert(key, value);
        }
    }
    if (unset.isEmpty())
        return SettingsWriteStatus::Ok;
    return writeStartup(store, unset, reason);
}

bool readShowPrefs(QSettings& store)
{
    SettingDescriptor flag;
    flag.key = ShowPrefsKey;
    flag.type = SettingType::Boolean;
    StartupSectionScope section(store);
    return parseSettingValue(store.value(ShowPrefsKey), flag).value_or(QVariant(true)).toBool();
}

SettingsWriteStatus clearShowPrefs(QSettings& store, QString* reason)
{
    return writeStartup(store, {{ShowPrefsKey, formatSettingValue(false, SettingType::Boolean)}}, reason);
}

bool effectiveScreenshotView(const Settings& settings)
{
    if (settings.SSViewHideFlag)
        return false;
    if (!settings.SSViewShowFlag)
        return settings.SSView;
    return true;
}

QString settingsWriteMessage(SettingsWriteStatus status, const QString& iniPath, const QString& reason)
{
    const QString path = QDir::toNativeSeparators(iniPath);
    switch (status) {
    case SettingsWriteStatus::Ok:
        return {};
    case SettingsWriteStatus::ReadOnly:
        return QStringLiteral("Your settings were not saved because the settings file is read-only:\n%1").arg(path);
    case SettingsWriteStatus::AccessError:
        return QStringLiteral("Your settings could not be saved to:\n%1").arg(path) +
               (reason.isEmpty() ? QString() : QStringLiteral("\n") + reason);
    }
    return {};
}
