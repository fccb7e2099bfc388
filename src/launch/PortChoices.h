#pragma once

#include <QString>
#include <QStringList>

struct Settings;

namespace launch {

// The eight per-game port fields and how their values show on the joystick dialog's buttons.
enum class PortField { Port1Joy, Port2Joy, Port1Key, Port2Key, V2Port1Joy, V2Port2Joy, V2Port1Key, V2Port2Key };
inline constexpr PortField kPortFields[] = {PortField::Port1Joy,   PortField::Port2Joy,   PortField::Port1Key,
                                            PortField::Port2Key,   PortField::V2Port1Joy, PortField::V2Port2Joy,
                                            PortField::V2Port1Key, PortField::V2Port2Key};

QString fieldName(PortField field);  // the Games field ("Port1Joy", ...)
QString buttonName(PortField field); // the dialog button ("cmd1Port1Joy", ..., "cmd2Port2Key")

// The captions a button cycles through, in order, and the value each stands for.
QStringList choicesOf(PortField field);
int storedValueOf(PortField field, const QString& caption); // -1 for a caption not of this field
// The caption for a stored value: a joystick value other than 0 shows the second choice; a key value
// shows the choice with that value (an unknown key value shows the first choice).
QString captionFor(PortField field, int value);
// The caption after a click: the next choice, wrapping from the last to the first.
QString nextCaption(PortField field, const QString& caption);

// The field's default from the preferences.
int defaultValueOf(PortField field, const Settings& settings);

// The joystick dialog needs an emulator: CCS64 v1.9 or v2.0 (Win32) set in the preferences.
bool emulatorSettingsAllowed(const Settings& settings);
inline const QString kEmulatorSettingsRefusal =
    QStringLiteral("To Change the Emulator Settings, you must first specify an Emulator in 'Preferences'.");

} // namespace launch
