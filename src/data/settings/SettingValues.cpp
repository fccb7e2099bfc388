#include "data/settings/SettingValues.h"

#include "data/settings/SettingsFile.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

// A hand-edited value with unquoted commas comes back from the store as a list of its parts.
std::optional<QString> storedText(const QVariant& stored)
{
    if (!stored.isValid())
        return std::nullopt;
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    if (stored.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(stored.toByteArray());
    if (stored.canConvert<QString>())
        return stored.toString();
    return std::nullopt;
}

std::optional<double> parseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return 1.0;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return 0.0;
    // "1,5" or "1,000" is no number here, whatever a locale might make of it.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QVariant> parseSettingValue(const QVariant& stored, const SettingDescriptor& descriptor)
{
    const std::optional<QString> text = storedText(stored);
    if (!text)
        return std::nullopt;
    if (descriptor.type == SettingType::Text)
        return QVariant(*text);
    // A list means the value had commas, which no Boolean or number has.
    if (stored.typeId() == QMetaType::QStringList)
        return std::nullopt;

    const std::optional<double> number = parseNumber(*text);
    if (!number)
        return std::nullopt;
    switch (descriptor.type) {
    case SettingType::Boolean:
        return QVariant(*number != 0.0);
    case SettingType::Integer:
    case SettingType::Long: {
        // Fractions round to the nearest whole number, halves to even.
        const double whole = std::nearbyint(*number);
        if (whole < descriptor.minimum || whole > descriptor.maximum)
            return std::nullopt;
        return QVariant(static_cast<int>(whole));
    }
    case SettingType::Single:
        if (*number < descriptor.minimum || *number > descriptor.maximum)
            return std::nullopt;
        return QVariant(*number);
    case SettingType::Text:
        break;
    }
    return std::nullopt;
}

QString formatSettingValue(const QVariant& value, SettingType type)
{
    switch (type) {
    case SettingType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case SettingType::Integer:
    case SettingType::Long:
        return QString::number(value.toInt());
    case SettingType::Single: {
        const double number = value.toDouble();
        if (number == std::trunc(number) && std::abs(number) < 9.0e15)
            return QString::number(static_cast<qint64>(number));
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case SettingType::Text:
        break;
    }
    // Kept in memory as the file will give it back, so that this run and the next read the same text.
    return settingsfile::storableText(value.toString());
}
