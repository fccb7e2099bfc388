// The main window's menu bar and the game list's popup menu.
#include "browser/gui/frmVTRXMain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* topMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    auto* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

QAction* frmVTRXMain::addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                                  const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // the shortcut works while the menu is closed
    }
    // Disabled until a subsystem installs its command.
    action->setEnabled(false);
    m_actions.insert(name, action);
    return action;
}

QMenu* frmVTRXMain::addSubMenu(QMenu* parent, const QString& name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_actions.insert(name, menu->menuAction());
    m_subMenus.append(menu);
    return menu;
}

void frmVTRXMain::createMenus()
{
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
        return addMenuItem(menu, QString::fromLatin1(name), QString::fromUtf8(caption), key);
    };

    QMenu* mnuFile = topMenu(bar, "mnuFile", QStringLiteral("&File"));
    QMenu* mnuFileAdd = addSubMenu(mnuFile, QStringLiteral("mnuFileAdd"), QStringLiteral("&Add"));
    item(mnuFileAdd, "mnuFileAddGame", "&Game...");
    item(mnuFileAdd, "mnuFileAddSidTune", "&Sid Tune (Without Game)...");
    item(mnuFile, "mnuFileRemove", "&Remove Game");
    mnuFile->addSeparator();
    item(mnuFile, "mnuFileOptions", "&Preferences...");
    item(mnuFile, "mnuFileReports", "&Categories");
    mnuFile->addSeparator();
    item(mnuFile, "mnuFileExit", "E&xit");

    m_subMenus.append(mnuFile);
    mnuEdit = topMenu(bar, "mnuEdit", QStringLiteral("&Edit"));
    m_actions.insert(QStringLiteral("mnuEdit"), mnuEdit->menuAction());
    m_subMenus.append(mnuEdit);
    mnuEditC = item(mnuEdit, "mnuEditC", "&Current Game...");
    for (const auto& [name, caption] :
         std::initializer_list<std::pair<const char*, const char*>>{{"mnuEditName", "Game &Name..."},
                                                                    {"mnuEditPublisher", "&Publisher..."},
                                                                    {"mnuEditYear", "&Year Published..."},
                                                                    {"mnuEditMusician", "&Musician..."},
                                                                    {"mnuEditGenre", "&Genre..."},
                                                                    {"mnuEditPlayers", "Number of P&layers..."},
                                                                    {"mnuEditRating", "Personal &Rating..."},
                                                                    {"mnuEditDifficulty", "&Difficulty level..."},
                                                                    {"mnuEditTrained", "&Trained..."},
                                                                    {"mnuEditHighScore", "&High Score..."},
                                                                    {"mnuEditComment", "Personal &Comment..."}})
        item(mnuEdit, name, caption);
    mnuEdit->addSeparator();
    item(mnuEdit, "mnuEditGameFilename", "Game &Filename...");
    item(mnuEdit, "mnuEditMusicFilename", "M&usic Filename...");
    item(mnuEdit, "mnuEditDocFilename", "D&oc Filename...");
    item(mnuEdit, "mnuEditSSFilename", "S&creenshot Filename...");
    mnuEdit->addSeparator();
    item(mnuEdit, "mnuEditEmulator", "&Emulator Settings...", QKeySequence(Qt::Key_F9));

    mnuView = topMenu(bar, "mnuView", QStringLiteral("&View"));
    m_actions.insert(QStringLiteral("mnuView"), mnuView->menuAction());
    item(mnuView, "mnuViewPublishers", "Game &Publishers...");
    item(mnuView, "mnuViewYearPublished", "&Year Published...");
    item(mnuView, "mnuViewMusicians", "C64 &Musicians...");
    item(mnuView, "mnuViewGenres", "Game &Genres...");
    item(mnuView, "mnuViewPlayers", "P&layers...");
    item(mnuView, "mnuViewRatings", "Personal &Ratings...");
    item(mnuView, "mnuViewDifficulty", "&Difficulty levels...");
    mnuView->addSeparator();
    mnuViewGameDetails = item(mnuView, "mnuViewGameDetails", "Scrolling &Comment");
    mnuViewGameDetails->setCheckable(true);
    mnuViewScreenshots = item(mnuView, "mnuViewScreenshots", "&Screenshots");
    mnuViewScreenshots->setCheckable(true);
    mnuViewScreenshots->setChecked(true);

    QMenu* mnuTools = topMenu(bar, "mnuTools", QStringLiteral("&Tools"));
    m_subMenus.append(mnuTools);
    mnuOptionsNSM = item(mnuTools, "mnuOptionsNSM", "&Non Stop Music", QKeySequence(Qt::Key_F12));
    mnuOptionsNSM->setCheckable(true);
    item(mnuTools, "mnuOptionsSidTuneInfo", "&Sid Tune Information...");
    QMenu* mnuOptionsResetTP =
        addSubMenu(mnuTools, QStringLiteral("mnuOptionsResetTP"), QStringLiteral("Clear &Database Field..."));
    QMenu* mnuResTP =
        addSubMenu(mnuOptionsResetTP, QStringLiteral("mnuResTP"), QStringLiteral("'Times &Played' Counter..."));
    item(mnuResTP, "mnuOptionsResetTPCurrent", "&Current Game");
    item(mnuResTP, "mnuOptionsResetTPAll", "&All Games");
    item(mnuOptionsResetTP, "mnuResGF", "&Game File (All Games)...");
    item(mnuOptionsResetTP, "mnuResGFB", "Game File (All Games EXCEPT &Blast entries)...");
    item(mnuOptionsResetTP, "mnuResSF", "Sid &Tune File (All games)...");
    item(mnuOptionsResetTP, "mnuResSS", "&Screenshot File (All Games)...");
    mnuTools->addSeparator();
    item(mnuTools, "mnuToolsVerify", "&Verify Available Game/Sid Files...");
    item(mnuTools, "mnuOptionsMissingFiles", "Check for &Missing Files (e.g. after HVSid Update)...");
    mnuTools->addSeparator();
    item(mnuTools, "mnuOptionsPaper", "Set Screenshot as &Wallpaper");

    QMenu* mnuF = topMenu(bar, "mnuF", QStringLiteral("F&avourites"));
    m_subMenus.append(mnuF);
    for (int i = 0; i < FavouriteCount; ++i) {
        QAction* fave = mnuF->addAction(QStringLiteral("Empty"));
        fave->setObjectName(QStringLiteral("mnuFave"));
        fave->setProperty("index", i);
        fave->setVisible(false); // shown once the bookmark table says the slot is used
        fave->setEnabled(false);
        mnuFave[std::size_t(i)] = fave;
    }
    mnuF->addSeparator()->setProperty("index", 20);
    QAction* editFavourites = mnuF->addAction(QStringLiteral("&Edit Favourites..."));
    editFavourites->setObjectName(QStringLiteral("mnuFave"));
    editFavourites->setProperty("index", 21);
    editFavourites->setEnabled(false);

    QMenu* mnuHelp = topMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    m_subMenus.append(mnuHelp);
    item(mnuHelp, "mnuHelpVintrax", "&vintrax.txt...");
    item(mnuHelp, "mnuHelpVintraxHTML", "vintrax.htm");
    mnuHelp->addSeparator();
    item(mnuHelp, "mnuHelpAbout", "&About...");

    createGamePopupMenu();
}

