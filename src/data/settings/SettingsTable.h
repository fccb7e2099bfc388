#pragma once

#include "data/settings/Settings.h"

#include <QVariant>

#include <functional>
#include <vector>

// How a value is kept in memory and in the store. Boolean is bool, Integer and Long are int,
// Single is double (twips may be fractional in a hand-edited file), Text is QString.
enum class SettingType
{
    Boolean,
    Integer,
    Long,
    Single,
    Text
};

// Defaults that depend on the screen or the day rather than on a fixed value.
enum class ContextDefault
{
    None,
    CentredTop,
    CentredLeft,
    Today
};

// One key of the store: its name, type, default, the values it accepts and the member it fills.
struct SettingDescriptor
{
    QString key;
    SettingType type = SettingType::Text;
    QVariant fixedDefault;
    ContextDefault contextDefault = ContextDefault::None;
    // Numbers outside this range fall back to the default (a list view or texture index that
    // does not exist, a window of no size).
    double minimum = -2147483648.0;
    double maximum = 2147483647.0;
    bool isPortDefault = false;
    std::function<QVariant(const Settings&)> get;
    std::function<void(Settings&, const QVariant&)> set;
};

// Every stored key in load order: window and view state first, bookmarks last.
// "ShowPrefs" is not part of it: it lives outside the load/save cycle.
const std::vector<SettingDescriptor>& settingsTable();

// The default of one key for the given screen, window and day.
QVariant settingDefault(const SettingDescriptor& descriptor, const SettingsLoadContext& context);

// Left and top that centre the window on the screen (integer parts, as the window expects).
struct CentredPosition
{
    double left = 0;
    double top = 0;
};
CentredPosition centredPosition(const SettingsLoadContext& context);
