#include "platform/MessageBox.h"

#include "platform/ScriptedMessageBox.h"

#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using namespace platform;
using MB = MessageBox;

namespace {

// Runs fn with the process's stderr sent to a file and returns what was written there.
template <typename Fn> QByteArray captureStderr(Fn fn)
{
    QTemporaryFile file;
    if (!file.open())
        return "cannot open capture file";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    fn();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return file.readAll();
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void defaultButtons_data();
    void defaultButtons();
    void withoutBackendNothingBlocks();
    void responderRecordsEveryMessageExactly();
    void responderAnswersFromItsScript();
    void respondersInstallAndUninstall();
    void shortcutsCarryTheirIcon();
};

void TestMessageBox::defaultButtons_data()
{
    QTest::addColumn<MB::Buttons>("buttons");
    QTest::addColumn<MB::Button>("wanted");
    QTest::addColumn<MB::Button>("result");
    QTest::newRow("OK") << MB::Buttons(MB::Ok) << MB::NoButton << MB::Ok;
    QTest::newRow("no buttons means OK") << MB::Buttons() << MB::NoButton << MB::Ok;
    QTest::newRow("OK Cancel") << (MB::Ok | MB::Cancel) << MB::NoButton << MB::Ok;
    QTest::newRow("Yes No") << (MB::Yes | MB::No) << MB::NoButton << MB::Yes;
    QTest::newRow("Yes No Cancel") << (MB::Yes | MB::No | MB::Cancel) << MB::NoButton << MB::Yes;
    QTest::newRow("Abort Retry Ignore") << (MB::Abort | MB::Retry | MB::Ignore) << MB::NoButton << MB::Abort;
    QTest::newRow("Retry Cancel") << (MB::Retry | MB::Cancel) << MB::NoButton << MB::Retry;
    QTest::newRow("Yes No, No wanted") << (MB::Yes | MB::No) << MB::No << MB::No;
    QTest::newRow("wanted button not offered") << (MB::Yes | MB::No) << MB::Cancel << MB::Yes;
}

void TestMessageBox::defaultButtons()
{
    QFETCH(MB::Buttons, buttons);
    QFETCH(MB::Button, wanted);
    QFETCH(MB::Button, result);
    QCOMPARE(MB::defaultButtonOf(buttons, wanted), result);
}

void TestMessageBox::withoutBackendNothingBlocks()
{
    QCOMPARE(MB::backend(), nullptr);
    MB::Button answer = MB::NoButton;
    const QByteArray err = captureStderr([&] {
        answer = MB::show("Remove 'Elite' from Sid Tune Database?", "vintrax", MB::Question, MB::Yes | MB::No, MB::No);
    });
    QCOMPARE(answer, MB::No);
    QVERIFY2(err.contains("Remove 'Elite' from Sid Tune Database?"), err.constData());
    QVERIFY2(err.contains("vintrax"), err.constData());

    const QByteArray err2 =
        captureStderr([&] { answer = MB::show("FILE NOT SET!", "vintrax Error", MB::Exclamation); });
    QCOMPARE(answer, MB::Ok);
    QVERIFY(err2.contains("FILE NOT SET!"));
}

void TestMessageBox::responderRecordsEveryMessageExactly()
{
    ScriptedMessageBox box;
    // Two blanks, a trailing blank, quotes and markup pass through untouched.
    const QString text = "File not found in any of your Game Paths:  \"<b>ELITE.D64</b>\" ";
    MB::show(text, "vintrax", MB::Critical);
    MB::show("File exists in Screenshot Directory.  Do you wish to Overwrite?", "vintrax", MB::Question,
             MB::Yes | MB::No | MB::Cancel);
    QCOMPARE(box.count(), 2);
    const auto& first = box.messages().at(0);
    QCOMPARE(first.text, text);
    QCOMPARE(first.title, QString("vintrax"));
    QCOMPARE(first.icon, MB::Critical);
    QCOMPARE(first.buttons, MB::Buttons(MB::Ok));
    QCOMPARE(first.defaultButton, MB::Ok);
    QCOMPARE(first.answer, MB::Ok);
    const auto& second = box.messages().at(1);
    QCOMPARE(second.icon, MB::Question);
    QCOMPARE(second.buttons, MB::Yes | MB::No | MB::Cancel);
    QCOMPARE(second.defaultButton, MB::Yes);
    QCOMPARE(box.texts(), QStringList({text, "File exists in Screenshot Directory.  Do you wish to Overwrite?"}));
    box.clear();
    QCOMPARE(box.count(), 0);
}

void TestMessageBox::responderAnswersFromItsScript()
{
    ScriptedMessageBox box;
    box.addAnswers({MB::No, MB::Cancel});
    box.addAnswer(MB::Yes);
    QCOMPARE(box.pendingAnswers(), 3);
    const MB::Buttons ync = MB::Yes | MB::No | MB::Cancel;
    QCOMPARE(MB::question("one?", "vintrax", ync), MB::No);
    QCOMPARE(MB::question("two?", "vintrax", ync), MB::Cancel);
    QCOMPARE(MB::question("three?", "vintrax", ync), MB::Yes);
    QCOMPARE(box.pendingAnswers(), 0);
    // Script used up: each message's own default...
    QCOMPARE(MB::question("four?", "vintrax", ync, MB::Cancel), MB::Cancel);
    QCOMPARE(MB::question("five?"), MB::Yes);
    // ...unless a default answer is set.
    box.setDefaultAnswer(MB::No);
    QCOMPARE(MB::question("six?"), MB::No);
    QCOMPARE(box.last().answer, MB::No);
    QCOMPARE(box.count(), 6);
}

void TestMessageBox::respondersInstallAndUninstall()
{
    QCOMPARE(MB::backend(), nullptr);
    {
        ScriptedMessageBox outer;
        QCOMPARE(MB::backend(), &outer);
        {
            ScriptedMessageBox inner;
            QCOMPARE(MB::backend(), &inner);
            MB::information("to the inner one");
            QCOMPARE(inner.count(), 1);
            QCOMPARE(outer.count(), 0);
        }
        QCOMPARE(MB::backend(), &outer);
        MB::information("to the outer one");
        QCOMPARE(outer.count(), 1);
    }
    QCOMPARE(MB::backend(), nullptr);
}

void TestMessageBox::shortcutsCarryTheirIcon()
{
    ScriptedMessageBox box;
    MB::information("note");
    MB::exclamation("refused");
    MB::critical("fatal", "vinTrax");
    MB::question("sure?");
    QCOMPARE(box.count(), 4);
    QCOMPARE(box.messages().at(0).icon, MB::Information);
    QCOMPARE(box.messages().at(0).title, QString("vintrax"));
    QCOMPARE(box.messages().at(1).icon, MB::Exclamation);
    QCOMPARE(box.messages().at(2).icon, MB::Critical);
    QCOMPARE(box.messages().at(2).title, QString("vinTrax"));
    QCOMPARE(box.messages().at(3).icon, MB::Question);
    QCOMPARE(box.messages().at(3).buttons, MB::Yes | MB::No);
}

QTEST_GUILESS_MAIN(TestMessageBox)
#include "TestMessageBox.moc"
