#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace demofiles {

struct ZipMember
{
    QString name;
    QByteArray data;
};

// A ZIP archive of the members in the given order, deflated, every member stamped with the given time. Nothing,
// with libarchive's reason, when the archive cannot be made.
std::optional<QByteArray> buildZipArchive(const QList<ZipMember>& members, const QDateTime& modified,
                                          QString* error = nullptr);

} // namespace demofiles
