#include "prefs/gui/frmVTRXOptions.h"

#include "appstate/AppState.h"
#include "data/settings/Settings.h"
#include "platform/gui/ElidedText.h"

#include "ui_frmVTRXOptions.h"

using prefs::DefaultPortButton;
using prefs::PrefsPath;
using prefs::TitleBarOption;

frmVTRXOptions::frmVTRXOptions(Settings& settings, BrowseForPath browse, std::function<QPixmap(int)> texturePicture,
                               QWidget* parent)
    : QDialog(parent), m_settings(settings), m_browse(std::move(browse)), m_texturePicture(std::move(texturePicture)),
      ui(std::make_unique<Ui::frmVTRXOptions>())
{
    ui->setupUi(this);
    for (PrefsPath p : prefs::kPrefsPaths)
        connect(findChild<QPushButton*>(prefs::browseButtonName(p)), &QPushButton::clicked, this,
                [this, p] { cmdBrowse_Click(p); });
    for (DefaultPortButton b : prefs::kDefaultPortButtons)
        connect(portButton(b), &QPushButton::clicked, this, [this, b] { portButton_Click(b); });
    for (QRadioButton* option : {ui->optTBGameCount, ui->optTBCurrentGame, ui->optTBSetMyOwn})
        connect(option, &QRadioButton::toggled, this, &frmVTRXOptions::optTB_Click);
    connect(ui->cmdTextureBack, &QPushButton::clicked, this, &frmVTRXOptions::cmdTextureBack_Click);
    connect(ui->cmdTextureForward, &QPushButton::clicked, this, &frmVTRXOptions::cmdTextureForward_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXOptions::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXOptions::cmdCancel_Click);
    Form_Load();
}

frmVTRXOptions::~frmVTRXOptions() = default;

void frmVTRXOptions::Form_Load()
{
    // 7470 by 4680 twips; the tabs' layouts may ask for more where the fonts are larger.
    resize(498, 312);
    const prefs::PreferenceChoices c = prefs::choicesFrom(m_settings);
    (c.positionRestore ? ui->optPositionYes : ui->optPositionNo)->setChecked(true);
    QRadioButton* titleBar[] = {ui->optTBGameCount, ui->optTBCurrentGame, ui->optTBSetMyOwn};
    titleBar[static_cast<int>(c.titleBar)]->setChecked(true);
    ui->txtTitleBar->setText(c.titleBarText);
    optTB_Click();
    (c.dcPlaysMusic ? ui->optDCMusic : ui->optDCGame)->setChecked(true);
    // The three flags come from the settings file as they are; a hand-edited file may set none of them.
    if (c.ssViewYes)
        ui->optSSViewYes->setChecked(true);
    if (c.ssViewShow)
        ui->optSSViewShow->setChecked(true);
    if (c.ssViewHide)
        ui->optSSViewHide->setChecked(true);
    for (PrefsPath p : prefs::kPrefsPaths)
        showPath(p, c.paths[std::size_t(p)]);
    for (std::size_t i = 0; i < prefs::settingChecks().size(); ++i)
        findChild<QCheckBox*>(QString::fromLatin1(prefs::settingChecks()[i].checkBox))->setChecked(c.checks[i]);
    showEmulatorDefaults();
    m_texture = c.texture;
    showTexture();
}

void frmVTRXOptions::showEmulatorDefaults()
{
    for (DefaultPortButton b : prefs::kDefaultPortButtons)
        portButton(b)->setText(prefs::captionFor(b, prefs::defaultOf(b, m_settings.DefaultPorts)));
    QRadioButton* emulators[] = {ui->optDE0, ui->optDE1, ui->optDE2};
    emulators[prefs::choicesFrom(m_settings).defaultEmulator]->setChecked(true);
}

void frmVTRXOptions::showPath(PrefsPath path, const QString& shown)
{
    QLabel* label = pathLabel(path);
    // A path too long for its box shows its end: the program or folder it names.
    platform::setElidedText(label, shown, Qt::ElideLeft);
    const prefs::PathStatus status = prefs::pathStatusOf(path, shown);
    label->setToolTip(status.toolTip);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     status.warning ? kPathWarningColour : this->palette().color(QPalette::WindowText));
    label->setPalette(palette);
}

