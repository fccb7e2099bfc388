#include "platform/TypeAhead.h"

#include <chrono>

namespace platform {

TypeAhead::Clock TypeAhead::systemClock()
{
    // Milliseconds of the monotonic clock, cut to 32 bits: a tick count that wraps as the search expects.
    return [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<quint32>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
}

TypeAhead::TypeAhead(Clock clock) : m_clock(std::move(clock))
{
    reset();
}

void TypeAhead::reset()
{
    m_text.clear();
    m_lastMatch = m_clock();
}

std::optional<int> TypeAhead::keyPress(int keyCode, int rowCount, int selectedRow,
                                       const std::function<QString(int row)>& rowText)
{
    if (keyCode < 32 || keyCode > 127 || rowCount <= 0)
        return std::nullopt;

    const quint32 now = m_clock();
    // Unsigned subtraction gives the true interval across the counter's wrap-around.
    const quint32 elapsed = now - m_lastMatch;
    const QChar typed = QChar(keyCode).toUpper();
    int start = 0;
    if (elapsed > kPauseMs) {
        m_text = typed;
    } else {
        m_text += typed;
        start = (selectedRow >= 0 && selectedRow < rowCount) ? selectedRow : 0;
    }

    const qsizetype n = m_text.size();
    for (int row = start; row < rowCount; ++row) {
        const QString text = rowText(row);
        if (text.size() >= n && QStringView(text).left(n).compare(m_text, Qt::CaseInsensitive) == 0) {
            m_lastMatch = now;
            // Compared with the selected row rather than the start row: a fresh search that finds the
            // first row must still move a selection that sits further down.
            if (row != selectedRow)
                return row;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace platform