void frmVTRXMain::createGamePopupMenu()
{
    pmnu = new QMenu(this);
    pmnu->setObjectName(QStringLiteral("pmnu"));
    auto item = [this](const char* name, const char* caption) {
        return addMenuItem(pmnu, QString::fromLatin1(name), QString::fromUtf8(caption));
    };
    item("pmnuPlay", "Play (1.9)");
    item("pmnuPlay2D", "Play (2.0 Dos)");
    item("pmnuPlay2W", "Play (2.0 Win32)");
    item("pmnuSid", "Play Sid Tune for Current Game");
    item("pmnuDocs", "View Docs for Current Game");
    pmnu->addSeparator();
    item("pmnuRemoveGame", "Remove Current Game");
    pmnu->addSeparator();
    item("pmnuEditName", "Edit Game Name...");
    item("pmnuEditPublisher", "Edit Publisher...");
    item("pmnuEditYear", "Edit Year Published...");
    item("pmnuEditMusician", "Edit Musician...");
    item("pmnuEditGenre", "Edit Genre...");
    item("pmnuEditPlayers", "Edit No. of Players...");
    item("pmnuEditRating", "Edit Personal Rating...");
    item("pmnuEditDifficulty", "Edit Difficulty Level...");
    item("pmnuEditTrained", "Edit Trained...");
    item("pmnuEditHighScore", "Edit High Score...");
    item("pmnuEditComment", "Edit Personal Comment...");
    pmnu->addSeparator();
    item("pmnuEditGameFilename", "Change Game File...");
    item("pmnuEditSidFilename", "Change Sid Tune...");
    item("pmnuEditDocFilename", "Change Doc File...");
    item("pmnuEditScreenshotFilename", "Change Screenshot...");
    pmnu->addSeparator();
    item("pmnuEditEmulatorSettings", "Change Emulator Settings...");
}
