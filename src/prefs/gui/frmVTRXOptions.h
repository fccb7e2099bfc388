#pragma once

#include "prefs/DefaultPortButtons.h"
#include "prefs/PathBrowse.h"
#include "prefs/PreferenceChoices.h"

#include <QColor>
#include <QDialog>
#include <QPixmap>

#include <functional>
#include <memory>
#include <optional>

struct Settings;
class QLabel;
class QPushButton;

namespace app {
struct BrowseRequest;
}

namespace Ui {
class frmVTRXOptions;
}

// A path label in this colour names a path that is set but not there (or not of the kind asked for).
inline const QColor kPathWarningColour(0xB0, 0x00, 0x00);

// The preferences: program and folder paths, emulator defaults, confirmations and add prompts, display
// choices. OK copies everything into the settings; Cancel leaves them, except an emulator program chosen
// with "Browse...", which is taken at once.
class frmVTRXOptions : public QDialog
{
    Q_OBJECT
public:
    // The browse dialog over a parent: the path chosen ("" for "(None)"), nothing when cancelled.
    using BrowseForPath = std::function<std::optional<QString>(const app::BrowseRequest&, QWidget* parent)>;

    // settings: the program's settings. browse: the browse dialog the "Browse..." buttons open. texturePicture:
    // the main window's background picture of an index (-1 none, 0 to 5).
    frmVTRXOptions(Settings& settings, BrowseForPath browse, std::function<QPixmap(int)> texturePicture,
                   QWidget* parent = nullptr);
    ~frmVTRXOptions() override;

    // After OK: whether the background texture changed.
    bool textureChanged() const { return m_textureChanged; }

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdBrowse_Click(prefs::PrefsPath path);
    void portButton_Click(prefs::DefaultPortButton button);
    void cmdTextureBack_Click();
    void cmdTextureForward_Click();
    void optTB_Click();

    // Shows the settings' port defaults and default emulator on the "Emulator Defaults" tab.
    void showEmulatorDefaults();
    // A path label shows its path and, in colour and tool tip, whether it is there.
    void showPath(prefs::PrefsPath path, const QString& shown);
    void showTexture();
    prefs::TitleBarOption chosenTitleBar() const;
    prefs::PreferenceChoices chosen() const;
    QLabel* pathLabel(prefs::PrefsPath path) const;
    QPushButton* portButton(prefs::DefaultPortButton button) const;

    Settings& m_settings;
    BrowseForPath m_browse;
    std::function<QPixmap(int)> m_texturePicture;
    std::unique_ptr<Ui::frmVTRXOptions> ui;
    int m_texture = prefs::kNoTexture; // the texture previewed
    bool m_textureChanged = false;
};