void frmVTRXOptions::showTexture()
{
    ui->imgViewTexture->setPixmap(m_texture == prefs::kNoTexture ? QPixmap() : m_texturePicture(m_texture));
    ui->cmdTextureBack->setEnabled(prefs::textureBackEnabled(m_texture));
    ui->cmdTextureForward->setEnabled(prefs::textureForwardEnabled(m_texture));
}

void frmVTRXOptions::cmdBrowse_Click(PrefsPath path)
{
    const prefs::BrowseRequest r = prefs::browseRequestFor(path, platform::wholeText(pathLabel(path)));
    const std::optional<QString> chosen =
        m_browse ? m_browse({r.prompt, r.startPath, r.selectName, r.pattern, r.mode}, this) : std::nullopt;
    if (!chosen)
        return;
    showPath(path, *chosen);
    if (prefs::takesEffectAtOnce(path)) {
        prefs::settingOf(path, m_settings) = *chosen;
        showEmulatorDefaults();
    }
}

void frmVTRXOptions::portButton_Click(DefaultPortButton button)
{
    QPushButton* b = portButton(button);
    b->setText(prefs::nextCaption(button, b->text()));
}

void frmVTRXOptions::cmdTextureBack_Click()
{
    m_texture = prefs::steppedTexture(m_texture, -1);
    showTexture();
    ui->cmdOK->setFocus();
}

void frmVTRXOptions::cmdTextureForward_Click()
{
    m_texture = prefs::steppedTexture(m_texture, +1);
    showTexture();
    ui->cmdOK->setFocus();
}

void frmVTRXOptions::optTB_Click()
{
    const bool enabled = prefs::titleBarTextEnabled(chosenTitleBar());
    ui->txtTitleBar->setEnabled(enabled);
    ui->Label3->setEnabled(enabled);
}

void frmVTRXOptions::cmdOK_Click()
{
    m_textureChanged = prefs::applyChoices(chosen(), m_settings);
    accept();
}

void frmVTRXOptions::cmdCancel_Click()
{
    reject();
}

TitleBarOption frmVTRXOptions::chosenTitleBar() const
{
    if (ui->optTBGameCount->isChecked())
        return TitleBarOption::GameCount;
    return ui->optTBCurrentGame->isChecked() ? TitleBarOption::CurrentGame : TitleBarOption::SetMyOwn;
}

prefs::PreferenceChoices frmVTRXOptions::chosen() const
{
    prefs::PreferenceChoices c;
    c.positionRestore = ui->optPositionYes->isChecked();
    c.titleBar = chosenTitleBar();
    c.titleBarText = ui->txtTitleBar->text();
    c.dcPlaysMusic = !ui->optDCGame->isChecked();
    c.ssViewYes = ui->optSSViewYes->isChecked();
    c.ssViewShow = ui->optSSViewShow->isChecked();
    c.ssViewHide = ui->optSSViewHide->isChecked();
    for (PrefsPath p : prefs::kPrefsPaths)
        c.paths[std::size_t(p)] = platform::wholeText(pathLabel(p));
    for (std::size_t i = 0; i < prefs::settingChecks().size(); ++i)
        c.checks[i] = findChild<QCheckBox*>(QString::fromLatin1(prefs::settingChecks()[i].checkBox))->isChecked();
    c.texture = m_texture;
    for (DefaultPortButton b : prefs::kDefaultPortButtons)
        prefs::defaultOf(b, c.ports) = prefs::storedValueOf(b, portButton(b)->text());
    c.defaultEmulator = ui->optDE0->isChecked() ? 0 : ui->optDE1->isChecked() ? 1 : 2;
    return c;
}

QLabel* frmVTRXOptions::pathLabel(PrefsPath path) const
{
    return findChild<QLabel*>(prefs::labelName(path));
}

QPushButton* frmVTRXOptions::portButton(DefaultPortButton button) const
{
    return findChild<QPushButton*>(prefs::buttonName(button));
}
