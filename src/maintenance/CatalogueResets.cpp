#include "maintenance/CatalogueResets.h"

#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "maintenance/FileChecks.h"
#include "platform/PathNames.h"

namespace maintenance {

namespace field = catalogue::field;

QString resetQuestion(ResetKind kind)
{
    // The blanks inside these texts are part of them.
    switch (kind) {
    case ResetKind::GameFiles:
        return QStringLiteral("W A R N I N G  !   This will Clear ALL the Game-Filenames you have set up for your "
                              "games.  You will not be able to Play any games until you re-assign files to them.  "
                              "CLEAR GAME-FILES  ----  ARE YOU SURE ?");
    case ResetKind::GameFilesExceptBlast:
        return QStringLiteral("W A R N I N G  !   This will Clear ALL the Non-BLAST Game-Filenames you have set up "
                              "for your games.  You will not be able to Play these games until you re-assign files "
                              "to them.  CLEAR NON-BLAST GAME-FILES  ----  ARE YOU SURE ?");
    case ResetKind::TuneFiles:
        return QStringLiteral("W A R N I N G  !   This will Clear ALL the Sid Tune Filenames you have set up for "
                              "your games.  You will not be able to Play these Sid Tunes until you re-assign Sid "
                              "Files to the games.  CLEAR SID TUNE FILES  ----  ARE YOU SURE ?");
    case ResetKind::Screenshots:
        return QStringLiteral("W A R N I N G  !   This will Clear ALL the Screenshot-Filenames you have set up for "
                              "your games.  You will manually have to add screenshots for all games if you click "
                              "'YES'.  CLEAR SCREENSHOTS  ----  ARE YOU SURE ?");
    case ResetKind::TimesPlayed:
        break;
    }
    return QStringLiteral("Reset 'Times Played' counter and 'Last Played' date for ALL games in your Database?");
}

QString resetCurrentTimesPlayedQuestion(const QString& gameName)
{
    return QStringLiteral("Reset 'Times Played' counter and 'Last Played' date for '") + gameName +
           QStringLiteral("'?");
}

catalogue::FieldValues timesPlayedResetValues()
{
    return {{field::TimesPlayed, 0}, {field::DateLastPlayed, catalogue::kNever}};
}

bool isBlastEntry(const QString& storedFilename)
{
    const QString name = platform::FileNameOfPath(storedFilename);
    return name.size() >= 10 && name.size() <= 12 && name.startsWith(QLatin1String("BLAST"), Qt::CaseInsensitive) &&
           name.endsWith(QLatin1String(".D64"), Qt::CaseInsensitive);
}

namespace {

catalogue::FieldValues gameFileCleared(const ResetRow& row)
{
    return {{field::Filename, catalogue::kNone},
            {field::FilenameIndex, 0},
            {field::FA, false},
            {field::CCode, listColour(catalogue::kNone, row.musicFilename)}};
}

bool holdsValues(const TableWalk& rs, const catalogue::FieldValues& values)
{
    for (const auto& [name, wanted] : values) {
        const QVariant stored = rs.value(name);
        const bool number = wanted.typeId() == QMetaType::Bool || wanted.typeId() == QMetaType::Int;
        if (stored.isNull() ||
            (number ? stored.toLongLong() != wanted.toLongLong() : stored.toString() != wanted.toString()))
            return false;
    }
    return true;
}

} // namespace

std::optional<catalogue::FieldValues> resetChange(ResetKind kind, const ResetRow& row)
{
    switch (kind) {
    case ResetKind::GameFiles:
        return gameFileCleared(row);
    case ResetKind::GameFilesExceptBlast:
        if (row.filename == catalogue::kNone || isBlastEntry(row.filename))
            return std::nullopt;
        return gameFileCleared(row);
    case ResetKind::TuneFiles:
        return catalogue::FieldValues{{field::MusicFilename, catalogue::kNone},
                                      {field::SA, false},
                                      {field::CCode, listColour(row.filename, catalogue::kNone)}};
    case ResetKind::Screenshots:
        return catalogue::FieldValues{{field::ScreenshotFilename, catalogue::kNone}};
    case ResetKind::TimesPlayed:
        return timesPlayedResetValues();
    }
    return std::nullopt;
}

namespace {

// The file names a reset looks at, and the fields it writes.
QStringList fieldsRead(ResetKind kind)
{
    QStringList fields;
    if (kind != ResetKind::TimesPlayed && kind != ResetKind::Screenshots)
        fields = QStringList{field::Filename, field::MusicFilename};
    const catalogue::FieldValues written = resetChange(kind, {}).value_or(catalogue::FieldValues{});
    for (const auto& [name, value] : written)
        if (!fields.contains(name))
            fields << name;
    return fields;
}

} // namespace

ResetRun::ResetRun(catalogue::Database& db, catalogue::GameStore& store, ResetKind kind)
    : m_store(store), m_kind(kind), m_games(db, QStringLiteral("Games"), fieldsRead(kind))
{
}

void ResetRun::step(const QDeadlineTimer& deadline)
{
    while (!done()) {
        if (m_games.eof() && !m_games.lastError().isEmpty())
            return fail(QStringLiteral("The vintrax database could not be read:\n%1\n\nNothing has been changed.")
                            .arg(m_games.lastError()));
        if (m_games.eof())
            return write();
        const ResetRow row{m_games.text(field::Filename), m_games.text(field::MusicFilename)};
        const std::optional<catalogue::FieldValues> change = resetChange(m_kind, row);
        // A row that already holds the values is not written again.
        if (change && !holdsValues(m_games, *change))
            m_changes.append({m_games.bookmark(), *change});
        m_games.moveNext();
        setPercent(m_games.percentPosition());
        if (deadline.hasExpired())
            return;
    }
}

void ResetRun::write()
{
    const catalogue::GameStoreResult written = m_store.changeMany(m_changes);
    if (!written.ok())
        return fail(QStringLiteral("The vintrax database could not be changed:\n%1\n\nNothing has been changed.")
                        .arg(written.message));
    m_rowsChanged = int(m_changes.size());
    m_changes.clear();
    setPercent(100);
    setDone();
}

void ResetRun::stop()
{
    if (!done()) {
        m_changes.clear();
        fail(QStringLiteral("The reset was stopped as vintrax closed. Nothing has been changed."));
    }
}

} // namespace maintenance
