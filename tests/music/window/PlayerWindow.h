#pragma once

// The program as a window test that plays tunes starts it: the emulator stand-ins of PlayFixture, and the player
// stand-in of MusicFixtures.h in "Sid Player" of the program folder as the SID player.
#include "MusicFixtures.h"
#include "WindowFixture.h"

#include <QMainWindow>

#include <memory>

namespace musictest {

class PlayerWindow
{
protected:
    // The program on game, with these settings over the fixture's, once the catalogue ran sql (when given).
    bool start(const QString& game, QVariantMap settings = {}, const QString& sql = {})
    {
        f = std::make_unique<windowtest::PlayFixture>();
        player = writeFakePlayer(f->programFile("Sid Player"));
        settings.insert("SidplayWPath", player);
        return (sql.isEmpty() || f->sql(sql).isEmpty()) && (w = f->startOn(game, settings));
    }
    // Every player this test started ends, then the program.
    void stop()
    {
        stopAll(player);
        f.reset();
    }

    std::unique_ptr<windowtest::PlayFixture> f;
    QMainWindow* w = nullptr;
    QString player;
};

} // namespace musictest
