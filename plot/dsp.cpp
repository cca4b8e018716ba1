#include "plot/dsp.h"

#include <QGraphicsView>

dsp::dsp(QGraphicsView *view)
{
    for (auto &item : segmentItems)
        item = nullptr;
    for (auto &slot : coefficients) {
        slot[0] = 1; slot[1] = 0; slot[2] = 0; slot[3] = 1; slot[4] = 0; slot[5] = 0;
    }
    view->setScene(&scene);
    viewResized(view);
}

dsp::~dsp() = default;

void dsp::viewResized(QGraphicsView *view)
{
    Q_UNUSED(view);
}

void dsp::combineAndPlot() {}

void dsp::setFilter(int index, dsp_setting_struct setting)
{
    Q_UNUSED(index);
    Q_UNUSED(setting);
}
