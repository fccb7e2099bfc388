#pragma once

#include <QString>
#include <QStringList>

// The rules of the single-field editors: name, high score, comment and trained state.
namespace editing {

// Text limits of the editors' boxes.
inline constexpr int kNameLimit = 50;
inline constexpr int kCommentLimit = 100;
inline constexpr int kHighScoreLimit = 30;

// A box shows a stored value whole: its limit grows to the value's length when a catalogue edited elsewhere holds
// a longer one, so that opening and confirming an editor never cuts a value short.
int boxLimit(int limit, const QString& stored);

// A name as it is checked and stored: without blanks at either end.
QString enteredName(const QString& typed);

// What the high-score box shows for the stored value: empty for "(Not Entered)".
QString shownHighScore(const QString& stored);
// What is stored for the typed high score: "(Not Entered)" for an empty box and for "not entered" or
// "(not entered)" in any letter case, else the text without blanks at either end.
QString storedHighScore(const QString& typed);

// The trained list in the order of the stored values 0, 1 and 2.
QStringList trainedEntries();
// The entry selected for a stored value; -1 for a value outside the list.
int trainedRow(qint64 stored);

} // namespace editing
