#include <QApplication>

#include "app/zor_config.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    zor_config window;
    window.show();
    return application.exec();
}
