#pragma once

#include "c64/ImageListing.h"
#include "launch/ArchiveReport.h"
#include "launch/GameLaunch.h"
#include "platform/RunAndWait.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The values an archive converter shares with the archive-rename dialog.
struct ArchiveHandover
{
    QString ArchiveWorkFolder;
    QString ArchiveFolder;
    QString ArchiveName; // the dialog replaces it with the new, upper-cased name
    bool ArchiveRenameCancelled = false;
};

struct ConversionResult
{
    bool ok = false;
    QString imagePath; // the image to start; empty after a successful archive rename
    QString report;    // the text the launcher and the game file dialog show
};

// The launch object: turns archived games into one image the emulator can load. Each converter empties
// the working folder, unpacks or converts the archive there with the tools of the Conversion folder,
// and decides which file to start; when it cannot, its report says why.
class clsC64Game
{
public:
    using RenameDialog = std::function<void(ArchiveHandover&)>;
    using StatusHook = std::function<void(const QString&)>;
    using Runner = std::function<void(const platform::Command&, const QString& workFolder, platform::WindowMode)>;

    // conversionFolder holds the tools and the emulator bridges.
    explicit clsC64Game(const QString& conversionFolder);

    ConversionResult ConvertZip(const QString& archiveFolder, const QString& archiveName, const QString& workFolder);
    ConversionResult ConvertGzip(const QString& archiveFolder, const QString& archiveName, const QString& workFolder);
    ConversionResult ConvertLha(const QString& archiveFolder, const QString& archiveName, const QString& workFolder);
    ConversionResult ConvertLynx(const QString& archiveFolder, const QString& archiveName, const QString& workFolder);
    // The converter of an archive kind.
    ConversionResult Convert(launch::ArchiveKind kind, const QString& archiveFolder, const QString& archiveName,
                             const QString& workFolder);
    // The archive kind by the name's ending in any letter case (".zip", ".gz", ".lha" or ".lzh", ".lnx"); none for
    // a file the emulator loads as it is.
    static std::optional<launch::ArchiveKind> archiveKindOf(const QString& fileName);

    // Starts an image in one of the emulators with the game's or the default ports, and records the play
    // for the current game when the start comes from the catalogue and went well.
    launch::LaunchOutcome LaunchGame(const QString& imagePath, int entryIndex, bool useDefault, bool directX,
                                     bool fromDatabase, launch::EmulatorKind kind, const Settings& settings,
                                     catalogue::CurrentGame* game, launch::SettledHandler onSettled = {}) const
    {
        return launch::GameLaunch({imagePath, entryIndex, useDefault, directX, fromDatabase, kind, m_conversionFolder},
                                  settings, game, std::move(onSettled));
    }

    // What an image holds, for the game file dialog: the disk or tape name (or the kind of a one-program
    // file) and the entries in the order the emulator counts them.
    static c64::ImageListing ListImage(const QString& imagePath) { return c64::listImage(imagePath); }

    // The archive-rename dialog, shown when an archive holds several games and none is named like it.
    void setRenameDialog(RenameDialog dialog) { m_renameDialog = std::move(dialog); }
    // The game file dialog's status label, while that dialog is open.
    void setStatusHook(StatusHook hook) { m_status = std::move(hook); }
    // How tools are run; RunAndWait unless a caller needs otherwise.
    void setRunner(Runner runner) { m_runner = std::move(runner); }
    // WinZip's program, when the user has one for GZ files.
    void setWinzipPath(const QString& path) { m_winzipPath = path; }

    const ArchiveHandover& archiveHandover() const { return m_archive; }
    bool UnzipFailed = false;

    // Deletes a file, or a folder with everything in it. Refuses empty, relative and root paths.
    static bool DeleteFolderTree(const QString& path);

private:
    // Each returns "" on success, else the report's lead text naming the working folder.
    QString emptyWorkFolder(const QString& workFolder);
    QString copyIntoWorkFolder(const QString& source, const QString& copy, const QString& workFolder);
    QString toolPath(const QString& tool) const;
    launch::ArchiveReport reportOf(launch::ArchiveKind kind, launch::ArchiveCase c, const QStringList& listing) const;
    bool toolExists(const QString& tool) const;
    bool runTool(const QString& tool, const QStringList& args, const QString& workFolder, const QString& output,
                 const QString& target, const QString& status);
    bool MakeTape(const QString& workFolder, const QStringList& inputs, const QString& target);
    bool Zip2D64(const QString& workFolder, const QString& setBase, const QString& target);
    bool StarLynx(const QString& workFolder, const QString& lynxPath, const QString& target);
    ConversionResult decideZipOrLha(launch::ArchiveKind kind, const QString& archiveFolder, const QString& archiveName,
                                    const QString& workFolder);
    ConversionResult decideGz(const QString& archiveName, const QString& workFolder);
    ConversionResult convertSingleLynx(launch::ArchiveKind kind, const QString& lynxName, const QString& workFolder);
    ConversionResult convertSingleRaw(launch::ArchiveKind kind, const QString& rawName, const QString& target,
                                      const QString& archiveName, const QString& workFolder);

    QString m_conversionFolder;
    QString m_winzipPath;
    ArchiveHandover m_archive;
    RenameDialog m_renameDialog;
    StatusHook m_status;
    Runner m_runner;
};
