#include "PlayFixture.h"

#include "ArchiveFixtures.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "browser/gui/GameListBox.h"
#include <QMainWindow>

#include <QApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

namespace playtest {

namespace {

struct EmulatorLayout
{
    const char* folder;
    const char* program; // the configured file
    const char* logged;  // the file the command line runs
    const char* config;
    QByteArray configText;
};

// Blanks in the folder names: nothing on a command line may depend on a path without them.
const EmulatorLayout kLayouts[] = {
    {"CCS64 v19", "CCS64.EXE", "ccsdpmi.exe", "C64.CFG",
     "$JOYSTICK1PC=9\r\n$JOYSTICK2PC=9\r\n$JOYSTICK1KEY=9\r\n$JOYSTICK2KEY=9\r\n$LOADPATH=C:\\\r\n$SOUND=1\r\n"},
    {"CCS64 v20", "ccs64.exe", "ccs64.exe", "c64.cfg",
     "$CONTROLPORT1=9\r\n$CONTROLPORT2=9\r\n$CONTROLPORT1MODE=9\r\n$CONTROLPORT2MODE=9\r\n$LOADPATH=C:\\\r\n"},
    {"CCS64 Win", "CCS64DX.EXE", "CCS64DX.EXE", "C64.CFG",
     "$CONTROLPORT1=9\r\n$CONTROLPORT2=9\r\n$CONTROLPORT1MODE=9\r\n$CONTROLPORT2MODE=9\r\n$LOADPATH=C:\\\r\n"},
};

const EmulatorLayout& layout(int kind)
{
    return kLayouts[qBound(0, kind, 2)];
}

// A connection of its own to the catalogue file, closed when the object goes.
class CatalogueConnection
{
public:
    explicit CatalogueConnection(const QString& file) : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        m_open = QFile::exists(file) && db.open();
    }
    ~CatalogueConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool isOpen() const { return m_open; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_open = false;
};

} // namespace

FakeEmulators::FakeEmulators(const windowtest::WindowFixture& fixture)
    : m_root(fixture.programFile(QStringLiteral("Emulators")))
{
    m_valid = true;
    for (int kind = 0; kind < 3; ++kind) {
        const EmulatorLayout& l = layout(kind);
        const QString dir = folder(kind);
        m_valid = m_valid && testsupport::writeFakeTool(dir, QString::fromLatin1(l.program), QString());
        if (qstrcmp(l.program, l.logged) != 0)
            m_valid = m_valid && testsupport::writeFakeTool(dir, QString::fromLatin1(l.logged), QString());
        m_valid = m_valid && testsupport::writeFile(configPath(kind), l.configText);
    }
}

QString FakeEmulators::folder(int kind) const
{
    return QDir(m_root).filePath(QString::fromLatin1(layout(kind).folder));
}

QString FakeEmulators::programPath(int kind) const
{
    return QDir(folder(kind)).filePath(QString::fromLatin1(layout(kind).program));
}

QString FakeEmulators::configPath(int kind) const
{
    return QDir(folder(kind)).filePath(QString::fromLatin1(layout(kind).config));
}

QString FakeEmulators::logPath(int kind) const
{
    return QDir(folder(kind)).filePath(QString::fromLatin1(layout(kind).logged) + QStringLiteral(".log"));
}

QVariantMap FakeEmulators::settings() const
{
    return {{QStringLiteral("CCS64Path"), programPath(0)},
            {QStringLiteral("CCS642Path"), programPath(1)},
            {QStringLiteral("DirectXPath"), programPath(2)}};
}

bool FakeEmulators::started(int kind) const
{
    return QFile::exists(logPath(kind));
}

QStringList FakeEmulators::waitForStart(int kind, int argumentCount) const
{
    QDeadlineTimer deadline(10000);
    QStringList lines;
    do {
        lines = QString::fromUtf8(testsupport::readFile(logPath(kind))).split(u'\n', Qt::SkipEmptyParts);
        if (lines.size() >= argumentCount + 1)
            return lines;
        QTest::qWait(20);
    } while (!deadline.hasExpired());
    return {};
}

bool FakeEmulators::anyStartedWithin(int milliseconds) const
{
    QDeadlineTimer deadline(milliseconds);
    do {
        if (started(0) || started(1) || started(2))
            return true;
        QTest::qWait(20);
    } while (!deadline.hasExpired());
    return false;
}

PlaySession::PlaySession() : emulators(fixture)
{
    fixture.presetSettings(emulators.settings());
}

PlaySession::~PlaySession()
{
    // A dialog a failed test left open would outlive the window it belongs to.
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    fixture.exit();
}

QMainWindow* PlaySession::start(const QString& game, const QVariantMap& settings)
{
    QVariantMap values = settings;
    values.insert(QStringLiteral("CurrentGame"), game);
    fixture.presetSettings(values);
    QMainWindow* w = fixture.start();
    if (w && rowOf(w, game) >= 0)
        clickGame(w, game);
    return w;
}

QVariant PlaySession::stored(const QString& game, const char* field) const
{
    return storedGame(catalogueFile(), game).value(QString::fromLatin1(field));
}

QString configLine(const QString& configPath, const QString& key)
{
    const QByteArray text = testsupport::readFile(configPath);
    for (const QByteArray& line : text.split('\n')) {
        const QString l = QString::fromUtf8(line).remove(u'\r');
        if (l.startsWith(key))
            return l;
    }
    return {};
}

QVariantMap storedGame(const QString& catalogueFile, const QString& name)
{
    CatalogueConnection connection(catalogueFile);
    if (!connection.isOpen())
        return {};
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral("SELECT * FROM Games WHERE Name = ?"));
    query.addBindValue(name);
    QVariantMap row;
    if (query.exec() && query.next()) {
        for (int i = 0; i < query.record().count(); ++i)
            row.insert(query.record().fieldName(i), query.value(i));
    }
    return row;
}

bool execOnCatalogue(const QString& catalogueFile, const QString& sql, const QVariantList& values)
{
    CatalogueConnection connection(catalogueFile);
    if (!connection.isOpen())
        return false;
    QSqlQuery query(connection.db());
    if (!query.prepare(sql))
        return false;
    for (const QVariant& v : values)
        query.addBindValue(v);
    return query.exec();
}

int rowOf(QMainWindow* window, const QString& name)
{
    const QAbstractItemModel& model = windowtest::gameList(window);
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, 0).data().toString() == name)
            return row;
    return -1;
}

QPoint rowCentre(QMainWindow* window, const QString& name)
{
    auto* list = windowtest::control<GameListBox>(window, "lstGames");
    const QModelIndex index = list->model()->index(rowOf(window, name), 0);
    list->scrollTo(index);
    return list->visualRect(index).center();
}

void clickGame(QMainWindow* window, const QString& name)
{
    auto* list = windowtest::control<GameListBox>(window, "lstGames");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(window, name));
}

void doubleClickGame(QMainWindow* window, const QString& name)
{
    auto* list = windowtest::control<GameListBox>(window, "lstGames");
    // What a user's double-click sends: press, release, double-click, release.
    const QPoint at = rowCentre(window, name);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

void rightClickGame(QMainWindow* window, const QString& name)
{
    auto* list = windowtest::control<GameListBox>(window, "lstGames");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(window, name));
}

QString labelText(QWidget* window, const char* name)
{
    const QLabel* label = windowtest::control<QLabel>(window, name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
}

} // namespace playtest
