#include "prefs/DefaultPortButtons.h"

namespace prefs {

namespace {

struct ButtonRule
{
    const char* name;
    int PortDefaults::*setting;
    int choices; // 0 the v1.9 joystick, 1 the v1.9 key set, 2 the v2.0 control, 3 the v2.0 mode
};

constexpr ButtonRule kRules[] = {
    {"cmdMSDosPort1Joy", &PortDefaults::DefPort1Joy, 0},     {"cmdMSDosPort1Key", &PortDefaults::DefPort1Key, 1},
    {"cmdMSDosPort2Joy", &PortDefaults::DefPort2Joy, 0},     {"cmdMSDosPort2Key", &PortDefaults::DefPort2Key, 1},
    {"cmdDirectXPort1Joy", &PortDefaults::DXDefPort1Joy, 2}, {"cmdDirectXPort1Key", &PortDefaults::DXDefPort1Key, 3},
    {"cmdDirectXPort2Joy", &PortDefaults::DXDefPort2Joy, 2}, {"cmdDirectXPort2Key", &PortDefaults::DXDefPort2Key, 3},
};

const ButtonRule& ruleOf(DefaultPortButton button)
{
    return kRules[static_cast<int>(button)];
}

} // namespace

QString buttonName(DefaultPortButton button)
{
    return QString::fromLatin1(ruleOf(button).name);
}

QStringList choicesOf(DefaultPortButton button)
{
    switch (ruleOf(button).choices) {
    case 0:
        return {QStringLiteral("PC Joystick 1"), QStringLiteral("PC Joystick 2")};
    case 1:
        return {QStringLiteral("Keyset 1"), QStringLiteral("Keyset 2"), QStringLiteral("Keyset 3")};
    case 2:
        return {QStringLiteral("None"), QStringLiteral("Joystick")};
    default:
        return {QStringLiteral("PC Joystick 1"), QStringLiteral("PC Joystick 2"), QStringLiteral("Keyset 1"),
                QStringLiteral("Keyset 2"), QStringLiteral("Keyset 3")};
    }
}

QString captionFor(DefaultPortButton button, int value)
{
    const QStringList choices = choicesOf(button);
    const int last = int(choices.size()) - 1;
    return choices.at(value >= 0 && value < last ? value : last);
}

int storedValueOf(DefaultPortButton button, const QString& caption)
{
    return int(choicesOf(button).indexOf(caption));
}

QString nextCaption(DefaultPortButton button, const QString& caption)
{
    const QStringList choices = choicesOf(button);
    return choices.at((choices.indexOf(caption) + 1) % choices.size());
}

int& defaultOf(DefaultPortButton button, PortDefaults& ports)
{
    return ports.*(ruleOf(button).setting);
}

int defaultOf(DefaultPortButton button, const PortDefaults& ports)
{
    return ports.*(ruleOf(button).setting);
}

} // namespace prefs
