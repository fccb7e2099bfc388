#include "browser/ListCaption.h"

namespace browser {

QString windowCaption(const CaptionInputs& in)
{
    switch (in.titleBar) {
    case 1:
        // A list with rows but no selection (the saved game is not in this view) has no game to
        // name either.
        return in.selectedText ? *in.selectedText : kNoGameSelected;
    case 2:
        return in.titleBarText;
    default:
        return kCaptionPrefix + QString::number(in.rowCount) + gameListViewInfo(in.view).captionSuffix;
    }
}

} // namespace browser
