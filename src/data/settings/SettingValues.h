#pragma once

#include "data/settings/SettingsTable.h"

#include <QString>
#include <QVariant>

#include <optional>

// Turns what the store holds for one key into the key's in-memory value, or nothing when the
// text does not fit the key's type or range (the caller then uses the key's default).
// Booleans accept "True"/"False" in any case and decimal numbers (non-zero is true); numbers
// accept decimal text and "True"/"False" as 1/0; texts accept anything, and a value that the
// store split at unquoted commas is joined back with ", ".
std::optional<QVariant> parseSettingValue(const QVariant& stored, const SettingDescriptor& descriptor);

// The text the store keeps for an in-memory value: "True"/"False" for Booleans, decimal text for
// numbers (whole twips without a fraction), the text itself otherwise, as one line of the settings file
// holds it (line breaks become blanks, no blanks at either end).
QString formatSettingValue(const QVariant& value, SettingType type);
