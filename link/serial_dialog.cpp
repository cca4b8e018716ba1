#include "link/serial_dialog.h"

serial_dialog::serial_dialog(QWidget *parent) : QDialog(parent), ui(nullptr) {}
serial_dialog::~serial_dialog() {}
void serial_dialog::on_pushButtonOk_clicked() {}
