#include "launch/clsC64Game.h"

#include "launch/UnzipToFolder.h"
#include "platform/ExecutableSuffix.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace launch;

namespace {

// Tool output names inside the working folder; each is renamed to its final name at once.
const QString kMakeTapeName = QStringLiteral("vtrxmktp");
const QString kMakeTapeOutput = QStringLiteral("vtrxmktp.t64");
const QString kZip2D64Output = QStringLiteral("vtrxtz2d.d64");
const QString kStarLynxOutput = QStringLiteral("vtrxmkd6.d64");

const QStringList kCompatibleEndings = {QStringLiteral(".d64"), QStringLiteral(".t64"), QStringLiteral(".prg"),
                                        QStringLiteral(".p00"), QStringLiteral(".p01"), QStringLiteral(".tap")};

bool endsWithAny(const QString& name, const QStringList& endings)
{
    for (const QString& e : endings) {
        if (name.endsWith(e, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList filesWhere(const QStringList& files, const std::function<bool(const QString&)>& keep)
{
    QStringList out;
    for (const QString& f : files) {
        if (keep(f))
            out << f;
    }
    return out;
}

// A name without its last three characters: "ELITE.ZIP" gives "ELITE.", "ELITE.GZ" gives "ELITE".
QString chopThree(const QString& name)
{
    return name.left(std::max<qsizetype>(0, name.size() - 3));
}

QString baseOf(const QString& name)
{
    return chopThree(name).toUpper();
}

QString inFolder(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

ConversionResult succeeded(const QString& imagePath, const ArchiveReport& report)
{
    return {true, imagePath, report.text()};
}

ConversionResult failed(const ArchiveReport& report)
{
    return {false, {}, report.text()};
}

// The working folder itself let the conversion down: the report says so, with the folder's path, rather than
// blame the archive or a tool. reason is what the system said, when there is more to say than the lead.
ArchiveReport workFolderReport(ArchiveKind kind, const QString& lead, const QString& reason = {})
{
    const QString advice =
        QStringLiteral("Please check that the folder can be written to and that its disk is not full.");
    const QString second = reason.isEmpty() ? advice : reason + QStringLiteral("\r\n") + advice;
    if (kind == ArchiveKind::Lynx) {
        ArchiveReport report{lead + QStringLiteral("  ") + second, {}, kind, {}};
        report.withListing = false;
        return report;
    }
    return {lead, second, kind, {}};
}

QString folderText(const QString& folder)
{
    return QStringLiteral("'%1'").arg(QDir::toNativeSeparators(folder));
}

QStringList listingFor(ArchiveKind kind, const QString& workFolder)
{
    return kind == ArchiveKind::Zip ? launch::ListFolderFiles(workFolder)
                                    : launch::ListFolderFilesExceptLha(workFolder);
}

} // namespace

clsC64Game::clsC64Game(const QString& conversionFolder)
    : m_conversionFolder(conversionFolder), m_runner([](const platform::Command& c, const QString& w,
                                                        platform::WindowMode m) { platform::RunAndWait(c, w, m); })
{
}

bool clsC64Game::DeleteFolderTree(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.isRelative() || info.isRoot() || QDir(path) == QDir::home())
        return false;
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

QString clsC64Game::emptyWorkFolder(const QString& workFolder)
{
    if (!DeleteFolderTree(workFolder))
        return QStringLiteral("vintrax could not empty its working folder %1.").arg(folderText(workFolder));
    if (!QDir().mkpath(workFolder))
        return QStringLiteral("vintrax could not create its working folder %1.").arg(folderText(workFolder));
    return {};
}

QString clsC64Game::copyIntoWorkFolder(const QString& source, const QString& copy, const QString& workFolder)
{
    if (const QString failed = emptyWorkFolder(workFolder); !failed.isEmpty())
        return failed;
    if (!QFile::copy(source, copy))
        return QStringLiteral("vintrax could not copy %1 into its working folder %2.")
            .arg(QFileInfo(copy).fileName(), folderText(workFolder));
    return {};
}

ArchiveReport clsC64Game::reportOf(ArchiveKind kind, ArchiveCase c, const QStringList& listing) const
{
    const CaseTexts t = launch::caseTexts(kind, c, m_conversionFolder);
    return {t.lead, t.second, kind, listing};
}

QString clsC64Game::toolPath(const QString& tool) const
{
    return QDir(m_conversionFolder).filePath(tool + platform::executableSuffix());
}

bool clsC64Game::toolExists(const QString& tool) const
{
    return platform::CheckPathExists(toolPath(tool), false);
}

bool clsC64Game::runTool(const QString& tool, const QStringList& args, const QString& workFolder, const QString& output,
                         const QString& target, const QString& status)
{
    if (m_status)
        m_status(status);
    // A file of the output's name must not pass for the tool's work.
    QFile::remove(inFolder(workFolder, output));
    const platform::Command command{platform::ShortPathName(toolPath(tool)), args};
    m_runner(platform::throughCommandInterpreter(command), workFolder, platform::WindowMode::Hidden);
    const QString produced = inFolder(workFolder, output);
    if (!QFileInfo(produced).isFile())
        return false;
    const QString final = inFolder(workFolder, target);
    if (final != produced && QFileInfo::exists(final))
        QFile::remove(final); // the replacement is already there
    return QFile::rename(produced, final);
}

bool clsC64Game::MakeTape(const QString& workFolder, const QStringList& inputs, const QString& target)
{
    return runTool(QStringLiteral("maketape"), QStringList{kMakeTapeName} + inputs, workFolder, kMakeTapeOutput, target,
                   QStringLiteral("CONVERTING TO .T64 FILE..."));
}

bool clsC64Game::Zip2D64(const QString& workFolder, const QString& setBase, const QString& target)
{
    return runTool(QStringLiteral("zip2d64"), {setBase, kZip2D64Output}, workFolder, kZip2D64Output, target,
                   QStringLiteral("CONVERTING TO D64..."));
}

bool clsC64Game::StarLynx(const QString& workFolder, const QString& lynxPath, const QString& target)
{
    return runTool(QStringLiteral("starlynx"),
                   {QStringLiteral("x"), platform::ShortPathName(lynxPath), kStarLynxOutput}, workFolder,
                   kStarLynxOutput, target, QStringLiteral("EXTRACTING FROM .LNX FILE..."));
}

ConversionResult clsC64Game::ConvertZip(const QString& archiveFolder, const QString& archiveName,
                                        const QString& workFolder)
{
    if (const QString why = emptyWorkFolder(workFolder); !why.isEmpty())
        return failed(workFolderReport(ArchiveKind::Zip, why));
    UnzipFailed = false;
    const UnzipResult unzipped =
        UnzipToFolder(workFolder, platform::ShortPathName(platform::joinPath(archiveFolder, archiveName)));
    UnzipFailed = unzipped.failed;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (UnzipFailed) {
        DeleteFolderTree(workFolder);
        // A full disk or a folder that refuses files is not the archive's fault; either way the cause is named.
        if (unzipped.writeFailed)
            return failed(workFolderReport(
                ArchiveKind::Zip,
                QStringLiteral("vintrax could not write to its working folder %1.").arg(folderText(workFolder)),
                unzipped.error));
        return failed(
            {QStringLiteral("Error Unzipping.  This Zip-file maybe corrupt."), unzipped.error, ArchiveKind::Zip, {}});
    }
    return decideZipOrLha(ArchiveKind::Zip, archiveFolder, archiveName, workFolder);
}

ConversionResult clsC64Game::ConvertLha(const QString& archiveFolder, const QString& archiveName,
                                        const QString& workFolder)
{
    const QString source = platform::ShortPathName(platform::joinPath(archiveFolder, archiveName));
    const QString copy = inFolder(workFolder, archiveName);
    if (source.isEmpty())
        return failed(reportOf(ArchiveKind::Lha, ArchiveCase::NoUsableFile, {}));
    if (const QString why = copyIntoWorkFolder(source, copy, workFolder); !why.isEmpty())
        return failed(workFolderReport(ArchiveKind::Lha, why));
    m_runner(platform::throughCommandInterpreter(
                 {platform::ShortPathName(toolPath(QStringLiteral("lha"))),
                  {QStringLiteral("e"), QStringLiteral("/m"), platform::ShortPathName(copy)}}),
             workFolder, platform::WindowMode::Hidden);
    return decideZipOrLha(ArchiveKind::Lha, archiveFolder, archiveName, workFolder);
}

ConversionResult clsC64Game::decideZipOrLha(ArchiveKind kind, const QString& archiveFolder, const QString& archiveName,
                                            const QString& workFolder)
{
    const QStringList files = ListFolderFiles(workFolder);
    const QString lead = archiveName + QStringLiteral("...");

    // 1. Game files: the one named like the archive, else the only one, else the user's choice.
    const QStringList compatible =
        filesWhere(files, [](const QString& f) { return endsWithAny(f, kCompatibleEndings); });
    for (const QString& f : compatible) {
        if (baseOf(f) == baseOf(archiveName))
            return succeeded(inFolder(workFolder, f), {lead, {}, kind, listingFor(kind, workFolder)});
    }
    if (compatible.size() == 1) {
        const QString renamed = baseOf(archiveName) + compatible.first().right(3);
        if (!QFile::rename(inFolder(workFolder, compatible.first()), inFolder(workFolder, renamed)))
            return failed(reportOf(kind, ArchiveCase::NoUsableFile, listingFor(kind, workFolder)));
        return succeeded(inFolder(workFolder, renamed), {lead, {}, kind, listingFor(kind, workFolder)});
    }
    if (compatible.size() >= 2) {
        m_archive = {workFolder, archiveFolder, archiveName, true};
        if (m_renameDialog)
            m_renameDialog(m_archive);
        if (m_archive.ArchiveRenameCancelled)
            return failed(reportOf(kind, ArchiveCase::MoreThanOneCompatible, listingFor(kind, workFolder)));
        return succeeded({}, {m_archive.ArchiveName + QStringLiteral("..."), {}, kind, listingFor(kind, workFolder)});
    }

    // 2. A Zip-Code set, known by its first part "1!...".
    const QStringList firstParts =
        filesWhere(files, [](const QString& f) { return f.startsWith(QStringLiteral("1!")); });
    if (firstParts.size() == 1) {
        if (!toolExists(QStringLiteral("zip2d64")))
            return failed(reportOf(kind, ArchiveCase::Zip2D64Missing, listingFor(kind, workFolder)));
        const QString setBase =
            QFileInfo(platform::ShortPathName(inFolder(workFolder, firstParts.first()))).fileName().mid(2);
        const QString target = chopThree(archiveName) + QStringLiteral("d64");
        if (!Zip2D64(workFolder, setBase, target))
            return failed(reportOf(kind, ArchiveCase::Zip2D64Failed, listingFor(kind, workFolder)));
        return succeeded(inFolder(workFolder, target), {lead, {}, kind, {target}});
    }
    if (firstParts.size() >= 2)
        return failed(reportOf(kind, ArchiveCase::MoreThanOneZ64Set, listingFor(kind, workFolder)));

    // 3. A Lynx archive.
    const QStringList lynx =
        filesWhere(files, [](const QString& f) { return f.endsWith(QStringLiteral(".lnx"), Qt::CaseInsensitive); });
    if (lynx.size() == 1)
        return convertSingleLynx(kind, lynx.first(), workFolder);
    if (lynx.size() >= 2)
        return failed(reportOf(kind, ArchiveCase::MoreThanOneLynx, listingFor(kind, workFolder)));

    // 4. A single raw C64 file becomes a tape.
    if (kind == ArchiveKind::Lha)
        DeleteFolderTree(inFolder(workFolder, archiveName));
    const QStringList all = ListFolderFiles(workFolder);
    if (all.isEmpty()) {
        DeleteFolderTree(workFolder);
        return failed(reportOf(kind, ArchiveCase::NoUsableFile, {}));
    }
    if (all.size() >= 2)
        return failed(reportOf(kind, ArchiveCase::MoreThanOneRaw, listingFor(kind, workFolder)));
    return convertSingleRaw(kind, all.first(), chopThree(archiveName) + QStringLiteral("t64"), archiveName, workFolder);
}

ConversionResult clsC64Game::convertSingleLynx(ArchiveKind kind, const QString& lynxName, const QString& workFolder)
{
    if (!toolExists(QStringLiteral("starlynx")))
        return failed(reportOf(kind, ArchiveCase::StarLynxMissing, listingFor(kind, workFolder)));
    const QString target = chopThree(lynxName) + QStringLiteral("d64");
    if (!StarLynx(workFolder, inFolder(workFolder, lynxName), target))
        return failed(reportOf(kind, ArchiveCase::StarLynxFailed, listingFor(kind, workFolder)));
    return succeeded(inFolder(workFolder, target), {lynxName + QStringLiteral("..."), {}, kind, {target}});
}

ConversionResult clsC64Game::convertSingleRaw(ArchiveKind kind, const QString& rawName, const QString& target,
                                              const QString& archiveName, const QString& workFolder)
{
    if (!toolExists(QStringLiteral("maketape")))
        return failed(reportOf(kind, ArchiveCase::MakeTapeMissing, listingFor(kind, workFolder)));
    if (!MakeTape(workFolder, {rawName}, target))
        return failed(reportOf(kind, ArchiveCase::MakeTapeFailed, listingFor(kind, workFolder)));
    return succeeded(inFolder(workFolder, target), {archiveName + QStringLiteral("..."), {}, kind, {target}});
}

ConversionResult clsC64Game::ConvertGzip(const QString& archiveFolder, const QString& archiveName,
                                         const QString& workFolder)
{
    const QString source = platform::ShortPathName(platform::joinPath(archiveFolder, archiveName));
    const QString copy = inFolder(workFolder, archiveName);
    if (source.isEmpty())
        return failed(reportOf(ArchiveKind::Gz, ArchiveCase::NoUsableFile, {}));
    if (const QString why = copyIntoWorkFolder(source, copy, workFolder); !why.isEmpty())
        return failed(workFolderReport(ArchiveKind::Gz, why));
    if (!platform::CheckPathExists(m_winzipPath, false)) {
        m_runner(platform::throughCommandInterpreter(
                     {platform::ShortPathName(toolPath(QStringLiteral("gunzip"))),
                      {QStringLiteral("-d"), QStringLiteral("-q"), platform::ShortPathName(copy)}}),
                 workFolder, platform::WindowMode::Hidden);
        // gunzip keeps the archive when it cannot unpack it; that copy is no game to turn into a tape.
        if (QFileInfo::exists(copy)) {
            DeleteFolderTree(workFolder);
            return failed(reportOf(ArchiveKind::Gz, ArchiveCase::NoUsableFile, {}));
        }
    } else {
        m_runner({platform::ShortPathName(m_winzipPath),
                  {QStringLiteral("-e"), platform::ShortPathName(copy), platform::ShortPathName(workFolder)}},
                 workFolder, platform::WindowMode::Minimised);
        DeleteFolderTree(copy);
    }
    return decideGz(archiveName, workFolder);
}

ConversionResult clsC64Game::decideGz(const QString& archiveName, const QString& workFolder)
{
    const QStringList files = ListFolderFiles(workFolder);
    const QStringList programs =
        filesWhere(files, [](const QString& f) { return f.endsWith(QStringLiteral(".prg"), Qt::CaseInsensitive); });
    if (programs.size() == 1)
        return succeeded(inFolder(workFolder, programs.first()),
                         {archiveName + QStringLiteral("..."), {}, ArchiveKind::Gz, {programs.first()}});
    const QStringList lynx =
        filesWhere(files, [](const QString& f) { return f.endsWith(QStringLiteral(".lnx"), Qt::CaseInsensitive); });
    if (lynx.size() > 1)
        return failed(reportOf(ArchiveKind::Gz, ArchiveCase::MoreThanOneLynx, ListFolderFilesExceptLha(workFolder)));
    if (lynx.size() == 1)
        return convertSingleLynx(ArchiveKind::Gz, lynx.first(), workFolder);
    if (files.isEmpty()) {
        DeleteFolderTree(workFolder);
        return failed(reportOf(ArchiveKind::Gz, ArchiveCase::NoUsableFile, {}));
    }
    if (files.size() >= 2)
        return failed(reportOf(ArchiveKind::Gz, ArchiveCase::MoreThanOneRaw, ListFolderFiles(workFolder)));
    return convertSingleRaw(ArchiveKind::Gz, files.first(), chopThree(archiveName) + QStringLiteral(".t64"),
                            archiveName, workFolder);
}

ConversionResult clsC64Game::Convert(launch::ArchiveKind kind, const QString& archiveFolder, const QString& archiveName,
                                     const QString& workFolder)
{
    switch (kind) {
    case launch::ArchiveKind::Zip:
        return ConvertZip(archiveFolder, archiveName, workFolder);
    case launch::ArchiveKind::Gz:
        return ConvertGzip(archiveFolder, archiveName, workFolder);
    case launch::ArchiveKind::Lha:
        return ConvertLha(archiveFolder, archiveName, workFolder);
    case launch::ArchiveKind::Lynx:
        return ConvertLynx(archiveFolder, archiveName, workFolder);
    }
    return {};
}

std::optional<launch::ArchiveKind> clsC64Game::archiveKindOf(const QString& fileName)
{
    const QString upper = fileName.toUpper();
    if (upper.endsWith(QStringLiteral(".ZIP")))
        return launch::ArchiveKind::Zip;
    if (upper.endsWith(QStringLiteral(".GZ")))
        return launch::ArchiveKind::Gz;
    if (upper.endsWith(QStringLiteral(".LZH")) || upper.endsWith(QStringLiteral(".LHA")))
        return launch::ArchiveKind::Lha;
    if (upper.endsWith(QStringLiteral(".LNX")))
        return launch::ArchiveKind::Lynx;
    return std::nullopt;
}

ConversionResult clsC64Game::ConvertLynx(const QString& archiveFolder, const QString& archiveName,
                                         const QString& workFolder)
{
    ArchiveReport report{{}, {}, ArchiveKind::Lynx, {}};
    report.withListing = false;
    if (const QString why = emptyWorkFolder(workFolder); !why.isEmpty())
        return failed(workFolderReport(ArchiveKind::Lynx, why));
    if (!toolExists(QStringLiteral("starlynx"))) {
        report.lead = launch::missingToolText(QStringLiteral("STARLYNX.EXE"), m_conversionFolder).trimmed();
        return failed(report);
    }
    const QString target = chopThree(archiveName) + QStringLiteral("d64");
    if (!StarLynx(workFolder, platform::joinPath(archiveFolder, archiveName), target)) {
        report.lead = QStringLiteral(
            "vintrax encountered an error when running StarLynx.EXE to convert this Lynx file to a D64 file.");
        return failed(report);
    }
    return succeeded(inFolder(workFolder, target),
                     {archiveName + QStringLiteral("..."), {}, ArchiveKind::Lynx, {target}});
}
