// The toolkit's floor for the start-up benchmark: a Qt Widgets program that shows one dialog of
// the disclaimer's size and nothing else.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setFixedSize(410, 322);
    dialog.show();
    return QApplication::exec();
}
