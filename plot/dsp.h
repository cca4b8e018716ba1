#ifndef DSP_H
#define DSP_H

#include <QGraphicsScene>
#include <QVector>
#include <QtGlobal>

#include <vector>

#include "plot/biquad.h"

class QGraphicsView;
class QGraphicsItem;

// The frequency-response plot of the DSP page: owns the scene shown by the
// view, ten biquad slots and the curve's segments. Scene coordinates put the
// 0 dB line at y = 0 and 30 Hz at x = 0; y grows downward.
class dsp
{
public:
    explicit dsp(QGraphicsView *view);
    ~dsp();

    // Clears the scene, takes the scales from the view's own size and draws
    // the grid and its labels. Leaves no curve.
    void viewResized(QGraphicsView *view);
    // Draws the combined response of the ten slots, replacing the curve.
    void combineAndPlot();
    // Designs one filter into slot index (0..9). Other indices and unknown
    // filter types are ignored.
    void setFilter(int index, dsp_setting_struct setting);

    // Scene x of a frequency in Hz and scene y of a level in dB.
    double xOf(double hertz) const;
    double yOf(double decibels) const { return -decibels * pixelsPerDb; }

    QGraphicsScene scene;
    QGraphicsItem *segmentItems[64];
    double pixelsPerDb = 0;
    double logMinFrequency = 0;
    double logFrequencySpan = 0;
    double plotWidth = 0;
    double coefficients[10][6];
};

#endif // DSP_H
