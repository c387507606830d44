// The floor: what Qt itself costs for one titled window with a menu bar and a label.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Esci"), &app, &QApplication::quit);
    window.setCentralWidget(new QLabel(QStringLiteral("Misure di capacità")));
    window.show();
    return app.exec();
}
