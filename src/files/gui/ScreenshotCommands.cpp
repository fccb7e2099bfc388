#include "files/gui/ScreenshotCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "files/ScreenshotRules.h"
#include "files/clsScreenshot.h"
#include "files/gui/frmVTRXScreenshot.h"
#include "platform/MessageBox.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"
#include "platform/Wallpaper.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace field = catalogue::field;

namespace {

// The current game's screenshot file, "" when it has none or the file is not there.
QString currentScreenshot(app::AppState& state)
{
    const QString stored = state.currentGame.text(field::ScreenshotFilename);
    return stored == catalogue::kNone ? QString() : platform::existingStoredFile(state.folders().screenshots, stored);
}

void mnuEditSSFilename_Click(app::CommandHost& host, app::AppState& state)
{
    frmVTRXScreenshot dialog(state, files::screenshotCaption(state.currentGame.text(field::Name)), host.dialogParent());
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok && dialog.chosenScreenshot() &&
        !state.currentGame.change({{field::ScreenshotFilename, *dialog.chosenScreenshot()}}))
        platform::MessageBox::exclamation(QStringLiteral("The screenshot could not be stored:\n") +
                                          state.currentGame.lastError());
    host.showCurrentGameAgain();
    host.focusGameList();
}

bool writeWallpaper(const QString& screenshot, const QString& wallpaper, QString* error)
{
    const QImage picture(screenshot);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "BMP")) {
        *error = QStringLiteral("cannot read the picture ") + screenshot;
        return false;
    }
    if (!QDir().mkpath(QFileInfo(wallpaper).absolutePath())) {
        *error = QStringLiteral("cannot make the folder ") + QFileInfo(wallpaper).absolutePath();
        return false;
    }
    return platform::saveFile(wallpaper, bmp, error);
}

// The picture is written as a BMP where the desktop can read it, then the desktop is asked to show it.
void mnuOptionsPaper_Click(app::AppState& state)
{
    const QString wallpaper = platform::wallpaperFilePath();
    QString error;
    if (!writeWallpaper(currentScreenshot(state), wallpaper, &error))
        platform::MessageBox::exclamation(QStringLiteral("The wallpaper could not be written:\n") + error);
    else if (!state.SetDesktopWallpaper || !state.SetDesktopWallpaper(wallpaper))
        platform::MessageBox::information(
            QStringLiteral("The desktop could not be told to show the new wallpaper. The picture is in\n%1\n"
                           "Set it as the desktop background by hand.")
                .arg(wallpaper));
}

} // namespace

void installScreenshotCommands(app::CommandHost& host, app::AppState& state)
{
    // A conversion killed midway leaves its files in the Screenshots folder, where the dialog would list them.
    clsScreenshot(state.folders()).removeLeftovers();
    auto edit = [&host, &state] { mnuEditSSFilename_Click(host, state); };
    app::installCommand(host, QStringLiteral("mnuEditSSFilename"), app::Acts::OnCurrentGame, edit);
    app::installCommand(host, QStringLiteral("pmnuEditScreenshotFilename"), app::Acts::OnCurrentGame, edit);
    app::installLabelClick(host, QStringLiteral("imgScreenShot"), app::LabelButton::Right, edit,
                           [&host] { return host.hasCurrentGame(); });
    app::installCommand(
        host, QStringLiteral("mnuOptionsPaper"), app::Acts::OnCurrentGame, [&state] { mnuOptionsPaper_Click(state); },
        [&state] { return !currentScreenshot(state).isEmpty(); });
}
