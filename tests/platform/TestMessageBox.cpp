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
    void responderRecordsAndAnswers();
};

void TestMessageBox::defaultButtons_data()
{
    QTest::addColumn<MB::Buttons>("buttons");
    QTest::addColumn<MB::Button>("wanted");
    QTest::addColumn<MB::Button>("result");
    QTest::newRow("OK") << MB::Buttons(MB::Ok) << MB::NoButton << MB::Ok;
    QTest::newRow("no buttons means OK") << MB::Buttons() << MB::NoButton << MB::Ok;
    QTest::newRow("Yes No") << (MB::Yes | MB::No) << MB::NoButton << MB::Yes;
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
    QCOMPARE(answer, MB::No); // the message's default
    QVERIFY2(err.contains("Remove 'Elite' from Sid Tune Database?") && err.contains("vintrax"), err.constData());
}

void TestMessageBox::responderRecordsAndAnswers()
{
    ScriptedMessageBox outer;
    ScriptedMessageBox box; // the innermost responder answers; the outer one comes back after it
    QCOMPARE(MB::backend(), &box);
    // Two blanks, a trailing blank, quotes and markup pass through untouched.
    const QString text = "File not found in any of your Game Paths:  \"<b>ELITE.D64</b>\" ";
    MB::critical(text, "vinTrax");
    const auto& first = box.messages().at(0);
    QCOMPARE(QVariantList({first.text, first.title, first.icon, int(first.buttons), first.answer}),
             QVariantList({text, "vinTrax", MB::Critical, int(MB::Ok), MB::Ok}));

    box.addAnswers({MB::No, MB::Cancel});
    const MB::Buttons ync = MB::Yes | MB::No | MB::Cancel;
    QCOMPARE(MB::question("one?", "vintrax", ync), MB::No);
    QCOMPARE(MB::question("two?", "vintrax", ync), MB::Cancel);
    QCOMPARE(box.pendingAnswers(), 0);
    // Script used up: each message's own default...
    QCOMPARE(MB::question("three?", "vintrax", ync, MB::Cancel), MB::Cancel);
    QCOMPARE(MB::question("four?"), MB::Yes);
    QCOMPARE(box.last().buttons, MB::Yes | MB::No);
    QCOMPARE(box.last().title, QString("vintrax"));
    MB::information("note");
    MB::exclamation("refused");
    QCOMPARE(QList({box.messages().at(5).icon, box.last().icon}), QList({MB::Information, MB::Exclamation}));
    // ...unless a default answer is set.
    box.setDefaultAnswer(MB::No);
    QCOMPARE(MB::question("five?"), MB::No);
    QCOMPARE(box.texts().mid(1, 2), QStringList({"one?", "two?"}));
    QCOMPARE(outer.count(), 0);
}

QTEST_GUILESS_MAIN(TestMessageBox)
#include "TestMessageBox.moc"
