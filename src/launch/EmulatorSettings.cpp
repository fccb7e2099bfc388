#include "launch/EmulatorSettings.h"

#include "data/GameFields.h"

namespace launch {

GamePorts gamePortsOf(catalogue::CurrentGame& game)
{
    GamePorts ports;
    ports.useDefault = game.flag(catalogue::field::UseDefault);
    for (PortField f : kPortFields)
        ports[f] = int(game.number(fieldName(f)));
    return ports;
}

GamePorts shownPorts(const GamePorts& stored, const Settings& settings)
{
    GamePorts shown = stored;
    if (stored.useDefault)
        for (PortField f : kPortFields)
            shown[f] = defaultValueOf(f, settings);
    return shown;
}

catalogue::FieldValues fieldValuesOf(const GamePorts& ports)
{
    catalogue::FieldValues values{{catalogue::field::UseDefault, ports.useDefault}};
    for (PortField f : kPortFields)
        values.append({fieldName(f), ports[f]});
    return values;
}

QString emulatorSettingsPrompt(const QString& gameName)
{
    return QStringLiteral("Settings for ") + gameName + QStringLiteral("...");
}

} // namespace launch
