#ifndef DSP_H
#define DSP_H

#include <QGraphicsScene>
#include <QVector>
#include <QtGlobal>

class QGraphicsView;
class QGraphicsItem;

// One filter setting handed to the plot.
struct dsp_setting_struct {
    quint8 type;        // 0 bypass, 1 high-pass, 2 high shelf, 3 low-pass, 4 low shelf, 5 peaking
    quint16 frequency;  // Hz
    qint8 gain;         // dB
};

// The frequency-response plot of the DSP page: owns the scene shown by the
// view, ten biquad slots and the curve's segments.
class dsp
{
public:
    explicit dsp(QGraphicsView *view);
    ~dsp();

    void viewResized(QGraphicsView *view);
    void combineAndPlot();
    void setFilter(int index, dsp_setting_struct setting);

    QGraphicsScene scene;
    QGraphicsItem *segmentItems[64];
    double pixelsPerDb = 0;
    double logMinFrequency = 0;
    double logFrequencySpan = 0;
    double plotWidth = 0;
    double coefficients[10][6];
};

#endif // DSP_H
