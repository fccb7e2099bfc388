#include "launch/ArchiveReport.h"

#include <QDir>

namespace launch {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kDashes = QString(50, QLatin1Char('-'));
} // namespace

QString reportHeader(ArchiveKind kind)
{
    switch (kind) {
    case ArchiveKind::Zip:
        return QStringLiteral("ZIP CONTENTS:");
    case ArchiveKind::Lha:
        return QStringLiteral("LHA/LZH CONTENTS:");
    case ArchiveKind::Gz:
        return QStringLiteral("GZ CONTENTS:");
    case ArchiveKind::Lynx:
        break;
    }
    return QStringLiteral("LNX CONTENTS:");
}

QString ArchiveReport::text() const
{
    if (!withListing)
        return lead;
    QString out = lead + kCrLf + kCrLf;
    if (!second.isEmpty())
        out += second + kCrLf + kCrLf;
    out += reportHeader(kind) + kCrLf + kDashes + kCrLf;
    for (const QString& name : listing)
        out += name + kCrLf;
    out += kDashes;
    return out;
}

QStringList ListFolderFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
}

QStringList ListFolderFilesExceptLha(const QString& folder)
{
    QStringList out;
    for (const QString& name : ListFolderFiles(folder)) {
        if (!name.contains(QStringLiteral(".LHA"), Qt::CaseInsensitive) &&
            !name.contains(QStringLiteral(".LZH"), Qt::CaseInsensitive))
            out << name;
    }
    return out;
}

QString missingToolText(const QString& tool, const QString& conversionFolder)
{
    // The folder is named as it is on this system: installed, it is not below the program's own folder.
    return QStringLiteral("  vintrax could not find %1 in your Conversion Folder (%2).")
        .arg(tool, QDir::toNativeSeparators(conversionFolder));
}

