#pragma once

#include <QObject>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

#include <memory>

namespace catalogue {

class Database;
class GameStore;
class Recordset;

// Field values written together to one row.
using FieldValues = QVector<QPair<QString, QVariant>>;

// Writes the values to the current row of the record set in one edit and update; on a failure the edit
// is cancelled and the row stays as it was.
bool writeFields(Recordset& rs, const FieldValues& values);

// The game the user works on, identified by its row id: a rename keeps it, and no other window's walk of
// the Games table moves it, since it reads the row through a record set of its own. Every change to the
// current game goes through change(), which tells whoever shows it (changed(), and the game store's gameChanged
// for the lists).
class CurrentGame : public QObject
{
    Q_OBJECT

public:
    CurrentGame();
    ~CurrentGame() override;

    // Opens its own record set on Games; close() must come before the database closes. Changes are announced
    // through store when one is given.
    void open(Database& db, GameStore* store = nullptr);
    void close();

    // The game of this name (letter case aside) becomes the current game; false, and no current game,
    // when there is none.
    bool selectByName(const QString& name);
    void select(qint64 rowid);
    void clear();

    bool isSet() const { return m_rowid >= 0; }
    qint64 rowid() const { return m_rowid; }

    // The record set standing on the current game's row; nullptr when there is none (or it was deleted).
    Recordset* record();

    QString text(const QString& field);
    qint64 number(const QString& field);
    bool flag(const QString& field);

    // Writes the values to the current game's row and, when that worked, announces the change through the
    // store and emits changed().
    bool change(const FieldValues& values);
    // The engine's message for the last failed read or write.
    QString lastError() const;

signals:
    void changed();

private:
    std::unique_ptr<Recordset> m_rs;
    GameStore* m_store = nullptr;
    qint64 m_rowid = -1;
};

} // namespace catalogue
