#pragma once

#include <QString>

#include <functional>

// The game's documentation file: where the document dialog opens, what it stores, and opening the document
// with the desktop's handler.
namespace files {

inline const QString kDocCaption = QStringLiteral("Select Documentation File...");

// Where the document dialog opens: the stored document's folder with its file selected (as it is on disk,
// letter case resolved), else the program folder with nothing selected. A stored folder that is gone falls
// back to the program folder too.
struct DocBrowseStart
{
    QString folder;
    QString fileName; // empty for none
};
DocBrowseStart docBrowseStart(const QString& docFile, const QString& programFolder);

// The DocFile value for a chosen file in folder; "(None)" for no file.
QString docFileValue(const QString& folder, const QString& fileName);

// Opens the document with shellOpen after checking that it is there (the check tells the user what is
// missing, "(None)" included). A document no handler accepts is reported. True when it was handed over.
bool ViewDocument(const QString& docFile, const std::function<bool(const QString&)>& shellOpen);

} // namespace files
