#include "frmVTRXMain.h"

#include "CatalogueStartup.h"
#include "DetailLabel.h"
#include "GameDetails.h"
#include "GameDetailsLook.h"
#include "GameListActions.h"
#include "GameListBox.h"
#include "GameListFill.h"
#include "LegendBox.h"
#include "ListCaption.h"
#include "MessageBox.h"
#include "PathNames.h"
#include "PlayCurrentGame.h"
#include "ProgramFolder.h"
#include "Recordset.h"
#include "ScrollerBox.h"
#include "ScrollerStrip.h"
#include "ShellOpen.h"
#include "StartupSequence.h"
#include "StartupShutdown.h"
#include "clsC64Game.h"
#include "frmControls.h"
#include "frmRenameArchive.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
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

frmVTRXMain::frmVTRXMain(QSettings& store, bool firstRun, QWidget* splash)
    : m_store(store)
    , m_firstRun(firstRun)
    , m_splash(splash)
    , m_random(systemRandom())
    , m_game(std::make_unique<clsC64Game>(platform::programFolder()))
{
    setObjectName(QStringLiteral("frmVTRXMain"));
    setWindowTitle(QStringLiteral("vintrax"));
    createControls();
    createMenus();
    connectHandlers();
    useArchiveRenameDialog(*m_game, this);
}

frmVTRXMain::~frmVTRXMain() = default;

void frmVTRXMain::connectHandlers()
{
    connect(cmdAll, &QPushButton::clicked, this, &frmVTRXMain::cmdAll_Click);
    connect(cmdGamesOnly, &QPushButton::clicked, this, &frmVTRXMain::cmdGamesOnly_Click);
    connect(cmdMusicOnly, &QPushButton::clicked, this, &frmVTRXMain::cmdMusicOnly_Click);
    connect(cmdRandom, &QPushButton::clicked, this, &frmVTRXMain::cmdRandom_Click);
    connect(cmdRunGame, &QPushButton::clicked, this, &frmVTRXMain::cmdRunGame_Click);
    connect(cmdRun20Dos, &QPushButton::clicked, this, &frmVTRXMain::cmdRun20Dos_Click);
    connect(cmdRun20Win, &QPushButton::clicked, this, &frmVTRXMain::cmdRun20Win_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmVTRXMain::cmdExit_Click);
    connect(lstGames->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmVTRXMain::lstGames_Click);
    connect(lstGames, &QAbstractItemView::doubleClicked, this, &frmVTRXMain::lstGames_DblClick);
    connect(lstGames, &GameListBox::characterTyped, this, &frmVTRXMain::lstGames_KeyPress);
    connect(lstGames, &GameListBox::rightButtonReleased, this, &frmVTRXMain::lstGames_MouseUp);
    for (DetailLabel* label : std::as_const(m_valueLabels)) {
        connect(label, &DetailLabel::hovered, this, [this, label] { DetailLabel_MouseMove(label); });
        connect(label, &DetailLabel::left, this, &frmVTRXMain::DetailLabel_MouseLeave);
    }
    connect(&m_scroller, &Scroller::copyBlock, this, &frmVTRXMain::Scroller_CopyBlock);
    connect(&m_scroller, &Scroller::boxCleared, picScroller, &ScrollerBox::clear);
    connect(&m_scroller, &Scroller::bufferChanged, this, &frmVTRXMain::Scroller_BufferChanged);
    connect(&m_scroller, &Scroller::visibilityChanged, this, &frmVTRXMain::Scroller_VisibilityChanged);
}

void frmVTRXMain::setTypeAheadClock(TypeAhead::Clock clock)
{
    m_typeAhead = TypeAhead(std::move(clock));
}

