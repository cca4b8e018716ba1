#include "link/console.h"

console::console(QWidget *parent) : QDialog(parent), ui(nullptr) {}
console::~console() {}
void console::inputReceiveData(QString data) { Q_UNUSED(data); }
void console::inputSentData(QString data) { Q_UNUSED(data); }
