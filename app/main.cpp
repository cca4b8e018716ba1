#include <QApplication>

#include "app/zor_config.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Where the platform's settings store keeps the utility's own settings
    // (the recent files).
    QCoreApplication::setOrganizationName(QStringLiteral("zorsetup"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("zorsetup.org"));
    QCoreApplication::setApplicationName(QStringLiteral("zor-setup"));
    zor_config window;
    window.show();
    return application.exec();
}
