#include "category/FindHistory.h"

#include <algorithm>

namespace category {

void addSearchText(FindHistory& history, const QString& text)
{
    std::move_backward(history.begin(), history.end() - 1, history.end());
    history.front() = text;
}

QStringList searchTexts(const FindHistory& history)
{
    QStringList texts;
    for (const QString& text : history)
        if (!text.isEmpty())
            texts << text;
    return texts;
}

} // namespace category
