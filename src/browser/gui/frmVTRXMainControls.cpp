// The main window's controls: creation, the layout of a resize, and the window's own measures.
#include "browser/gui/frmVTRXMain.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "browser/GameDetails.h"
#include "browser/GameDetailsLook.h"
#include "browser/gui/DetailLabel.h"
#include "browser/gui/LegendBox.h"
#include "browser/gui/MainWindowPictures.h"
#include "browser/gui/ScrollerBox.h"
#include "platform/gui/KeepOnScreen.h"
#include "platform/gui/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

using namespace browser;

namespace {

QString captionOf(const QString& valueLabel)
{
    for (const auto& [label, caption] : kDetailCaptions)
        if (label == valueLabel)
            return caption;
    return {};
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QFrame* separator(QWidget* parent, const char* name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void frmVTRXMain::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmVTRXMainClient"));
    setCentralWidget(m_client);
    QFont small = m_client->font();
    small.setPointSize(8);
    m_client->setFont(small);

    lblWhatView = new QLabel(QStringLiteral("VIEW TYPE LABEL"), m_client);
    lblWhatView->setObjectName(QStringLiteral("lblWhatView"));
    QFont bold = small;
    bold.setBold(true);
    lblWhatView->setFont(bold);

    lstGames = new platform::ListBox(m_client);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->setModel(&m_model);

    lblPleaseWait = new QLabel(QStringLiteral("Please Wait..."), m_client);
    lblPleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    lblPleaseWait->setAlignment(Qt::AlignCenter);
    lblPleaseWait->setFont(bold);
    lblPleaseWait->hide();

    pbFill = new QProgressBar(m_client);
    pbFill->setObjectName(QStringLiteral("pbFill"));
    pbFill->setRange(0, 100);
    pbFill->setValue(0);
    pbFill->setTextVisible(false);
    pbFill->hide();

    cmdRandom = button(m_client, "cmdRandom", QString(), QStringLiteral("Random Game select"));
    cmdRandom->setIcon(randomPickIcon());
    cmdAll = button(m_client, "cmdAll", QStringLiteral("All"), QStringLiteral("All games in database"));
    cmdGamesOnly = button(m_client, "cmdGamesOnly", QStringLiteral("Playable games"));
    cmdMusicOnly = button(m_client, "cmdMusicOnly", QStringLiteral("Games with Sid Tunes"));
    cmdRunGame = button(m_client, "cmdRunGame", QStringLiteral("v1.9 Dos"), kPlayButtonIdleTip);
    cmdRun20Dos = button(m_client, "cmdRun20Dos", QStringLiteral("v2.0 Dos"), kPlayButtonIdleTip);
    cmdRun20Win = button(m_client, "cmdRun20Win", QStringLiteral("v2.0 Win"), kPlayButtonIdleTip);
    cmdPlayMusic = button(m_client, "cmdPlayMusic", QStringLiteral("Play Sid"));
    cmdViewDocs = button(m_client, "cmdViewDocs", QStringLiteral("View Docs"));
    cmdReport =
        button(m_client, "cmdReport", QStringLiteral("Categories"), QStringLiteral("Open up the Category Window"));
    cmdAdd = button(m_client, "cmdAdd", QStringLiteral("Add"));
    cmdExit = button(m_client, "cmdExit", QStringLiteral("Exit"));
    // Twelve buttons share one row of the fixed-width window: a slightly smaller face and narrow
    // margins keep every caption whole.
    QFont buttonFont = small;
    buttonFont.setPointSizeF(7.5);
    for (QPushButton* b : m_client->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        b->setFont(buttonFont);
        b->setStyleSheet(QStringLiteral("QPushButton { padding: 1px 1px; }"));
    }

    for (const auto& [captionName, valueName] : kCaptionLabels) {
        auto* caption = new QLabel(captionOf(QString::fromLatin1(valueName)), m_client);
        caption->setObjectName(QString::fromLatin1(captionName));
        caption->setFont(bold);
    }
    // One value label for every text the detail panel shows (lblComment among them).
    for (const auto& [name, text] : GameDetails{}.labelTexts()) {
        auto* label = new DetailLabel(name, m_client);
        label->setColour(kValueLabelColour);
        // A caption as wide as its column would otherwise run straight into its value.
        label->setContentsMargins(4, 0, 0, 0);
        m_valueLabels.insert(label->objectName(), label);
    }

    lblGN = new QLabel(m_client);
    lblGN->setObjectName(QStringLiteral("lblGN"));
    lblGN->setTextFormat(Qt::PlainText);
    lblGN->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    QFont title = small;
    title.setPointSize(16);
    title.setBold(true);
    lblGN->setFont(title);
    QPalette titlePalette = lblGN->palette();
    titlePalette.setColor(QPalette::WindowText, kValueLabelColour);
    lblGN->setPalette(titlePalette);

    imgNoSS = new QLabel(m_client);
    imgNoSS->setObjectName(QStringLiteral("imgNoSS"));
    imgNoSS->setPixmap(noScreenshotPicture());
    imgNoSS->hide();
    imgScreenShot = new DetailLabel(QStringLiteral("imgScreenShot"), m_client);
    imgScreenShot->setScaledContents(true);
    imgScreenShot->setFrameShape(QFrame::Box);
    imgScreenShot->setPixmap(imgNoSS->pixmap());

    picKey = new LegendBox(m_client);

    picScroller = new ScrollerBox(m_client);
    picScroller->hide();
    lblScroller = new QLabel(m_client); // measures the comment's width; never shown
    lblScroller->setObjectName(QStringLiteral("lblScroller"));
    lblScroller->hide();

    separator(m_client, "linFiles");
    separator(m_client, "linComment");
    separator(m_client, "linButtons");
}

GameButtons frmVTRXMain::currentGameButtons() const
{
    return {{cmdRunGame->isEnabled(), cmdRun20Dos->isEnabled(), cmdRun20Win->isEnabled()},
            cmdPlayMusic->isEnabled(),
            cmdViewDocs->isEnabled()};
}

void frmVTRXMain::enableViewButtons(GameListView shown)
{
    setCommandEnabled(cmdAll, shown != GameListView::All);
    setCommandEnabled(cmdGamesOnly, shown != GameListView::Playable);
    setCommandEnabled(cmdMusicOnly, shown != GameListView::Tunes);
}

QObject* frmVTRXMain::command(const QString& name) const
{
    // Indexed menu items are named with their index, as "mnuFave(3)".
    if (name.startsWith(QLatin1String("mnuFave(")) && name.endsWith(QLatin1Char(')'))) {
        const int index = name.mid(8, name.size() - 9).toInt();
        for (QAction* fave : findChildren<QAction*>(QStringLiteral("mnuFave")))
            if (fave->property("index").toInt() == index)
                return fave;
        return nullptr;
    }
    if (QAction* action = m_actions.value(name))
        return action;
    return m_client->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

QList<QObject*> frmVTRXMain::allCommands() const
{
    QList<QObject*> commands;
    for (QAction* action : m_actions)
        if (!action->menu())
            commands.append(action);
    for (QAction* fave : findChildren<QAction*>(QStringLiteral("mnuFave")))
        commands.append(fave);
    for (QPushButton* button : m_client->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        commands.append(button);
    return commands;
}

void frmVTRXMain::setCommandEnabled(QObject* command, bool enabled)
{
    if (!command)
        return;
    enabled = enabled && app::commandAllowed(command, hasCurrentGame()) && !lockedByBrowser(command);
    if (auto* widget = qobject_cast<QWidget*>(command))
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(command))
        action->setEnabled(enabled);
}

void frmVTRXMain::setCommandEnabled(const QString& name, bool enabled)
{
    setCommandEnabled(command(name), enabled);
}

void frmVTRXMain::refreshCommands()
{
    for (QObject* c : allCommands())
        setCommandEnabled(c, true);
    // A detail label, the screenshot or the scroller looks clickable only while its click does something.
    QList<QWidget*> clickables{imgScreenShot, picScroller};
    for (DetailLabel* label : std::as_const(m_valueLabels))
        clickables.append(label);
    for (QWidget* w : clickables) {
        if (app::labelActsNow(w) && !m_state.categoryBrowserOpen)
            w->setCursor(Qt::PointingHandCursor);
        else
            w->unsetCursor();
    }
    applyBrowserLock();
    enableMenusByEntries();
}

void frmVTRXMain::enableMenusByEntries()
{
    // A sub-menu's own state is settled before the menu that holds it counts it.
    std::function<bool(QMenu*)> settle = [&settle](QMenu* menu) {
        bool any = false;
        for (QAction* entry : menu->actions()) {
            if (entry->isSeparator() || !entry->isVisible())
                continue;
            if (QMenu* sub = entry->menu())
                settle(sub);
            any = any || entry->isEnabled();
        }
        menu->menuAction()->setEnabled(any);
        return any;
    };
    for (QMenu* menu : std::as_const(m_subMenus))
        settle(menu);
}

void frmVTRXMain::showDetailLabels(bool visible)
{
    for (DetailLabel* label : std::as_const(m_valueLabels)) {
        // The comment label stays hidden while the scroller takes its place.
        if (label->objectName() == QLatin1String("lblComment"))
            label->setVisible(visible && !m_scroller.scrollerVisible());
        else
            label->setVisible(visible);
    }
}

void frmVTRXMain::applyLayout(const MainWindowLayout& layout)
{
    for (auto it = layout.controls.cbegin(); it != layout.controls.cend(); ++it) {
        QWidget* control = m_client->findChild<QWidget*>(it.key(), Qt::FindDirectChildrenOnly);
        if (!control)
            continue;
        control->setGeometry(twipsToPixels(it->rect));
        // The layout decides only whether the picture, the large name and the legend fit; the other
        // controls show and hide with the game and the scroller.
        if (control == imgScreenShot || control == lblGN || control == picKey)
            control->setVisible(it->visible);
    }
    for (auto it = layout.lines.cbegin(); it != layout.lines.cend(); ++it) {
        if (QWidget* line = m_client->findChild<QWidget*>(it.key(), Qt::FindDirectChildrenOnly)) {
            const QLine l = twipsToPixels(*it);
            line->setGeometry(l.x1(), l.y1() - 1, l.x2() - l.x1(), 3);
        }
    }

    // The view caption sits above the list, the progress bar below it, the wait notice in its middle.
    const QRect list = lstGames->geometry();
    lblWhatView->setGeometry(list.left(), list.top() - 20, list.width(), 18);
    pbFill->setGeometry(list.left(), list.bottom() + 4, list.width(), 12);
    lblPleaseWait->setGeometry(list.left(), list.center().y() - 10, list.width(), 20);
    m_scroller.setBoxWidth(picScroller->width());
    fitTitle();
}

void frmVTRXMain::applyTexture(int texture)
{
    const QPixmap tile = texturePicture(texture);
    QPalette p = m_client->palette();
    if (tile.isNull())
        p.setBrush(QPalette::Window, QApplication::palette().brush(QPalette::Window));
    else
        p.setBrush(QPalette::Window, QBrush(tile));
    m_client->setPalette(p);
    m_client->setAutoFillBackground(!tile.isNull());
}

QPixmap frmVTRXMain::texturePicture(int index) const
{
    return browser::texturePicture(index);
}

MainWindowView frmVTRXMain::layoutView() const
{
    MainWindowView view;
    view.screenshots = mnuViewScreenshots->isChecked();
    view.scrollingComment = mnuViewGameDetails->isChecked();
    // Each button asks for its caption (or icon) and a little room either side.
    for (const QString& name : buttonRowOrder()) {
        const auto* b = m_client->findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
        const int content = b->text().isEmpty() ? b->iconSize().width() : b->fontMetrics().horizontalAdvance(b->text());
        view.buttonWidths.push_back(pixelsToTwips(content + 8));
    }
    return view;
}

int frmVTRXMain::clientHeightTwips() const
{
    return pixelsToTwips(m_client->height());
}

SettingsLoadContext frmVTRXMain::settingsLoadContext() const
{
    SettingsLoadContext context;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        context.screenWidth = pixelsToTwips(available.width());
        context.screenHeight = pixelsToTwips(available.height());
    }
    context.windowWidth = m_sizes.fixedWidth;
    context.windowHeight = m_sizes.initialHeight;
    context.designedHeight = m_sizes.initialHeight;
    return context;
}

void frmVTRXMain::applyStartupLayout(const Settings& settings)
{
    mnuViewGameDetails->setChecked(settings.startup.view);
    mnuViewScreenshots->setChecked(settings.startup.ssView);
    applyTexture(settings.Texture);
    // Stored measures are whatever the settings file holds: bring them into a range pixels can take
    // before converting, so a garbage value cannot overflow.
    static constexpr double kLimit = 1e7;
    const auto twips = [](double value) { return int(std::clamp(value, -kLimit, kLimit)); };
    // The window is as wide as the design and at least as tall as its minimum; a stored height that
    // is smaller (or garbage) gives the design height.
    const int height = std::max(twips(settings.startup.height), m_sizes.initialHeight);
    placeOnScreen(QPoint(twipsToPixels(twips(settings.startup.left)), twipsToPixels(twips(settings.startup.top))),
                  QSize(twipsToPixels(m_sizes.fixedWidth), twipsToPixels(height)), !settings.PositionFlag);
}

void frmVTRXMain::placeOnScreen(const QPoint& framePosition, const QSize& clientSize, bool centred)
{
    // The whole window, its frame too, must fit; the frame's size is known once the window is shown.
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins m(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                     frame.bottom() - client.bottom());
    const QSize frameSize = clientSize.grownBy(m);
    const QRect placed = platform::placeWindow(QRect(framePosition, frameSize), centred, platform::screenAreas());
    const QSize size = placed.size().shrunkBy(m);
    // A screen shorter than the design leaves the window as tall as the screen allows.
    setMinimumHeight(std::min(minimumHeight(), size.height()));
    resize(size);
    move(placed.topLeft());
}

void frmVTRXMain::keepOnScreen()
{
    const QScreen* shown = screen();
    if (shown && !shown->availableGeometry().contains(frameGeometry()))
        placeOnScreen(pos(), size(), false);
}

void frmVTRXMain::fitTitle()
{
    const QString full = lblGN->property("fullText").toString();
    lblGN->setText(lblGN->fontMetrics().elidedText(full, Qt::ElideRight, std::max(0, lblGN->width())));
}
