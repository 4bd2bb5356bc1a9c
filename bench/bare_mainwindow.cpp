// The floor of the toolkit for the start-up batch: a main window with a text editor and
// nothing else, started the same way as the real program.
#include <QApplication>
#include <QMainWindow>
#include <QTextEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setCentralWidget(new QTextEdit);
    window.resize(800, 705);
    window.show();
    return app.exec();
}