CaseTexts caseTexts(ArchiveKind kind, ArchiveCase c, const QString& conversionFolder)
{
    const auto couldNotFind = [&conversionFolder](const char* tool) {
        return missingToolText(QString::fromLatin1(tool), conversionFolder);
    };
    const QString lynxError =
        QStringLiteral("vintrax encountered an error when running StarLynx.EXE to convert it to a D64 file.");
    const QString zip2d64Error =
        QStringLiteral("vintrax encountered an error when running Zip2D64.EXE to uncompress them to a D64 file.");
    const QString makeTapeError =
        QStringLiteral("vintrax encountered an error when running MAKETAPE.EXE to convert it to a T64 file.");
    switch (kind) {
    case ArchiveKind::Zip:
    case ArchiveKind::Lynx:
        switch (c) {
        case ArchiveCase::MoreThanOneCompatible:
            return {QStringLiteral("This Zip file contains more than 1 compatible game-file."),
                    QStringLiteral("Try renaming the Zip-file to the game-file you wish to boot off.")};
        case ArchiveCase::Zip2D64Missing:
            return {QStringLiteral("This Zip file contains Zip-Coded archives.") + couldNotFind("ZIP2D64.EXE"), {}};
        case ArchiveCase::Zip2D64Failed:
            return {QStringLiteral("This Zip file contains Zip-Coded archives."), zip2d64Error};
        case ArchiveCase::MoreThanOneZ64Set:
            return {QStringLiteral("This Zip file contains more than 1 set of .Z64 archives.  Only Zip-files with 1 "
                                   "set of Z64 archives are allowed in vintrax ."),
                    {}};
        case ArchiveCase::StarLynxMissing:
            return {QStringLiteral("This ZIP file contains a Lynx archive.") + couldNotFind("STARLYNX.EXE"), {}};
        case ArchiveCase::StarLynxFailed:
            return {QStringLiteral("This ZIP File contains a Lynx archive.  vintrax encountered an error when running "
                                   "StarLynx.EXE to convert it to a D64 file."),
                    {}};
        case ArchiveCase::MoreThanOneLynx:
            return {QStringLiteral("This ZIP file contains more than 1 Lynx archive.  Only ZIP files with 1 Lynx "
                                   "archive are allowed in vintrax ."),
                    {}};
        case ArchiveCase::NoUsableFile:
            return {QStringLiteral("This Zip-File is not compatible with vintrax."), {}};
        case ArchiveCase::MoreThanOneRaw:
            return {QStringLiteral("This ZIP file contains more than 1 Raw C64 file."),
                    QStringLiteral("vintrax supports ZIP files containing only 1 Raw file.")};
        case ArchiveCase::MakeTapeMissing:
            return {QStringLiteral("This ZIP file contains a Raw C64 file.") + couldNotFind("MAKETAPE.EXE"), {}};
        case ArchiveCase::MakeTapeFailed:
            return {QStringLiteral("This ZIP file contains a Raw C64 file."), makeTapeError};
        }
        break;
    case ArchiveKind::Lha:
        switch (c) {
        case ArchiveCase::MoreThanOneCompatible:
            return {QStringLiteral("This Lha/Lzh file contains more than 1 compatible game-file."),
                    QStringLiteral("Try renaming the Lha/Lzh-file to the game-file you wish to boot off.")};
        case ArchiveCase::Zip2D64Missing:
            return {QStringLiteral("This LHA/LZH file contains .Z64 archives.") + couldNotFind("ZIP2D64.EXE"), {}};
        case ArchiveCase::Zip2D64Failed:
            return {QStringLiteral("This LHA/LZH file contains .Z64 archives."), zip2d64Error};
        case ArchiveCase::MoreThanOneZ64Set:
            return {QStringLiteral("This LHA/LZH file contains more than 1 set of .Z64 archives.  Only LHA/LZH-files "
                                   "with 1 set of Z64 archives are allowed in vintrax ."),
                    {}};
        case ArchiveCase::StarLynxMissing:
            return {QStringLiteral("This LHA/LZH file contains a Lynx archive.") + couldNotFind("STARLYNX.EXE"), {}};
        case ArchiveCase::StarLynxFailed:
            return {QStringLiteral("This LHA/LZH file contains a Lynx archive."), lynxError};
        case ArchiveCase::MoreThanOneLynx:
            return {QStringLiteral("This LHA/LZH file contains more than 1 Lynx archive.  Only LHA/LZH-files with 1 "
                                   "Lynx archive are allowed in vintrax ."),
                    {}};
        case ArchiveCase::NoUsableFile:
            return {QStringLiteral("This LHA/LZH-File is not compatible with vintrax."), {}};
        case ArchiveCase::MoreThanOneRaw:
            return {QStringLiteral("This LHA/LZH file contains more than 1 Raw C64 file."),
                    QStringLiteral("vintrax supports LHA/LZH files containing only 1 Raw file.")};
        case ArchiveCase::MakeTapeMissing:
            return {QStringLiteral("This LHA/LZH file contains a Raw C64 file.") + couldNotFind("MAKETAPE.EXE"), {}};
        case ArchiveCase::MakeTapeFailed:
            return {QStringLiteral("This LHA/LZH file contains a Raw C64 file."), makeTapeError};
        }
        break;
    case ArchiveKind::Gz:
        switch (c) {
        case ArchiveCase::StarLynxMissing:
            return {QStringLiteral("This GZ file contains a Lynx archive.") + couldNotFind("STARLYNX.EXE"), {}};
        case ArchiveCase::StarLynxFailed:
            return {QStringLiteral("This GZ file contains a Lynx archive."), lynxError};
        case ArchiveCase::MoreThanOneLynx:
            return {QStringLiteral("This GZ file contains more than 1 Lynx archive.  Only GZ archives with 1 Lynx "
                                   "archive are allowed in vintrax ."),
                    {}};
        case ArchiveCase::NoUsableFile:
            return {QStringLiteral("Error Unzipping.  This GZ-file maybe corrupt."), {}};
        case ArchiveCase::MoreThanOneRaw:
            return {QStringLiteral("This GZ file contains more than 1 file."),
                    QStringLiteral("vintrax supports GZ files containing only 1 file.")};
        case ArchiveCase::MakeTapeMissing:
            // One blank after the first sentence here, where the others have two.
            return {QStringLiteral("This Zip file contains a Raw archive.") + couldNotFind("MAKETAPE.EXE").mid(1), {}};
        case ArchiveCase::MakeTapeFailed:
            return {QStringLiteral("This GZ file contains a Raw archive."),
                    QStringLiteral("vintrax encountered an error when running MAKETAPE.EXE to uncompress it to a T64 "
                                   "file.")};
        default:
            break;
        }
        break;
    }
    return {};
}

} // namespace launch
