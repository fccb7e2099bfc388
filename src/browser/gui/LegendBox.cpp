#include "browser/gui/LegendBox.h"

#include "browser/GameDetailsLook.h"
#include "browser/GameListModel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// The stored list colours in the order of the legend entries: black, blue, red, grey.
constexpr int kEntryColourCodes[4] = {0x000000, 0x800000, 0x000080, 0x808080};

} // namespace

LegendBox::LegendBox(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picKey"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(0);

    auto* heading = new QLabel(browser::kLegendHeading, this);
    heading->setObjectName(QStringLiteral("lblKeyHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);

    for (int i = 0; i < 4; ++i) {
        auto* entry = new QLabel(browser::kLegendCaptions.at(i), this);
        entry->setObjectName(QStringLiteral("lblKey%1").arg(i + 1));
        QPalette p = entry->palette();
        p.setColor(QPalette::WindowText, browser::colourFromCode(kEntryColourCodes[i]));
        entry->setPalette(p);
        layout->addWidget(entry);
        m_entries[i] = entry;
    }
}

void LegendBox::underlineEntry(int entry)
{
    m_underlined = entry >= 1 && entry <= 4 ? entry : 0;
    for (int i = 0; i < 4; ++i) {
        QFont f = m_entries[i]->font();
        f.setUnderline(i + 1 == m_underlined);
        m_entries[i]->setFont(f);
    }
}
