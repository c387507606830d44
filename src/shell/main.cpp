#include "platform/application.h"
#include "quiz/finestraquiz.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication();
    platform::SystemClock clock;
    platform::SystemRandom random;
    quiz::FrmMultipliCapacità finestra(clock, random, [] { QApplication::exit(0); });
    finestra.unloaded = [] { QApplication::exit(0); };
    finestra.show();
    return app.exec();
}
