#include <QApplication>

#include "shell/trelvane_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    clipwright::CTrelvaneApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
