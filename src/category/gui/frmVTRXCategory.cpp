#include "category/gui/frmVTRXCategory.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "category/CategoryCaption.h"
#include "category/CategoryLists.h"
#include "category/FindHistory.h"
#include "data/GameFields.h"
#include "data/GameStore.h"
#include "music/TunePlayback.h"
#include "platform/MessageBox.h"
#include "platform/gui/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>

using category::FoundEntry;

namespace {

// The program's own selections in the found list (a preselection, a refill) are not the user's choice.
class LoadingScope
{
public:
    explicit LoadingScope(bool& loading) : m_loading(loading), m_was(loading) { m_loading = true; }
    ~LoadingScope() { m_loading = m_was; }

private:
    bool& m_loading;
    bool m_was;
};

QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

frmVTRXCategory::frmVTRXCategory(app::CommandHost& host, app::AppState& state) : m_host(host), m_state(state)
{
    createControls();
    connectHandlers();
}

frmVTRXCategory::~frmVTRXCategory() = default;

void frmVTRXCategory::Form_Load()
{
    m_firstActivation = true;
    move(QPoint(m_state.settings.OGLeft, m_state.settings.OGTop) / kTwipsPerPixel);
    lblView->setText(category::viewName(m_host.shownView()));
    m_typeAhead.reset();
}

void frmVTRXCategory::Form_Activate()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    chkAlwaysOnTop->setChecked(m_state.settings.AlwaysOnTop != 0);
    button(QStringLiteral("btnNSM"))->setChecked(nonStopMusicOn());
    m_pressed = category::kNoCategory;
    cboFind->addItems(category::searchTexts(m_state.settings.Find));
    cboFind->setEditText(QString());

    LoadingScope loading(m_loading);
    const category::CategoryInfo* info = category::categoryInfo(m_state.CategoryKind);
    if (!info) {
        setWindowTitle(category::kNoCategoryCaption);
        enablePlayButtons(false, false);
        return;
    }
    LoadCategory(info->kind);
    updatePlayButtons();
}

void frmVTRXCategory::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmVTRXCategory::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_state.categoryBrowserOpen = false;
    if (!isMinimized()) {
        m_state.settings.OGLeft = pos().x() * kTwipsPerPixel;
        m_state.settings.OGTop = pos().y() * kTwipsPerPixel;
    }
    // The main window's commands come back in the state their rules give.
    m_host.refreshCommands();
}

void frmVTRXCategory::cmdClose_Click()
{
    close();
}

void frmVTRXCategory::chkAlwaysOnTop_Click(bool checked)
{
    m_state.settings.AlwaysOnTop = checked ? 1 : 0;
    if (checked == bool(windowFlags() & Qt::WindowStaysOnTopHint))
        return;
    // A top-level window takes a changed hint when it is shown again.
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, checked);
    if (shown)
        show();
}

void frmVTRXCategory::LoadCategory(int kind)
{
    const category::CategoryInfo* info = category::categoryInfo(kind);
    if (!info || m_pressed == kind)
        return;
    showFoundListBeside(true);
    cboFind->setEditText(QString());
    pressCategoryButton(kind);
    m_state.CategoryKind = kind;
    beginReading();

    lstCategory->hide();
    lstCategoryS->hide();
    QListWidget* list = categoryList(kind);
    {
        const QSignalBlocker quiet(list);
        list->clear();
    }
    // The found list of the category before is no list of this one.
    m_found.clear();
    const category::CategoryValues values =
        category::readCategoryValues(m_state.catalogue.db(), *info, QDate::currentDate().year());
    {
        const QSignalBlocker quiet(list);
        for (const category::CategoryValue& value : values.values) {
            auto* item = new QListWidgetItem(value.text, list);
            item->setData(Qt::UserRole, value.id);
        }
        list->setCurrentRow(-1);
    }
    list->show();
    m_pressed = kind;

    // The current game's value is chosen, and the game itself in the found list: the program's choice, not the
    // user's, so nothing plays.
    {
        LoadingScope loading(m_loading);
        if (m_host.hasCurrentGame()) {
            const qint64 key = m_state.currentGame.number(catalogue::lookupInfo(info->lookup).gameField);
            for (int row = 0; row < list->count(); ++row)
                if (list->item(row)->data(Qt::UserRole).toLongLong() == key) {
                    list->setCurrentRow(row);
                    break;
                }
        }
        const int found = m_found.rowOfText(m_host.selectedGame());
        if (found >= 0 && !m_host.selectedGame().isEmpty()) {
            lstFound->selectRow(found);
            m_lastActed = m_found.textAt(found);
        }
    }
    endReading();
    if (!values.ok)
        platform::MessageBox::exclamation(QStringLiteral("The category could not be read from the database:\n") +
                                          values.error);
    updatePlayButtons();
}

