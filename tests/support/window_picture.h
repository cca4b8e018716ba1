#ifndef WINDOW_PICTURE_H
#define WINDOW_PICTURE_H

// A full picture of the main window as text, to tell exactly what an
// operation changed: every named widget's value, text, check state, own
// enabled state and current row, the settings state, the name models and the
// plot's filter slots, one "key" -> "value" entry each.

#include <QMap>
#include <QString>

class zor_config;

using Picture = QMap<QString, QString>;

Picture pictureOf(zor_config &window);

// "key=value" for every entry that differs from `before`, sorted, one a line.
QString changes(const Picture &before, const Picture &after);

// The six coefficients of one filter slot as text.
QString coefficientsText(const double *coefficients);

#endif // WINDOW_PICTURE_H
