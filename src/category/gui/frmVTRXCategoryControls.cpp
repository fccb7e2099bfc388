// The category browser's controls and their connections.
#include "category/gui/frmVTRXCategory.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "category/CategoryKinds.h"
#include "data/GameStore.h"
#include "platform/gui/KeepOnScreen.h"
#include "platform/gui/ListBox.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

QAction* frmVTRXCategory::button(const QString& key) const
{
    return m_buttons.value(key);
}

QListWidget* frmVTRXCategory::categoryList(int kind) const
{
    const category::CategoryInfo* info = category::categoryInfo(kind);
    return info && info->sorted ? lstCategoryS : lstCategory;
}

void frmVTRXCategory::createToolbar()
{
    Toolbar = new QToolBar(this);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Toolbar->setFloatable(false);
    Toolbar->setMovable(false);
    auto add = [this](const QString& key, const QString& text, const QString& tooltip, bool checkable) {
        QAction* action = Toolbar->addAction(text);
        action->setObjectName(key);
        action->setToolTip(tooltip);
        action->setCheckable(checkable);
        m_buttons.insert(key, action);
        return action;
    };
    for (const category::CategoryInfo& info : category::categories())
        add(info.buttonKey, info.buttonText, info.tooltip, true);
    Toolbar->addSeparator();
    add(QStringLiteral("btnPlay"), QStringLiteral("Play"), QStringLiteral("Play Game"), false);
    add(QStringLiteral("btnSid"), QStringLiteral("Sid"), QStringLiteral("Play Sid Tune"), false);
    add(QStringLiteral("btnNSM"), QStringLiteral("NSM"), QStringLiteral("Non Stop Music"), true);
    Toolbar->addSeparator();
    add(QStringLiteral("btnfind"), QStringLiteral("Find"), QStringLiteral("Find"), true)->setEnabled(false);

    // The find box stands where the last button, "txtplace", would be.
    cboFind = new QComboBox(this);
    cboFind->setObjectName(QStringLiteral("cboFind"));
    cboFind->setEditable(true);
    // A search text is typed, never completed from the history behind the user's back, and Enter runs the find
    // rather than adding the text to the list.
    cboFind->setCompleter(nullptr);
    cboFind->setInsertPolicy(QComboBox::NoInsert);
    cboFind->setMinimumContentsLength(18);
    cboFind->lineEdit()->setPlaceholderText(QStringLiteral("Type search text here"));
    Toolbar->addWidget(cboFind)->setObjectName(QStringLiteral("txtplace"));
}

