#include "browser/gui/frmVTRXMain.h"

#include "appstate/AppState.h"
#include "browser/GameDetails.h"
#include "browser/GameDetailsLook.h"
#include "browser/GameListFill.h"
#include "browser/GameListFollow.h"
#include "browser/ListCaption.h"
#include "browser/ScrollerStrip.h"
#include "browser/StartupSequence.h"
#include "browser/StartupShutdown.h"
#include "browser/gui/DetailLabel.h"
#include "browser/gui/LegendBox.h"
#include "browser/gui/ScrollerBox.h"
#include "data/GameFields.h"
#include "data/GameStore.h"
#include "data/gui/CatalogueStartup.h"
#include "platform/MessageBox.h"
#include "platform/gui/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>

using namespace browser;

namespace {

// A game name shown as a menu caption: "&" is a plain character there, not an accelerator mark.
QString menuText(const QString& text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

frmVTRXMain::frmVTRXMain(app::AppState& state, QSettings& store, bool firstRun, QWidget* splash,
                         MainWindowOptions options)
    : m_state(state), m_settings(state.settings), m_store(store), m_firstRun(firstRun), m_splash(splash),
      m_typeAhead(options.typeAheadClock ? std::move(options.typeAheadClock) : platform::TypeAhead::systemClock()),
      m_random(options.random01 ? std::move(options.random01) : systemRandom())
{
    setObjectName(QStringLiteral("frmVTRXMain"));
    setWindowTitle(QStringLiteral("vintrax"));
    // The scroller's timer is the window's: tests and the window find it among the window's children.
    m_scroller.setParent(this);
    m_scroller.setObjectName(QStringLiteral("tmrScroller"));
    createControls();
    createMenus();
    m_browserLocked = browserLockedCommands();
    connectHandlers();
    // The list and the panel follow every change the catalogue announces; no command refreshes them by hand.
    connect(&m_state.gameStore, &catalogue::GameStore::gameAdded, this, &frmVTRXMain::GameAdded);
    connect(&m_state.gameStore, &catalogue::GameStore::gameChanged, this, &frmVTRXMain::GameChanged);
    connect(&m_state.gameStore, &catalogue::GameStore::gameRemoved, this, &frmVTRXMain::GameRemoved);
    connect(&m_state.gameStore, &catalogue::GameStore::gamesChanged, this, [this] { FillGameList(m_view); });
}

frmVTRXMain::~frmVTRXMain() = default;

void frmVTRXMain::connectHandlers()
{
    // The browser's own commands go through the same installation as every subsystem's.
    auto own = [this](const char* name, app::Acts acts, std::function<void()> handler,
                      std::function<bool()> enabledWhen = {}) {
        app::installCommand(*this, QString::fromLatin1(name), acts, std::move(handler), std::move(enabledWhen));
    };
    own(
        "cmdAll", app::Acts::Always, [this] { cmdAll_Click(); }, [this] { return m_view != GameListView::All; });
    own(
        "cmdGamesOnly", app::Acts::Always, [this] { cmdGamesOnly_Click(); },
        [this] { return m_view != GameListView::Playable; });
    own(
        "cmdMusicOnly", app::Acts::Always, [this] { cmdMusicOnly_Click(); },
        [this] { return m_view != GameListView::Tunes; });
    own(
        "cmdRandom", app::Acts::Always, [this] { cmdRandom_Click(); }, [this] { return m_model.rowCount() > 0; });
    own("cmdExit", app::Acts::Always, [this] { cmdExit_Click(); });
    own("mnuFileExit", app::Acts::Always, [this] { mnuFileExit_Click(); });
    own("mnuViewGameDetails", app::Acts::Always, [this] { mnuViewGameDetails_Click(); });
    own("mnuViewScreenshots", app::Acts::Always, [this] { mnuViewScreenshots_Click(); });

    connect(lstGames->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmVTRXMain::lstGames_Click);
    connect(lstGames, &QAbstractItemView::doubleClicked, this, &frmVTRXMain::lstGames_DblClick);
    connect(lstGames, &platform::ListBox::rowActivatedByKey, this, &frmVTRXMain::lstGames_DblClick);
    connect(lstGames, &platform::ListBox::characterTyped, this, &frmVTRXMain::lstGames_KeyPress);
    connect(lstGames, &platform::ListBox::popupRequested, this, &frmVTRXMain::lstGames_MouseUp);
    for (DetailLabel* label : std::as_const(m_valueLabels)) {
        connect(label, &DetailLabel::hovered, this, [this, label] { DetailLabel_MouseMove(label); });
        connect(label, &DetailLabel::left, this, &frmVTRXMain::DetailLabel_MouseLeave);
        connect(label, &DetailLabel::released, this,
                [this, label](Qt::MouseButton button) { DetailLabel_MouseUp(label, button); });
    }
    connect(imgScreenShot, &DetailLabel::released, this, &frmVTRXMain::imgScreenShot_MouseUp);
    connect(picScroller, &ScrollerBox::clicked, this, [this] {
        if (!m_state.categoryBrowserOpen)
            app::runLabelClick(picScroller, app::LabelButton::Left);
    });
    connect(&m_scroller, &Scroller::copyBlock, this, &frmVTRXMain::Scroller_CopyBlock);
    connect(&m_scroller, &Scroller::boxCleared, picScroller, &ScrollerBox::clear);
    connect(&m_scroller, &Scroller::bufferChanged, this, &frmVTRXMain::Scroller_BufferChanged);
    connect(&m_scroller, &Scroller::visibilityChanged, this, &frmVTRXMain::Scroller_VisibilityChanged);
}

bool frmVTRXMain::Form_Load()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The window's size is its client area plus the menu bar above it.
    m_sizes = SizeMainWindow(pixelsToTwips(menuBar()->sizeHint().height()), 0);
    setFixedWidth(twipsToPixels(m_sizes.fixedWidth));
    setMinimumHeight(twipsToPixels(m_sizes.initialHeight));

    StartupSteps steps;
    steps.openCatalogue = [this](catalogue::Catalogue& catalogue, QSettings& store) {
        PortDefaults ports;
        m_catalogueOpen = openCatalogueAtStartup(catalogue, m_state.folders().catalogue, store, &ports, m_splash);
        if (m_catalogueOpen)
            m_state.catalogueOpened();
        return m_catalogueOpen;
    };
    steps.applySettings = [this](const Settings& settings) {
        m_settings = settings;
        applyStartupLayout(settings);
        // A screen shorter than the design leaves a shorter window: it is laid out as the smallest one
        // is, so every control has its place even where the screen cuts it off.
        const int clientHeight = pixelsToTwips(height()) - (m_sizes.initialHeight - m_sizes.minimumClientHeight);
        if (auto layout = layoutMainWindow(std::max(clientHeight, m_sizes.minimumClientHeight), layoutView()))
            applyLayout(*layout);
        m_state.categoryBrowserOpen = false;
        m_selectionByCode = false;
        m_typeAhead.reset();
    };
    steps.setFavourite = [this](int index, const Favourite& favourite, bool) { showFavourite(index, favourite); };
    steps.showView = [this](const GameListViewInfo& info) {
        m_view = info.view;
        lblWhatView->setText(info.caption);
        enableViewButtons(info.view);
    };
    steps.rowsInSight = [this] { return lstGames->mostRowsInSight(); };
    steps.selectGame = [this](const ListSelection& selection) {
        selectListRow(selection);
        UpdateCaption();
    };
    steps.showMainWindow = [this] {
        UpdateCaption();
        QApplication::restoreOverrideCursor();
        if (m_splash)
            m_splash->close();
        // The list has the focus from its first drawing on, as it has once the load is done.
        lstGames->setFocus();
        show();
        keepOnScreen();
        // The user's input waits until the list is whole.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    // The window is on screen, its list drawn, before the rest of a long list is read; only a window
    // that does not come up at all (no screen to show it on) stops waiting after a moment.
    steps.waitUntilListShown = [this] { lstGames->waitUntilDrawn(500); };
    // The first start opens the preferences as their menu command does.
    steps.openPreferences = [this] { app::runCommand(*this, QStringLiteral("mnuFileOptions")); };
    steps.commandAvailable = [this](const QString& name) {
        return app::commandAllowed(command(name), hasCurrentGame());
    };
    steps.runVerification = [this] {
        if (m_state.VerifyAvailableFiles)
            m_state.VerifyAvailableFiles();
    };
    steps.finishLoad = [this] {
        lstGames->setFocus();
        m_state.mainWindowLoaded = true;
        Form_Resize();
    };

    const StartupOutcome outcome = runMainWindowLoad(m_state.catalogue, m_model, m_store, m_firstRun, m_state.folders(),
                                                     settingsLoadContext(), steps);
    if (!outcome.goesOn()) {
        QApplication::restoreOverrideCursor();
        return false;
    }
    return true;
}

void frmVTRXMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmVTRXMain::Form_Unload()
{
    if (m_unloaded || !m_catalogueOpen)
        return;
    m_unloaded = true;
    m_state.mainWindowLoaded = false;
    MainWindowState window;
    window.top = pixelsToTwips(pos().y());
    window.left = pixelsToTwips(pos().x());
    window.width = pixelsToTwips(width());
    window.height = pixelsToTwips(height());
    window.minimised = isMinimized();
    window.view = mnuViewGameDetails->isChecked();
    window.ssView = mnuViewScreenshots->isChecked();
    ShutdownSteps steps;
    steps.stopScroller = [this] { m_scroller.StopScroller(); };
    steps.categoryBrowserOpen = m_state.categoryBrowserOpen;
    m_state.catalogueClosing();
    runMainWindowUnload(m_state.catalogue, m_store, m_settings, window, steps);
}

void frmVTRXMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmVTRXMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A resize that came while the window was minimised was not laid out, and restoring it brings no
    // resize of its own when the size stays: lay it out now.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        Form_Resize();
}

void frmVTRXMain::Form_Resize()
{
    ResizeInput input;
    input.loaded = m_state.mainWindowLoaded;
    input.minimised = isMinimized();
    input.windowWidth = pixelsToTwips(width());
    input.clientHeight = clientHeightTwips();
    input.sizes = m_sizes;
    input.view = layoutView();
    const ResizeOutcome outcome = browser::Form_Resize(input);
    if (outcome.restoreWidth) {
        m_state.mainWindowLoaded = false;
        resize(twipsToPixels(m_sizes.fixedWidth), height());
        m_state.mainWindowLoaded = true;
    }
    if (outcome.layout)
        applyLayout(*outcome.layout);
}

void frmVTRXMain::cmdAll_Click()
{
    FillGameList(GameListView::All);
}

void frmVTRXMain::cmdGamesOnly_Click()
{
    FillGameList(GameListView::Playable);
}

void frmVTRXMain::cmdMusicOnly_Click()
{
    FillGameList(GameListView::Tunes);
}

void frmVTRXMain::FillGameList(GameListView view)
{
    m_view = view;
    m_settings.WhatListBox = gameListViewNumber(view);
    lblWhatView->setText(gameListViewInfo(view).caption);
    const int selected = lstGames->selectedRow();
    const std::optional<QString> selectedText =
        selected >= 0 ? std::optional<QString>(m_model.textAt(selected)) : std::nullopt;

    lstGames->hide();
    lblPleaseWait->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    pbFill->show();

    enableViewButtons(view);
    const GameListFillResult filled = fillGameList(m_state.catalogue.db(), m_model, view, GameListSource::Button,
                                                   selectedText, m_shownGame, fillProgressBar());

    lstGames->show();
    lblPleaseWait->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    pbFill->hide();
    pbFill->setValue(0);

    if (!filled.ok)
        platform::MessageBox::exclamation(
            QStringLiteral("The game list could not be read from the database:\n%1").arg(filled.error));
    selectListRow(filled.selection);
    UpdateCaption();
    lstGames->setFocus();
}

GameListModel::Progress frmVTRXMain::fillProgressBar()
{
    // The bar is the only feedback while the list is hidden, but only a fill that lasts is seen: it is
    // drawn at most ten times a second (a visible bar redraws itself on every step it is set to), so a
    // quick fill does not pay for a hundred repaints.
    QElapsedTimer sinceDrawn;
    sinceDrawn.start();
    return [this, sinceDrawn](int percent) mutable {
        if (sinceDrawn.elapsed() < 100)
            return;
        sinceDrawn.restart();
        pbFill->setValue(percent);
        pbFill->repaint();
    };
}

void frmVTRXMain::selectListRow(const ListSelection& selection)
{
    if (selection.row >= 0) {
        m_selectionByCode = selection.byCode;
        lstGames->selectRow(selection.row);
        m_selectionByCode = false;
    } else {
        lstGames->clearSelectedRow();
    }
    if (selection.panel == GamePanelAction::ShowGameControls)
        ShowGameControls();
    else if (selection.panel == GamePanelAction::ShowNoGame)
        ShowNoGame();
    // Rows, but none of them selected: no game is current, whatever the panel showed before.
    if (selection.row < 0 && m_model.rowCount() > 0)
        ShowNoCurrentGame();
}

void frmVTRXMain::GameAdded(const catalogue::ListedGame& game)
{
    followCatalogue(followAdded(m_model, m_view, game));
}

void frmVTRXMain::GameChanged(const QString& nameBefore, const catalogue::ListedGame& game)
{
    // A rename keeps the game remembered under its new name, for a view that holds it.
    if (m_shownGame == nameBefore) {
        m_shownGame = game.name;
        m_settings.CurrentGame = game.name;
    }
    followCatalogue(followChanged(m_model, m_view, nameBefore, game, lstGames->selectedRow(), m_shownGame));
    if (game.rowid == m_state.currentGame.rowid() && hasCurrentGame())
        ShowGameDetails();
}

void frmVTRXMain::GameRemoved(const catalogue::ListedGame& game)
{
    followCatalogue(followRemoved(m_model, game, lstGames->selectedRow()));
}

void frmVTRXMain::followCatalogue(const std::optional<ListSelection>& selection)
{
    if (selection)
        selectListRow(*selection);
    UpdateCaption();
}

bool frmVTRXMain::selectGame(const QString& name)
{
    const int row = m_model.rowOf(name);
    if (row >= 0)
        lstGames->selectRow(row);
    return row >= 0;
}

int frmVTRXMain::shownView() const
{
    return gameListViewNumber(m_view);
}

int frmVTRXMain::shownGameCount() const
{
    return m_model.rowCount();
}

app::ShownGame frmVTRXMain::shownGame(int row) const
{
    return {m_model.textAt(row), m_model.colourCodeAt(row)};
}

QString frmVTRXMain::selectedGame() const
{
    const int row = lstGames->selectedRow();
    return row >= 0 ? m_model.textAt(row) : QString();
}

void frmVTRXMain::lstGames_Click()
{
    SelectGame();
}

void frmVTRXMain::SelectGame()
{
    const int row = lstGames->selectedRow();
    if (row < 0)
        return;
    const QString name = m_model.textAt(row);
    m_settings.CurrentGame = name;
    m_shownGame = name;
    if (!m_state.currentGame.selectByName(name)) {
        ShowNoCurrentGame();
        return;
    }
    ShowGameDetails();
    if (mnuViewGameDetails->isChecked())
        StartScroller(m_valueLabels.value(QStringLiteral("lblComment"))->text());
    // What follows the user's choice of a game (non-stop music), not the list putting its selection back.
    if (!m_selectionByCode)
        for (const auto& handler : m_state.gameSelectedHandlers)
            handler();
    if (m_settings.TitleBar == 1)
        setWindowTitle(name);
}

void frmVTRXMain::ShowGameDetails()
{
    const GameDetails details =
        browser::ShowGameDetails(m_state.catalogue, m_state.currentGame, m_state.folders().screenshots);
    if (details.hasGame)
        applyGameDetails(details);
    else
        clearGameDetails();
    refreshCommands();
}

bool frmVTRXMain::hasCurrentGame() const
{
    return m_state.currentGame.isSet() && lstGames->selectedRow() >= 0;
}

void frmVTRXMain::showCurrentGameAgain()
{
    if (hasCurrentGame())
        ShowGameDetails();
}

void frmVTRXMain::applyGameDetails(const GameDetails& details)
{
    for (const auto& [name, text] : details.labelTexts()) {
        DetailLabel* label = m_valueLabels.value(name);
        label->setText(text);
        label->setToolTip(text);
    }

    QPixmap picture;
    if (details.hasScreenshot())
        picture.load(details.screenshotPath);
    // A file that is there but is no picture shows as a missing one.
    const bool shown = !picture.isNull();
    imgScreenShot->setPixmap(shown ? picture : imgNoSS->pixmap());
    imgScreenShot->setToolTip(details.lblName);

    picKey->underlineEntry(details.legendEntry);
    lblGN->setProperty("fullText", details.lblGN);
    lblGN->setToolTip(details.lblGN);
    fitTitle();

    cmdRunGame->setToolTip(details.cmdRunGameTip);
    cmdRun20Dos->setToolTip(details.cmdRun20DosTip);
    cmdRun20Win->setToolTip(details.cmdRun20WinTip);
    cmdPlayMusic->setToolTip(details.cmdPlayMusicTip);
    cmdViewDocs->setToolTip(details.cmdViewDocsTip);
    mnuEditC->setText(menuText(details.lblName));
}

void frmVTRXMain::clearGameDetails()
{
    for (DetailLabel* label : std::as_const(m_valueLabels)) {
        label->clear();
        label->setToolTip(QString());
    }
    imgScreenShot->setPixmap(imgNoSS->pixmap());
    imgScreenShot->setToolTip(QString());
    lblGN->setProperty("fullText", QString());
    lblGN->setToolTip(QString());
    lblGN->clear();
    picKey->underlineEntry(0);
    for (QPushButton* b : {cmdRunGame, cmdRun20Dos, cmdRun20Win})
        b->setToolTip(kPlayButtonIdleTip);
    cmdPlayMusic->setToolTip(QString());
    cmdViewDocs->setToolTip(QString());
    mnuEditC->setText(QStringLiteral("&Current Game..."));
}

void frmVTRXMain::lstGames_DblClick()
{
    QCoreApplication::processEvents();
    DoubleClickInputs in;
    in.rowSelected = hasCurrentGame();
    in.dcPlaysMusic = m_settings.DC;
    in.nonStopMusicOn = mnuOptionsNSM->isChecked();
    in.defaultEmulator = m_settings.TheDefaultEmulatorFlag;
    in.buttons = currentGameButtons();
    const DoubleClickAction action = doubleClickAction(in);
    // A double-click presses the button the user would have pressed, so it does what that command does.
    if (action.kind == DoubleClickAction::PlayGame) {
        QPushButton* play[] = {cmdRunGame, cmdRun20Dos, cmdRun20Win};
        play[launch::emulatorKindNumber(action.emulatorKind)]->click();
    } else if (action.kind == DoubleClickAction::PlayTune) {
        cmdPlayMusic->click();
    }
}

void frmVTRXMain::lstGames_KeyPress(int keyCode)
{
    const std::optional<int> row = m_typeAhead.keyPress(keyCode, m_model.rowCount(), lstGames->selectedRow(),
                                                        [this](int r) { return m_model.textAt(r); });
    if (row)
        lstGames->selectRow(*row);
}

void frmVTRXMain::lstGames_MouseUp(const QPoint& globalPos)
{
    if (!popupMenuApplies(true, hasCurrentGame(), m_state.categoryBrowserOpen))
        return;
    refreshCommands();
    for (const PopupMenuItem& item : popupMenuFor(selectedGame(), currentGameButtons())) {
        QAction* action = m_actions.value(item.objectName);
        action->setText(menuText(item.caption));
        setCommandEnabled(action, item.enabled);
    }
    pmnu->popup(globalPos);
}

void frmVTRXMain::cmdRandom_Click()
{
    if (const std::optional<int> row = randomPick(m_model.rowCount(), m_random))
        lstGames->selectRow(*row);
    lstGames->setFocus();
}

void frmVTRXMain::UpdateCaption()
{
    CaptionInputs in;
    in.titleBar = m_settings.TitleBar;
    in.view = m_view;
    in.rowCount = m_model.rowCount();
    if (lstGames->selectedRow() >= 0)
        in.selectedText = selectedGame();
    in.titleBarText = m_settings.TitleBarText;
    setWindowTitle(windowCaption(in));
}

void frmVTRXMain::settingsChanged()
{
    UpdateCaption();
    applyTexture(m_settings.Texture);
    for (int i = 0; i < FavouriteCount; ++i)
        showFavourite(i, m_settings.Favourites[std::size_t(i)]);
    refreshCommands();
}

void frmVTRXMain::showFavourite(int index, const Favourite& favourite)
{
    mnuFave[std::size_t(index)]->setText(menuText(favourite.title));
    mnuFave[std::size_t(index)]->setVisible(favourite.isUsed());
}

void frmVTRXMain::ShowNoGame()
{
    m_state.currentGame.clear();
    m_scroller.StopScroller();
    showDetailLabels(false);
    picScroller->hide();
    clearGameDetails();
    m_shownGame.clear();
    mnuView->menuAction()->setEnabled(false);
    refreshCommands();
}

void frmVTRXMain::ShowNoCurrentGame()
{
    // The list has rows but none is selected: the panel shows no game's values, and nothing that acts
    // on the current game can run. The game stays remembered for a view that holds it.
    m_state.currentGame.clear();
    m_scroller.StopScroller();
    clearGameDetails();
    refreshCommands();
}

void frmVTRXMain::ShowGameControls()
{
    showDetailLabels(true);
    mnuView->menuAction()->setEnabled(true);
    refreshCommands();
}

void frmVTRXMain::StartScroller(const QString& text)
{
    m_scroller.setBoxWidth(picScroller->width());
    lblScroller->setText(text);
    m_scroller.StartScroller(text, scrollerTextWidth(text, picScroller->font()));
}

void frmVTRXMain::StopScroller()
{
    m_scroller.StopScroller();
}

void frmVTRXMain::stopScroller()
{
    StopScroller();
}

void frmVTRXMain::focusGameList()
{
    lstGames->setFocus();
}

void frmVTRXMain::Scroller_BufferChanged()
{
    m_scrollerStrip =
        drawScrollerStrip(m_scroller, picScroller->font(), picScroller->height(), kValueLabelColour, Qt::transparent);
}

void frmVTRXMain::Scroller_CopyBlock(int sourceX)
{
    picScroller->showBlock(scrollerBlock(m_scrollerStrip, sourceX, m_scroller.boxWidth()));
}

void frmVTRXMain::Scroller_VisibilityChanged(bool scrollerVisible)
{
    picScroller->setVisible(scrollerVisible);
    m_valueLabels.value(QStringLiteral("lblComment"))->setVisible(!scrollerVisible);
}

void frmVTRXMain::mnuViewGameDetails_Click()
{
    // The action has already flipped its check mark.
    if (mnuViewGameDetails->isChecked() && hasCurrentGame())
        StartScroller(m_valueLabels.value(QStringLiteral("lblComment"))->text());
    else
        StopScroller();
    lstGames->setFocus();
}

void frmVTRXMain::mnuViewScreenshots_Click()
{
    ApplyScreenshotView();
    lstGames->setFocus();
}

void frmVTRXMain::ApplyScreenshotView()
{
    // The whole layout follows the check mark: the list's width, the picture, the name and the legend.
    if (auto layout = layoutMainWindow(std::max(clientHeightTwips(), m_sizes.minimumClientHeight), layoutView()))
        applyLayout(*layout);
}

void frmVTRXMain::cmdExit_Click()
{
    close();
}

void frmVTRXMain::mnuFileExit_Click()
{
    close();
}

void frmVTRXMain::DetailLabel_MouseMove(DetailLabel* hovered)
{
    // Only a label whose click does something now turns green under the mouse.
    for (DetailLabel* label : std::as_const(m_valueLabels))
        label->setColour(valueLabelColour(label == hovered && app::labelActsNow(label), m_state.categoryBrowserOpen));
}

void frmVTRXMain::DetailLabel_MouseLeave()
{
    DetailLabel_MouseMove(nullptr);
}

void frmVTRXMain::DetailLabel_MouseUp(DetailLabel* label, Qt::MouseButton button)
{
    if (m_state.categoryBrowserOpen || !hasCurrentGame())
        return;
    app::runLabelClick(label, button == Qt::RightButton ? app::LabelButton::Right : app::LabelButton::Left);
}

void frmVTRXMain::imgScreenShot_MouseUp(Qt::MouseButton button)
{
    if (m_state.categoryBrowserOpen || !hasCurrentGame())
        return;
    app::runLabelClick(imgScreenShot, button == Qt::RightButton ? app::LabelButton::Right : app::LabelButton::Left);
}
