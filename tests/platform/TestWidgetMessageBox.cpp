// The message box on screen: what it shows, the answer it hands back, and long lines kept whole.
#include "platform/gui/WidgetMessageBox.h"

#include "ModalHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace platform;
using MB = MessageBox;

class TestWidgetMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsTextTitleIconAndButtons();
    void escapeGivesTheCancelLikeButton();
    void linesOfAMessageStayAsWritten();
};

namespace {
// Acts on the message box as soon as it is up (the box's own event loop runs the timer).
void whenBoxShows(std::function<void(QMessageBox*)> act)
{
    testsupport::whenModal([act](QWidget* w) { act(qobject_cast<QMessageBox*>(w)); });
}
} // namespace

void TestWidgetMessageBox::initTestCase()
{
    installWidgetMessageBox();
}

void TestWidgetMessageBox::showsTextTitleIconAndButtons()
{
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
    QCOMPARE(seen, QVariantList({message, "vintrax", QMessageBox::Question,
                                 int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel), true, Qt::PlainText}));
}

void TestWidgetMessageBox::escapeGivesTheCancelLikeButton()
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

void TestWidgetMessageBox::linesOfAMessageStayAsWritten()
{
    // The notes' lines are wider than the share of the screen a plain message box allows before it
    // wraps its text again; they must stay whole, one line each.
    QStringList lines;
    for (int i = 1; i <= 4; ++i)
        lines << QString("Line %1 of a note whose line breaks were chosen by hand, and nowhere else.").arg(i);
    bool wraps = true;
    int labelWidth = 0;
    int widest = 0;
    whenBoxShows([&](QMessageBox* box) {
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        wraps = label->wordWrap();
        labelWidth = label->width();
        for (const QString& line : lines)
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        box->button(QMessageBox::Ok)->click();
    });
    MB::information(lines.join('\n'));
    QVERIFY(!wraps);
    QVERIFY2(labelWidth >= widest, qPrintable(QString("%1 < %2").arg(labelWidth).arg(widest)));
}

QTEST_MAIN(TestWidgetMessageBox)
#include "TestWidgetMessageBox.moc"