void frmVTRXCategory::ShowCategoryGames()
{
    const category::CategoryInfo* info = category::categoryInfo(m_pressed);
    QListWidget* list = info ? categoryList(info->kind) : nullptr;
    const QListWidgetItem* chosen = list ? list->currentItem() : nullptr;
    if (!chosen) {
        UpdateCategoryCaption();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lstFound->hide();
    const category::FoundList found =
        category::readCategoryGames(m_state.catalogue.db(), *info, chosen->data(Qt::UserRole).toLongLong(),
                                    static_cast<catalogue::GameListView>(m_host.shownView()));
    m_found.setEntries(found.entries);
    if (m_found.noneFound())
        enablePlayButtons(false, false);
    lstFound->show();
    list->setFocus();
    QApplication::restoreOverrideCursor();
    UpdateCategoryCaption();
    if (!found.ok)
        platform::MessageBox::exclamation(
            QStringLiteral("The games of this category could not be read from the database:\n") + found.error);
}

void frmVTRXCategory::UpdateCategoryCaption()
{
    if (m_pressed == category::kFindResult) {
        setWindowTitle(category::findCaption(m_searched, m_found.noneFound() ? 0 : m_found.rowCount()));
        return;
    }
    const category::CategoryInfo* info = category::categoryInfo(m_pressed);
    if (!info)
        return;
    const QListWidgetItem* chosen = categoryList(info->kind)->currentItem();
    setWindowTitle(category::categoryCaption(*info, chosen ? std::optional(chosen->text()) : std::nullopt,
                                             m_found.rowCount(), m_found.noneFound()));
}

void frmVTRXCategory::FindGames()
{
    const QString text = cboFind->currentText();
    if (m_buttonDown == category::kFindResult || text.isEmpty())
        return;
    pressCategoryButton(category::kFindResult);
    m_state.CategoryKind = category::kFindResult;
    beginReading();
    showFoundListBeside(false);
    lstFound->hide();
    m_found.clear();
    m_pressed = category::kFindResult;

    category::addSearchText(m_state.settings.Find, text);
    {
        const QSignalBlocker quiet(cboFind);
        cboFind->clear();
        cboFind->addItems(category::searchTexts(m_state.settings.Find));
        cboFind->setEditText(text);
    }
    m_searched = text.toUpper();
    const category::FoundList found =
        category::findGamesAndTunes(m_state.catalogue.db(), text, m_host.shownGameCount(), [this](int row) {
            const app::ShownGame game = m_host.shownGame(row);
            return std::pair(game.name, game.colourCode);
        });
    m_found.setEntries(found.entries);
    endReading();
    lstFound->show();
    pressCategoryButton(category::kNoCategory);
    enablePlayButtons(false, false);
    lstFound->setFocus();
    if (!found.ok)
        platform::MessageBox::exclamation(QStringLiteral("The Sid tunes could not be searched:\n") + found.error);
}

void frmVTRXCategory::Toolbar_ButtonClick(const QString& key)
{
    // The category buttons show the category on show; a click does not press or release one by itself.
    pressCategoryButton(m_buttonDown);
    if (key == QLatin1String("btnPlay")) {
        app::runCommand(m_host, defaultPlayCommand());
    } else if (key == QLatin1String("btnSid")) {
        const FoundEntry chosen = m_found.entry(lstFound->selectedRow());
        if (chosen.kind == FoundEntry::Tune)
            playTune(chosen);
        else if (commandAllowed(QStringLiteral("cmdPlayMusic")))
            playGameTune();
    } else if (key == QLatin1String("btnfind")) {
        FindGames();
    } else {
        for (const category::CategoryInfo& info : category::categories())
            if (info.buttonKey == key)
                LoadCategory(info.kind);
    }
}

void frmVTRXCategory::btnNSM_Click(bool pressed)
{
    if (auto* nsm = qobject_cast<QAction*>(m_host.command(QStringLiteral("mnuOptionsNSM"))))
        nsm->setChecked(pressed);
    // Switched on here, the current game's tune plays; the player and the tune are checked without a word.
    if (pressed && m_host.hasCurrentGame())
        playGameTune();
    if (lstFound->isVisible())
        lstFound->setFocus();
}

void frmVTRXCategory::NonStopMusic_Toggled(bool on)
{
    button(QStringLiteral("btnNSM"))->setChecked(on);
}

void frmVTRXCategory::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(event);
}

void frmVTRXCategory::Form_KeyDown(QKeyEvent* event)
{
    // F12 alone, a key no control of the window takes: flips non-stop music and plays nothing.
    auto* nsm = qobject_cast<QAction*>(m_host.command(QStringLiteral("mnuOptionsNSM")));
    if (event->key() != Qt::Key_F12 || event->modifiers() != Qt::NoModifier || !nsm || !nsm->isEnabled()) {
        QWidget::keyPressEvent(event);
        return;
    }
    nsm->setChecked(!nsm->isChecked());
    event->accept();
}

