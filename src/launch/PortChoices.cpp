#include "launch/PortChoices.h"

#include "data/GameFields.h"
#include "data/settings/Settings.h"

namespace launch {

namespace {

bool isJoy(PortField f)
{
    return f == PortField::Port1Joy || f == PortField::Port2Joy || f == PortField::V2Port1Joy ||
           f == PortField::V2Port2Joy;
}

bool isV2(PortField f)
{
    return f == PortField::V2Port1Joy || f == PortField::V2Port2Joy || f == PortField::V2Port1Key ||
           f == PortField::V2Port2Key;
}

// The value each choice stands for, in the order of choicesOf.
QList<int> valuesOf(PortField f)
{
    if (isJoy(f))
        return {0, 1};
    return isV2(f) ? QList<int>{2, 3, 4, 0, 1} : QList<int>{0, 1, 2};
}

} // namespace

QString fieldName(PortField field)
{
    namespace f = catalogue::field;
    static const QString* const names[] = {&f::Port1Joy,   &f::Port2Joy,   &f::Port1Key,   &f::Port2Key,
                                           &f::V2Port1Joy, &f::V2Port2Joy, &f::V2Port1Key, &f::V2Port2Key};
    return *names[static_cast<int>(field)];
}

QString buttonName(PortField field)
{
    const QString name = fieldName(field);
    return isV2(field) ? QStringLiteral("cmd2") + name.mid(2) : QStringLiteral("cmd1") + name;
}

QStringList choicesOf(PortField field)
{
    const QStringList keySets = {QStringLiteral("Key Set 1"), QStringLiteral("Key Set 2"), QStringLiteral("Key Set 3")};
    const QStringList pcJoysticks = {QStringLiteral("PC Joystick 1"), QStringLiteral("PC Joystick 2")};
    if (isJoy(field))
        return isV2(field) ? QStringList{QStringLiteral("None"), QStringLiteral("Joystick")} : pcJoysticks;
    return isV2(field) ? keySets + pcJoysticks : keySets;
}

int storedValueOf(PortField field, const QString& caption)
{
    const qsizetype i = choicesOf(field).indexOf(caption);
    return i < 0 ? -1 : valuesOf(field).at(i);
}

QString captionFor(PortField field, int value)
{
    const QStringList choices = choicesOf(field);
    if (isJoy(field))
        return choices.at(value != 0 ? 1 : 0);
    const qsizetype i = valuesOf(field).indexOf(value);
    return choices.at(i < 0 ? 0 : i);
}

QString nextCaption(PortField field, const QString& caption)
{
    const QStringList choices = choicesOf(field);
    const qsizetype i = choices.indexOf(caption);
    return choices.at((i + 1) % choices.size());
}

int defaultValueOf(PortField field, const Settings& s)
{
    const PortDefaults& d = s.DefaultPorts;
    switch (field) {
    case PortField::Port1Joy:
        return d.DefPort1Joy;
    case PortField::Port2Joy:
        return d.DefPort2Joy;
    case PortField::Port1Key:
        return d.DefPort1Key;
    case PortField::Port2Key:
        return d.DefPort2Key;
    case PortField::V2Port1Joy:
        return d.DXDefPort1Joy;
    case PortField::V2Port2Joy:
        return d.DXDefPort2Joy;
    case PortField::V2Port1Key:
        return d.DXDefPort1Key;
    case PortField::V2Port2Key:
        break;
    }
    return d.DXDefPort2Key;
}

bool emulatorSettingsAllowed(const Settings& settings)
{
    return !settings.DirectXPath.isEmpty() || !settings.CCS64Path.isEmpty();
}

} // namespace launch
