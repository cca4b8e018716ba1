#include "link/telnet_dialog.h"

telnet_dialog::telnet_dialog(QWidget *parent) : QDialog(parent), ui(nullptr) {}
telnet_dialog::~telnet_dialog() {}
void telnet_dialog::on_pushButtonOk_clicked() {}
void telnet_dialog::readPendingDatagrams() {}
void telnet_dialog::on_pushButtonDetect_clicked() {}