void frmVTRXCategory::lstFound_Click()
{
    const int row = lstFound->selectedRow();
    const FoundEntry chosen = m_found.entry(row);
    if (row < 0 || chosen.kind == FoundEntry::NoneFound || m_loading || chosen.text() == m_lastActed) {
        updatePlayButtons();
        m_host.refreshCommands();
        return;
    }
    m_lastActed = chosen.text();
    if (chosen.kind == FoundEntry::Tune) {
        if (nonStopMusicOn())
            playTune(chosen);
    } else if (m_host.selectedGame() == chosen.name) {
        // The main window sees no change of its selection: the tune plays from here.
        if (nonStopMusicOn())
            playGameTune();
    } else {
        // Selected there as by the user's click, so non-stop music plays the game's tune as it does for one.
        m_host.selectGame(chosen.name);
    }
    updatePlayButtons();
    // The tune information follows a chosen tune.
    m_host.refreshCommands();
}

void frmVTRXCategory::lstFound_DblClick()
{
    const FoundEntry chosen = m_found.entry(lstFound->selectedRow());
    if (chosen.kind == FoundEntry::NoneFound)
        return;
    if (chosen.kind == FoundEntry::Tune) {
        // A tune has no game to start: a double click plays it, unless non-stop music played it already.
        if (!nonStopMusicOn())
            playTune(chosen);
        return;
    }
    if (!chosenGameIsCurrent(chosen))
        return;
    if (!m_state.settings.DC)
        app::runCommand(m_host, defaultPlayCommand());
    else if (!nonStopMusicOn() && commandAllowed(QStringLiteral("cmdPlayMusic")))
        playGameTune();
}

void frmVTRXCategory::lstFound_KeyPress(int keyCode)
{
    const std::optional<int> row = m_typeAhead.keyPress(keyCode, m_found.rowCount(), lstFound->selectedRow(),
                                                        [this](int r) { return m_found.textAt(r); });
    if (row)
        lstFound->selectRow(*row);
}

void frmVTRXCategory::lstFound_MouseUp(const QPoint& globalPos)
{
    const FoundEntry chosen = m_found.entry(lstFound->selectedRow());
    if (chosen.kind != FoundEntry::Tune)
        return;
    pmnuRemoveTune->setText(menuText(QStringLiteral("Remove Sid Tune  (") + chosen.name + QLatin1Char(')')));
    pmnu->popup(globalPos);
}

void frmVTRXCategory::pmnuRemoveTune_Click()
{
    const FoundEntry chosen = m_found.entry(lstFound->selectedRow());
    if (chosen.kind != FoundEntry::Tune)
        return;
    if (m_state.settings.RemoveConfirmFlag != 0 &&
        platform::MessageBox::question(QStringLiteral("Remove '") + chosen.name +
                                       QStringLiteral("' from Sid Tune Database?")) != platform::MessageBox::Yes) {
        lstFound->setFocus();
        return;
    }
    // Only the catalogue's row goes: the file stays, and a player playing it plays on. The list follows the
    // catalogue's announcement.
    const catalogue::GameStoreResult removed = m_state.gameStore.removeTune(chosen.tuneRowid);
    if (!removed.ok())
        platform::MessageBox::exclamation(QStringLiteral("The Sid tune could not be removed from the database:\n") +
                                          removed.message);
    lstFound->setFocus();
}

void frmVTRXCategory::TuneRemoved(const catalogue::ListedTune& tune)
{
    const int row = m_found.rowOfTune(tune.rowid);
    if (row < 0)
        return;
    const bool wasChosen = row == lstFound->selectedRow();
    const int next = m_found.removeAt(row);
    if (wasChosen && next >= 0) {
        // The line that takes the removed one's place is shown chosen, not played or selected in the main window.
        LoadingScope loading(m_loading);
        lstFound->selectRow(next);
    }
    updatePlayButtons();
    UpdateCategoryCaption();
}

void frmVTRXCategory::cboFind_Change(const QString& text)
{
    button(QStringLiteral("btnfind"))->setEnabled(!text.isEmpty());
}

void frmVTRXCategory::cboFind_Click()
{
    button(QStringLiteral("btnfind"))->setEnabled(true);
    FindGames();
}

bool frmVTRXCategory::eventFilter(QObject* watched, QEvent* event)
{
    // The key presses reach the box itself, or its text field when that has the focus.
    if (watched == cboFind || watched == cboFind->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                FindGames();
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, cboFind->lineEdit(), &QLineEdit::selectAll);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmVTRXCategory::MainWindow_GameSelected()
{
    updatePlayButtons();
}
