#pragma once

#include <QString>
#include <QStringList>

namespace launch {

enum class ArchiveKind
{
    Zip,
    Lha,
    Gz,
    Lynx
};

// What a converter reports: the lead text, an optional second text, the header of its kind and the
// listing, laid out as the launcher and the game file dialog show it (lines end in CR LF).
struct ArchiveReport
{
    QString lead;
    QString second;
    ArchiveKind kind = ArchiveKind::Zip;
    QStringList listing;
    bool withListing = true; // some Lynx failures carry the lead text alone

    QString text() const;
};

QString reportHeader(ArchiveKind kind);

// The plain files of a folder in name order (case ignored).
QStringList ListFolderFiles(const QString& folder);
// The same, leaving out the archive copy of an LHA or LZH file lying in the folder.
QStringList ListFolderFilesExceptLha(const QString& folder);

// The failure texts of one archive kind (lead text and second text; empty second text when there is none).
enum class ArchiveCase
{
    MoreThanOneCompatible,
    Zip2D64Missing,
    Zip2D64Failed,
    MoreThanOneZ64Set,
    StarLynxMissing,
    StarLynxFailed,
    MoreThanOneLynx,
    NoUsableFile,
    MoreThanOneRaw,
    MakeTapeMissing,
    MakeTapeFailed,
};
struct CaseTexts
{
    QString lead;
    QString second;
};
// conversionFolder is named in the texts that say a tool is missing from it.
CaseTexts caseTexts(ArchiveKind kind, ArchiveCase c, const QString& conversionFolder);

// "  vintrax could not find TOOL in your Conversion Folder (FOLDER)." with its two leading blanks.
QString missingToolText(const QString& tool, const QString& conversionFolder);

} // namespace launch