void frmVTRXMain::setRandomSource(std::function<double()> random01)
{
    m_random = std::move(random01);
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
        m_catalogueOpen = openCatalogueAtStartup(catalogue, platform::catalogueFilePath(), store, &ports, m_splash);
        return m_catalogueOpen;
    };
    steps.applySettings = [this](const Settings& settings) {
        m_settings = settings;
        applyStartupLayout(settings);
        const int clientHeight = pixelsToTwips(height()) - (m_sizes.initialHeight - m_sizes.minimumClientHeight);
        if (auto layout = layoutMainWindow(clientHeight, layoutView()))
            applyLayout(*layout);
        m_categoryBrowserOpen = false;
        m_selectionByCode = false;
        m_typeAhead.reset();
        m_game->setWinzipPath(settings.WinzipPath);
    };
    steps.setFavourite = [this](int index, const Favourite& favourite, bool visible) {
        mnuFave[std::size_t(index)]->setText(menuText(favourite.title));
        mnuFave[std::size_t(index)]->setVisible(visible);
    };
    steps.showView = [this](const GameListViewInfo& info) {
        m_view = info.view;
        lblWhatView->setText(info.caption);
        enableViewButtons(info.view);
    };
    steps.selectGame = [this](const ListSelection& selection) { selectListRow(selection); };
    steps.showMainWindow = [this] {
        UpdateCaption();
        QApplication::restoreOverrideCursor();
        if (m_splash)
            m_splash->close();
        show();
        QCoreApplication::processEvents();
    };
    steps.finishLoad = [this] {
        lstGames->setFocus();
        m_loaded = true;
        Form_Resize();
    };

    const StartupOutcome outcome =
        runMainWindowLoad(m_catalogue, m_model, m_store, m_firstRun, settingsLoadContext(), steps);
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
    m_loaded = false;
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
    steps.categoryBrowserOpen = m_categoryBrowserOpen;
    runMainWindowUnload(m_catalogue, m_store, m_settings, window, steps);
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
    input.loaded = m_loaded;
    input.minimised = isMinimized();
    input.windowWidth = pixelsToTwips(width());
    input.clientHeight = clientHeightTwips();
    input.sizes = m_sizes;
    input.view = layoutView();
    const ResizeOutcome outcome = browser::Form_Resize(input);
    if (outcome.restoreWidth) {
        m_loaded = false;
        resize(twipsToPixels(m_sizes.fixedWidth), height());
        m_loaded = true;
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
    const GameListFillResult filled =
        fillGameList(m_catalogue.db(), m_model, view, GameListSource::Button, selectedText, m_shownGame,
                     [this, painted = 0](int percent) mutable {
                         // The bar is the only feedback while the list is hidden; drawing it in steps of
                         // five keeps the fill of a large catalogue from paying for a hundred repaints.
                         pbFill->setValue(percent);
                         if (percent - painted >= 5) {
                             painted = percent;
                             pbFill->repaint();
                         }
                     });

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
}

QString frmVTRXMain::selectedGameName() const
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
    catalogue::Recordset& games = m_catalogue.games();
    games.setIndex(QStringLiteral("Name"));
    games.seek(name);

    ShowGameDetails();
    UpdatePlayButtons();
    const QString music = games.text(QStringLiteral("Music Filename"));
    setCommandEnabled(cmdPlayMusic, playMusicEnabled(music, m_settings));
    setCommandEnabled(cmdViewDocs, viewDocsEnabled(games.text(QStringLiteral("DocFile"))));

    if (mnuViewGameDetails->isChecked())
        StartScroller(m_valueLabels.value(QStringLiteral("lblComment"))->text());

    mnuEditC->setText(menuText(name));
    setCommandEnabled(QStringLiteral("mnuOptionsSidTuneInfo"),
                      m_valueLabels.value(QStringLiteral("lblMusicFile"))->text() != QLatin1String("(None)"));

    if (m_settings.TitleBar == 1)
        setWindowTitle(name);
}

void frmVTRXMain::ShowGameDetails()
{
    applyGameDetails(browser::ShowGameDetails(m_catalogue));
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
    setCommandEnabled(QStringLiteral("mnuOptionsPaper"), shown && details.mnuOptionsPaperEnabled());

    picKey->underlineEntry(details.legendEntry);
    lblGN->setText(details.lblGN);

    cmdRunGame->setToolTip(details.cmdRunGameTip);
    cmdRun20Dos->setToolTip(details.cmdRun20DosTip);
    cmdRun20Win->setToolTip(details.cmdRun20WinTip);
    cmdPlayMusic->setToolTip(details.cmdPlayMusicTip);
    cmdViewDocs->setToolTip(details.cmdViewDocsTip);
}

