#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The names a writer gives its temporary files: a fixed prefix that names the writer, six random letters or
// digits, and one of its endings. A writer killed between making such a file and renaming or removing it leaves
// it behind; the writer's next run (and, for the Screenshots folder, the next start) removes it. The prefixes are
// the program's own ("vtrx", "vintrax"), so no file a user named, not even one called "vtrxTemp.gif", matches.
struct TempNames
{
    QString prefix;
    QStringList endings{QString()};

    // The template for QTemporaryFile and mkstemp(): the prefix, "XXXXXX" and the first ending.
    QString templateName() const;
    bool matches(const QString& fileName) const;
};

// Removes from folder (not below it) every file whose name matches names and that was last written before this
// program started, so that a temporary file another process is writing right now is never touched. Links and
// folders are left alone, and a file that cannot be removed is skipped: a cleanup never stops the writer. The
// number of files removed.
int removeLeftovers(const QString& folder, const TempNames& names);

} // namespace platform
