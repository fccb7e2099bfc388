#pragma once

#include <QFrame>

class QLabel;

// picKey: the colour legend under the screenshot, a heading and one entry per list colour
// (lblKey1 to lblKey4), each drawn in its colour. The current game's entry is underlined.
class LegendBox : public QFrame
{
    Q_OBJECT

public:
    explicit LegendBox(QWidget* parent = nullptr);

    // 1 to 4 underlines that entry, 0 none.
    void underlineEntry(int entry);
    int underlinedEntry() const { return m_underlined; }

private:
    QLabel* m_entries[4] = {};
    int m_underlined = 0;
};
