// Messages: the default answer of each button set, the scripted responder the tests answer with, and the real box
// on screen: what it shows, the answer it hands back, Escape, and long lines kept whole; without any box a message
// goes to stderr and is answered with its default button.
#include "ModalHelpers.h"
#include "platform/MessageBox.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/gui/WidgetMessageBox.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>

using namespace platform;
using MB = MessageBox;

namespace {
// Acts on the message box as soon as it is up (the box's own event loop runs the timer).
void whenBoxShows(std::function<void(QMessageBox*)> act)
{
    testsupport::whenModal([act](QWidget* w) { act(qobject_cast<QMessageBox*>(w)); });
}
} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void defaultButtons_data()
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
    void defaultButtons()
    {
        QFETCH(MB::Buttons, buttons);
        QFETCH(MB::Button, wanted);
        QFETCH(MB::Button, result);
        QCOMPARE(MB::defaultButtonOf(buttons, wanted), result);
    }
    void withoutABoxTheMessageGoesToStderr()
    {
        QTemporaryFile capture;
        QVERIFY(capture.open());
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(capture.handle(), STDERR_FILENO);
        const MB::Button answer = MB::show("Remove 'Elite'?", "vintrax", MB::Question, MB::Yes | MB::No, MB::No);
        dup2(saved, STDERR_FILENO);
        close(saved);
        QCOMPARE(answer, MB::No);
        capture.seek(0);
        QCOMPARE(capture.readAll(), QByteArray("[vintrax] question: Remove 'Elite'? (answered No)\n"));
    }
    void responderRecordsAndAnswers()
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

        // Scripted answers first, then each message's own default, unless a default answer is set.
        box.addAnswers({MB::No, MB::Cancel});
        const MB::Buttons ync = MB::Yes | MB::No | MB::Cancel;
        QCOMPARE(QList({MB::question("one?", "vintrax", ync), MB::question("two?", "vintrax", ync),
                        MB::question("three?", "vintrax", ync, MB::Cancel), MB::question("four?")}),
                 QList({MB::No, MB::Cancel, MB::Cancel, MB::Yes}));
        box.setDefaultAnswer(MB::No);
        QCOMPARE(MB::question("five?"), MB::No);
        QCOMPARE(box.texts().mid(1, 2), QStringList({"one?", "two?"}));
        QCOMPARE(outer.count(), 0);
    }
    void widgetShowsTextTitleIconAndButtons()
    {
        installWidgetMessageBox(); // for this and the tests after it
        const QString message = "File exists in Screenshot Directory.  Do you wish to Overwrite? <b>x</b>";
        QVariantList seen;
        whenBoxShows([&](QMessageBox* box) {
            seen = {box->text(),
                    box->windowTitle(),
                    box->icon(),
                    int(box->standardButtons()),
                    box->defaultButton() == box->button(QMessageBox::No),
                    box->textFormat()};
            box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(MB::show(message, "vintrax", MB::Question, MB::Yes | MB::No | MB::Cancel, MB::No), MB::Yes);
        QCOMPARE(seen,
                 QVariantList({message, "vintrax", QMessageBox::Question,
                               int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel), true, Qt::PlainText}));
    }
    void escapeGivesTheCancelLikeButton()
    {
        whenBoxShows([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(MB::show("Overwrite?", "vintrax", MB::Question, MB::Yes | MB::No | MB::Cancel), MB::Cancel);
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenBoxShows([&](QMessageBox* box) {
            icon = box->icon();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(MB::show("Remove?", "vintrax", MB::Exclamation, MB::Yes | MB::No), MB::No);
        QCOMPARE(icon, QMessageBox::Warning);
    }
    // The notes' lines are wider than the share of the screen a plain message box allows before it wraps its text
    // again; they must stay whole, one line each. The box, wider than it was when it was placed, is placed again:
    // centred on its parent, kept on the screen (the first-start notes ran past its right edge).
    void linesOfAMessageStayAsWritten()
    {
        QWidget parent;
        const QRect screen = parent.screen()->availableGeometry();
        parent.setGeometry(screen.right() - 150, screen.top() + 50, 300, 200);
        parent.show();
        QVERIFY(QTest::qWaitForWindowActive(&parent));
        QStringList lines;
        for (int i = 1; i <= 4; ++i)
            lines << QString("Line %1 of a note whose line breaks were chosen by hand, and nowhere else.").arg(i);
        bool wraps = true;
        int labelWidth = 0;
        int widest = 0;
        QRect placed;
        whenBoxShows([&](QMessageBox* box) {
            auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            wraps = label->wordWrap();
            labelWidth = label->width();
            for (const QString& line : lines)
                widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
            placed = box->frameGeometry();
            box->button(QMessageBox::Ok)->click();
        });
        MB::information(lines.join('\n'));
        QVERIFY(!wraps);
        QVERIFY2(labelWidth >= widest, qPrintable(QString("%1 < %2").arg(labelWidth).arg(widest)));
        QVERIFY2(screen.contains(placed) && placed.top() < parent.frameGeometry().bottom(),
                 qPrintable(QDebug::toString(placed)));
    }
    // A warning written as one long line is wrapped at a readable width (it used to run across the whole screen); a
    // path longer than that is not cut.
    void aLongLineIsWrappedAPathIsNot()
    {
        const QString warning = QString("W A R N I N G  !   This will Clear ALL of it.  ").repeated(6);
        const QString path = "/" + QString("very-long-folder-name/").repeated(4) + "a-game-of-a-long-name.d64";
        for (const QString& text : {warning, "Not found: " + path}) {
            bool wraps = false;
            int labelWidth = 0, lineHeight = 0, labelHeight = 0, pathWidth = 0;
            whenBoxShows([&](QMessageBox* box) {
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                wraps = label->wordWrap();
                labelWidth = label->width();
                labelHeight = label->height();
                lineHeight = label->fontMetrics().height();
                pathWidth = label->fontMetrics().horizontalAdvance(path);
                box->button(QMessageBox::Ok)->click();
            });
            MB::information(text);
            QVERIFY(wraps);
            if (text == warning)
                QVERIFY2(labelHeight >= 3 * lineHeight &&
                             labelWidth < 100 * QFontMetrics(QApplication::font()).averageCharWidth(),
                         qPrintable(QString("%1 x %2").arg(labelWidth).arg(labelHeight)));
            else
                QVERIFY2(labelWidth >= pathWidth, qPrintable(QString("%1 < %2").arg(labelWidth).arg(pathWidth)));
        }
    }
};

QTEST_MAIN(TestMessageBox)
#include "TestMessageBox.moc"
