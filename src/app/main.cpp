#include <QApplication>
#include <QLabel>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in the core are formatted with printf: keep the "C" decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QLabel label("Corvelle");
    label.show();
    return app.exec();
}
