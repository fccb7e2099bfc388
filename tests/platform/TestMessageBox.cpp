// Messages: the default answer of each button set, and the real box on screen: what it shows, the answer it hands back,
// Escape, and long lines kept whole; without any box a message goes to stderr and is answered with its default button.
#include "ModalHelpers.h"
#include "platform/MessageBox.h"
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

// How an information box showed its text: whether the label wraps, its size, one line's height and the width of
// the widest of the lines measured in its font, and where the box was placed.
struct Shown
{
    bool wraps = false;
    QSize label;
    int lineHeight = 0, widest = 0;
    QRect placed;
};
Shown informationShown(const QString& text, const QStringList& measured)
{
    Shown s;
    whenBoxShows([&](QMessageBox* box) {
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        s = {label->wordWrap(), label->size(), label->fontMetrics().height(), 0, box->frameGeometry()};
        for (const QString& line : measured)
            s.widest = std::max(s.widest, label->fontMetrics().horizontalAdvance(line));
        box->button(QMessageBox::Ok)->click();
    });
    MB::information(text);
    return s;
}
} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    // The button wanted when it is offered, else the first offered in the order Yes, No, Abort, Retry, ...; none
    // offered means OK.
    void defaultButtons()
    {
        const QList<std::tuple<MB::Buttons, MB::Button, MB::Button>> rows = {
            {{}, MB::NoButton, MB::Ok},
            {MB::Yes | MB::No, MB::NoButton, MB::Yes},
            {MB::Abort | MB::Retry | MB::Ignore, MB::NoButton, MB::Abort},
            {MB::Yes | MB::No, MB::No, MB::No},
            {MB::Yes | MB::No, MB::Cancel, MB::Yes}, // the wanted button is not offered
        };
        for (const auto& [buttons, wanted, result] : rows)
            QCOMPARE(MB::defaultButtonOf(buttons, wanted), result);
    }
    // Without any box (before one is installed) a message goes to stderr, answered with its default button.
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
        const Shown s = informationShown(lines.join('\n'), lines);
        QVERIFY(!s.wraps);
        QVERIFY2(s.label.width() >= s.widest, qPrintable(QString("%1 < %2").arg(s.label.width()).arg(s.widest)));
        QVERIFY2(screen.contains(s.placed) && s.placed.top() < parent.frameGeometry().bottom(),
                 qPrintable(QDebug::toString(s.placed)));
    }
    // A warning written as one long line is wrapped at a readable width (it used to run across the whole screen); a
    // path longer than that is not cut.
    void aLongLineIsWrappedAPathIsNot()
    {
        const QString warning = QString("W A R N I N G  !   This will Clear ALL of it.  ").repeated(6);
        const QString path = "/" + QString("very-long-folder-name/").repeated(4) + "a-game-of-a-long-name.d64";
        const Shown w = informationShown(warning, {});
        QVERIFY2(w.wraps && w.label.height() >= 3 * w.lineHeight &&
                     w.label.width() < 100 * QFontMetrics(QApplication::font()).averageCharWidth(),
                 qPrintable(QDebug::toString(w.label)));
        const Shown p = informationShown("Not found: " + path, {path});
        QVERIFY2(p.wraps && p.label.width() >= p.widest,
                 qPrintable(QString("%1 < %2").arg(p.label.width()).arg(p.widest)));
    }
};

QTEST_MAIN(TestMessageBox)
#include "TestMessageBox.moc"