void frmVTRXMain::lstGames_DblClick()
{
    QCoreApplication::processEvents();
    DoubleClickInputs in;
    in.rowSelected = lstGames->selectedRow() >= 0;
    in.dcPlaysMusic = m_settings.DC;
    in.nonStopMusicOn = mnuOptionsNSM->isChecked();
    in.defaultEmulator = m_settings.TheDefaultEmulatorFlag;
    in.buttons = currentGameButtons();
    const DoubleClickAction action = doubleClickAction(in);
    if (action.kind == DoubleClickAction::PlayGame)
        PlayCurrentGame(action.emulatorKind);
    // Playing the tune (DC set) comes with the SID player window; until then cmdPlayMusic stays
    // disabled and the double-click does nothing.
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
    if (!popupMenuApplies(true, lstGames->selectedRow() >= 0, m_categoryBrowserOpen))
        return;
    for (const PopupMenuItem& item :
         popupMenuFor(m_catalogue.games().text(QStringLiteral("Name")), currentGameButtons())) {
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
        in.selectedText = selectedGameName();
    in.titleBarText = m_settings.TitleBarText;
    setWindowTitle(windowCaption(in));
}

void frmVTRXMain::ShowNoGame()
{
    for (QPushButton* b : {cmdReport, cmdRandom, cmdRunGame, cmdRun20Dos, cmdRun20Win, cmdPlayMusic, cmdViewDocs})
        b->setEnabled(false);
    m_scroller.StopScroller();
    showDetailLabels(false);
    picScroller->hide();
    imgScreenShot->clear();
    imgScreenShot->setToolTip(QString());
    lblGN->clear();
    m_shownGame.clear();
    for (const char* name : {"mnuFileReports", "mnuFileRemove", "mnuOptionsResetTP", "mnuOptionsPaper",
                             "mnuOptionsSidTuneInfo"})
        setCommandEnabled(QString::fromLatin1(name), false);
    mnuEdit->menuAction()->setEnabled(false);
    mnuView->menuAction()->setEnabled(false);
    picKey->underlineEntry(0);
}

void frmVTRXMain::ShowGameControls()
{
    setCommandEnabled(cmdReport, true);
    setCommandEnabled(QStringLiteral("mnuFileReports"), true);
    cmdRandom->setEnabled(true);
    showDetailLabels(true);
    mnuEdit->menuAction()->setEnabled(true);
    mnuView->menuAction()->setEnabled(true);
    setCommandEnabled(QStringLiteral("mnuFileRemove"), true);
    mnuOptionsResetTP->menuAction()->setEnabled(true);
}

void frmVTRXMain::UpdatePlayButtons()
{
    const PlayButtons play = playButtonsFor(m_catalogue.games().text(QStringLiteral("Filename")), m_settings);
    cmdRunGame->setEnabled(play.runGame);
    cmdRun20Dos->setEnabled(play.run20Dos);
    cmdRun20Win->setEnabled(play.run20Win);
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

void frmVTRXMain::Scroller_BufferChanged()
{
    m_scrollerStrip = drawScrollerStrip(m_scroller, picScroller->font(), picScroller->height(), kValueLabelColour,
                                        Qt::transparent);
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
    if (mnuViewGameDetails->isChecked())
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

void frmVTRXMain::PlayCurrentGame(int kind)
{
    launch::PlayHooks hooks;
    hooks.hourglass = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.stopScroller = [this] { StopScroller(); };
    const launch::PlayOutcome outcome =
        launch::PlayCurrentGame(kind, m_settings, m_catalogue.games(), *m_game,
                                QDir(platform::programFolder()).filePath(QStringLiteral("CURRGAME")), hooks);
    if (outcome.started) {
        m_valueLabels.value(QStringLiteral("lblTimesPlayed"))->setText(outcome.timesPlayed);
        m_valueLabels.value(QStringLiteral("lblLastPlayed"))->setText(outcome.lastPlayed);
    }
    // An archive renamed on the way changes the stored file name.
    m_valueLabels.value(QStringLiteral("lblGameFile"))
        ->setText(platform::FileNameOfPath(m_catalogue.games().text(QStringLiteral("Filename"))));
    lstGames->setFocus();
}

void frmVTRXMain::cmdRunGame_Click()
{
    PlayCurrentGame(0);
}

void frmVTRXMain::cmdRun20Dos_Click()
{
    PlayCurrentGame(1);
}

void frmVTRXMain::cmdRun20Win_Click()
{
    PlayCurrentGame(2);
}

void frmVTRXMain::mnuEditEmulator_Click()
{
    if (m_shownGame.isEmpty())
        return;
    ::mnuEditEmulator_Click(m_settings, m_catalogue.games(), this);
    lstGames->setFocus();
}

void frmVTRXMain::mnuFave_Click(int index)
{
    if (index >= 0 && index < FavouriteCount)
        platform::ShellOpen(m_settings.Favourites[std::size_t(index)].address);
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
    for (DetailLabel* label : std::as_const(m_valueLabels))
        label->setColour(valueLabelColour(label == hovered, m_categoryBrowserOpen));
}

void frmVTRXMain::DetailLabel_MouseLeave()
{
    DetailLabel_MouseMove(nullptr);
}
