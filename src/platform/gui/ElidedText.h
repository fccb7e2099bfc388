#pragma once

#include <Qt>

class QLabel;
class QString;

namespace platform {

// Shows text in a label that never asks its dialog for more width: a name or folder wider than the room the
// dialog gives the label is elided ("…", in the middle for a path, so its start and its file name stay) and
// shown again, elided anew, whenever the label's width changes. The whole text is the tool tip (a caller that
// wants another tip sets it afterwards) and is what wholeText hands back.
void setElidedText(QLabel* label, const QString& text, Qt::TextElideMode mode = Qt::ElideMiddle);

// The whole text of a label filled by setElidedText (else its text).
QString wholeText(const QLabel* label);

} // namespace platform
