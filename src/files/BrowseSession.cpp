#include "files/BrowseSession.h"

#include "files/FolderLists.h"
#include "platform/PathNames.h"

#include <QDir>
#include <QFileInfo>

namespace files {

BrowseMode browseModeOf(int number)
{
    return number == 0 ? BrowseMode::Folder : BrowseMode::File;
}

BrowseSession::BrowseSession(BrowseMode mode, const QString& startPath, const QString& patternText,
                             const QString& selectName, const QString& fallbackFolder)
    : m_mode(mode), m_patterns(patternList(patternText))
{
    m_folder = existingFolderFor(startPath, existingFolderFor(fallbackFolder, QDir::rootPath()));
    list();
    if (!selectName.isEmpty()) {
        for (int row = 0; row < m_files.size(); ++row) {
            if (m_files[row].compare(selectName, Qt::CaseInsensitive) == 0) {
                m_chosen = row;
                break;
            }
        }
    }
}

QString BrowseSession::drive() const
{
    return driveOf(m_folder);
}

bool BrowseSession::okEnabled() const
{
    return m_mode == BrowseMode::Folder || m_chosen >= 0;
}

void BrowseSession::changeDrive(const QString& root)
{
    // A drive that cannot be read (an empty card reader, a lost network share) keeps the folder shown.
    if (QFileInfo(root).isDir())
        changeFolder(root);
}

void BrowseSession::changeFolder(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    m_folder = QFileInfo(folder).absoluteFilePath();
    list();
}

void BrowseSession::changePattern(const QString& patternText)
{
    m_patterns = patternList(patternText);
    list();
}

void BrowseSession::openFolderEntry(int row)
{
    if (row >= 0 && row < m_folders.size())
        changeFolder(folderBelow(m_folder, m_folders[row]));
}

void BrowseSession::chooseFile(int row)
{
    m_chosen = row >= 0 && row < m_files.size() ? row : -1;
}

void BrowseSession::showHiddenFolders(bool shown)
{
    m_hiddenShown = shown;
    m_folders = folderEntries(m_folder, m_hiddenShown);
}

QString BrowseSession::result() const
{
    if (m_mode == BrowseMode::Folder)
        return m_folder;
    return m_chosen >= 0 ? platform::joinPath(m_folder, m_files[m_chosen]) : QString();
}

void BrowseSession::list()
{
    m_drives = drivesFor(m_folder);
    m_folders = folderEntries(m_folder, m_hiddenShown);
    m_files = fileEntries(m_folder, m_patterns);
    m_chosen = -1;
}

} // namespace files
