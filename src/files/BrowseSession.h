#pragma once

#include <QString>
#include <QStringList>

namespace files {

// What the generic browse dialog chooses.
enum class BrowseMode
{
    Folder = 0,
    File = 3,
};
// The caller's mode number (0 a folder, 3 a file); any other number chooses a file.
BrowseMode browseModeOf(int number);

// The generic browse dialog without its widgets: the folder it shows, its lists, the chosen file and
// whether OK may be pressed. The caller's start folder, pattern and name to preselect go in; the folder,
// or the folder and the chosen file, come out.
class BrowseSession
{
public:
    // Opens at the start path's nearest existing folder (the fallback folder when there is none) and
    // selects the first file whose name equals selectName without regard to case.
    BrowseSession(BrowseMode mode, const QString& startPath, const QString& patternText, const QString& selectName,
                  const QString& fallbackFolder);

    BrowseMode mode() const { return m_mode; }
    const QString& folder() const { return m_folder; }
    const QStringList& drives() const { return m_drives; }
    QString drive() const;
    const QStringList& folders() const { return m_folders; }
    const QStringList& files() const { return m_files; }
    // The row of the chosen file in files(), -1 when none is chosen.
    int chosenFile() const { return m_chosen; }

    // A folder can always be taken; a file only once one is chosen. (Taking a folder where a program
    // file is asked for would hand back a path no emulator can start.)
    bool okEnabled() const;

    // A drive or folder change: the lists follow and no file is chosen any more.
    void changeDrive(const QString& root);
    void changeFolder(const QString& folder);
    // Another pattern for the same folder: the file list follows and no file is chosen any more.
    void changePattern(const QString& patternText);
    // An entry of folders() opened (".." goes up).
    void openFolderEntry(int row);
    // A row of files() chosen; any other row chooses none.
    void chooseFile(int row);
    // Hidden folders listed too, or left out again; the chosen file stays chosen.
    void showHiddenFolders(bool shown);
    bool showsHiddenFolders() const { return m_hiddenShown; }

    // What OK hands back: the folder in folder mode, the folder joined with the chosen file in file
    // mode ("" when none is chosen).
    QString result() const;

private:
    void list();

    BrowseMode m_mode;
    QStringList m_patterns;
    QString m_folder;
    QStringList m_drives;
    QStringList m_folders;
    QStringList m_files;
    int m_chosen = -1;
    bool m_hiddenShown = false;
};

} // namespace files
