#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace platform {

// The type-ahead search of the game list and the category browser's found list: characters typed within two
// seconds of the last match build up a prefix that is looked for from the selected row on; after a longer pause a
// new search starts at the top with the one character typed. The tick count is the system's uptime counter.
class TypeAhead
{
public:
    // A millisecond tick count that wraps around after 2^32 ms, as the system's uptime counter does.
    using Clock = std::function<quint32()>;
    static Clock systemClock();

    static constexpr quint32 kPauseMs = 2000;

    explicit TypeAhead(Clock clock = systemClock());

    // Empties the search text and takes the current tick count as the time of the last match.
    void reset();

    // Handles a key press with character code keyCode. rowText gives a row's text. Returns the row to
    // select, or nothing when the selection stays as it is.
    std::optional<int> keyPress(int keyCode, int rowCount, int selectedRow,
                                const std::function<QString(int row)>& rowText);

    QString searchText() const { return m_text; }

private:
    Clock m_clock;
    QString m_text;
    quint32 m_lastMatch = 0;
};

} // namespace platform
