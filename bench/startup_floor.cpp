// The floor of the start-up measurement (startup-under-x.sh): the least a program built with the same Qt
// does before a user sees its window. A main window holding a list of 14 rows, captioned, shown.
// With --quit it ends after its first pass of events, so its cost can be counted (perf stat, callgrind).
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* list = new QListWidget(&window);
    for (int i = 1; i <= 14; ++i)
        list->addItem(QStringLiteral("Game %1").arg(i));
    list->setCurrentRow(0);
    window.setCentralWidget(list);
    window.setWindowTitle(QStringLiteral("floor  -  14 game(s) in total"));
    window.resize(640, 480);
    window.show();
    if (QCoreApplication::arguments().contains(QStringLiteral("--quit")))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
