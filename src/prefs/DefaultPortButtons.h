#pragma once

#include "data/PortDefaults.h"

#include <QString>
#include <QStringList>

namespace prefs {

// The eight buttons of the preferences' "Emulator Defaults" tab. Each shows one default-port setting as a
// caption and steps to the next caption when clicked. Their captions are their own: the joystick dialog
// shows the same values with other words.
enum class DefaultPortButton
{
    MSDosPort1Joy,
    MSDosPort1Key,
    MSDosPort2Joy,
    MSDosPort2Key,
    DirectXPort1Joy,
    DirectXPort1Key,
    DirectXPort2Joy,
    DirectXPort2Key,
};
inline constexpr DefaultPortButton kDefaultPortButtons[] = {
    DefaultPortButton::MSDosPort1Joy,   DefaultPortButton::MSDosPort1Key,   DefaultPortButton::MSDosPort2Joy,
    DefaultPortButton::MSDosPort2Key,   DefaultPortButton::DirectXPort1Joy, DefaultPortButton::DirectXPort1Key,
    DefaultPortButton::DirectXPort2Joy, DefaultPortButton::DirectXPort2Key,
};

// The button's object name ("cmdMSDosPort1Joy", ...).
QString buttonName(DefaultPortButton button);

// The captions in stepping order; a caption's stored value is its place in this list.
QStringList choicesOf(DefaultPortButton button);
// The caption a stored value loads as: values 0 up to the second-last choice show that choice, anything
// else the last one.
QString captionFor(DefaultPortButton button, int value);
// The stored value of a caption; -1 for a caption that is not one of the button's.
int storedValueOf(DefaultPortButton button, const QString& caption);
// The caption after a click, wrapping from the last to the first.
QString nextCaption(DefaultPortButton button, const QString& caption);

// The setting the button edits.
int& defaultOf(DefaultPortButton button, PortDefaults& ports);
int defaultOf(DefaultPortButton button, const PortDefaults& ports);

} // namespace prefs
