#pragma once

class QAbstractItemView;

namespace platform {

// Return or Enter in a folder list opens the folder under the cursor, as a double click does (the list's
// activated signal), and goes no further. A list passes Return on to its dialog, whose default button would
// then take the same key press and close the dialog with whatever it holds at that moment: in a file dialog
// that is "nothing chosen", which would unlink the game's file. OK is reached by its button, by Return
// anywhere outside the folder lists, or by Return on a file.
void openFoldersOnReturn(QAbstractItemView* folderList);

} // namespace platform