void frmVTRXCategory::createControls()
{
    setObjectName(QStringLiteral("frmVTRXCategory"));
    setWindowTitle(QStringLiteral("Category Selection Form"));
    createToolbar();

    lstCategory = new QListWidget(this);
    lstCategory->setObjectName(QStringLiteral("lstCategory"));
    lstCategoryS = new QListWidget(this);
    lstCategoryS->setObjectName(QStringLiteral("lstCategoryS"));
    lstCategoryS->hide();
    // Thousands of publishers lay out at once when every line is as high as the first.
    for (QListWidget* list : {lstCategory, lstCategoryS})
        list->setUniformItemSizes(true);
    lstFound = new platform::ListBox(this);
    lstFound->setObjectName(QStringLiteral("lstFound"));
    lstFound->setModel(&m_found);

    chkAlwaysOnTop = new QCheckBox(QStringLiteral("&Always On Top"), this);
    chkAlwaysOnTop->setObjectName(QStringLiteral("chkAlwaysOnTop"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    Label2 = new QLabel(QStringLiteral("Current View"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    lblView = new QLabel(this);
    lblView->setObjectName(QStringLiteral("lblView"));
    Label1 = new QLabel(QStringLiteral("Non Stop Music (F12) = OFF"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    pmnu = new QMenu(this);
    pmnu->setObjectName(QStringLiteral("pmnu"));
    pmnuRemoveTune = pmnu->addAction(QStringLiteral("Remove Sid Tune"));
    pmnuRemoveTune->setObjectName(QStringLiteral("pmnuRemoveTune"));

    // The values on the left, the found list on the right; a find's result takes the whole width.
    auto* lists = new QHBoxLayout;
    lists->addWidget(lstCategory, 1);
    lists->addWidget(lstCategoryS, 1);
    lists->addWidget(lstFound, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label2);
    bottom->addWidget(lblView, 1);
    bottom->addWidget(Label1, 1);
    bottom->addWidget(chkAlwaysOnTop);
    bottom->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(Toolbar);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(std::max(Toolbar->sizeHint().width() + 24, 640), 420);
}

void frmVTRXCategory::connectHandlers()
{
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("btnNSM"))
            connect(*it, &QAction::triggered, this, &frmVTRXCategory::btnNSM_Click);
        else
            connect(*it, &QAction::triggered, this, [this, key] { Toolbar_ButtonClick(key); });
    }
    // The main window's non-stop music, however it is switched, shows on the button.
    if (auto* nsm = qobject_cast<QAction*>(m_host.command(QStringLiteral("mnuOptionsNSM")))) {
        button(QStringLiteral("btnNSM"))->setEnabled(nsm->isEnabled());
        connect(nsm, &QAction::toggled, this, &frmVTRXCategory::NonStopMusic_Toggled);
        connect(nsm, &QAction::changed, this,
                [this, nsm] { button(QStringLiteral("btnNSM"))->setEnabled(nsm->isEnabled()); });
    }

    for (QListWidget* list : {lstCategory, lstCategoryS})
        connect(list, &QListWidget::currentRowChanged, this, &frmVTRXCategory::ShowCategoryGames);
    connect(lstFound->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmVTRXCategory::lstFound_Click);
    connect(lstFound, &QAbstractItemView::doubleClicked, this, &frmVTRXCategory::lstFound_DblClick);
    connect(lstFound, &platform::ListBox::rowActivatedByKey, this, &frmVTRXCategory::lstFound_DblClick);
    connect(lstFound, &platform::ListBox::characterTyped, this, &frmVTRXCategory::lstFound_KeyPress);
    connect(lstFound, &platform::ListBox::popupRequested, this, &frmVTRXCategory::lstFound_MouseUp);
    connect(pmnuRemoveTune, &QAction::triggered, this, &frmVTRXCategory::pmnuRemoveTune_Click);
    connect(&m_state.gameStore, &catalogue::GameStore::tuneRemoved, this, &frmVTRXCategory::TuneRemoved);

    connect(cboFind, &QComboBox::editTextChanged, this, &frmVTRXCategory::cboFind_Change);
    connect(cboFind, &QComboBox::activated, this, &frmVTRXCategory::cboFind_Click);
    cboFind->installEventFilter(this);
    cboFind->lineEdit()->installEventFilter(this);
    connect(chkAlwaysOnTop, &QCheckBox::toggled, this, &frmVTRXCategory::chkAlwaysOnTop_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmVTRXCategory::cmdClose_Click);
}

void frmVTRXCategory::showFoundListBeside(bool beside)
{
    if (!beside) {
        lstCategory->hide();
        lstCategoryS->hide();
    }
    lstFound->show();
}

void frmVTRXCategory::pressCategoryButton(int kind)
{
    m_buttonDown = kind;
    for (const category::CategoryInfo& info : category::categories())
        button(info.buttonKey)->setChecked(info.kind == kind);
    button(QStringLiteral("btnfind"))->setChecked(kind == category::kFindResult);
}

void frmVTRXCategory::enablePlayButtons(bool play, bool sid)
{
    button(QStringLiteral("btnPlay"))->setEnabled(play);
    button(QStringLiteral("btnSid"))->setEnabled(sid);
}

void frmVTRXCategory::keepOnScreen()
{
    // The settings keep the frame's place; a screen taken away since then must not leave the window out of sight.
    const QRect frame = frameGeometry();
    const QRect saved(QPoint(m_state.settings.OGLeft, m_state.settings.OGTop) / kTwipsPerPixel, frame.size());
    const QRect placed = platform::placeWindow(saved, false, platform::screenAreas());
    if (placed.size() != frame.size())
        resize(size() - (frame.size() - placed.size()));
    move(placed.topLeft());
}
