#include "plot/dsp.h"

#include "plot/response_scale.h"

#include <QBrush>
#include <QColor>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QPen>

#include <cmath>

namespace {

using namespace response_scale;

constexpr int curveSegments = curvePoints - 1;

} // namespace

dsp::dsp(QGraphicsView *view)
{
    for (auto &item : segmentItems)
        item = nullptr;
    // Every slot starts as bypass so that the first plot is the flat 0 dB line.
    for (auto &slot : coefficients)
        biquad::bypass(slot);
    // A handful of items replaced on every redraw: no spatial index to keep up.
    scene.setItemIndexMethod(QGraphicsScene::NoIndex);
    view->setScene(&scene);
    viewResized(view);
}

dsp::~dsp() = default;

double dsp::xOf(double hertz) const
{
    return (std::log10(hertz) - logMinFrequency) / logFrequencySpan * plotWidth;
}

void dsp::viewResized(QGraphicsView *view)
{
    const int width = view->width();
    const int height = view->height();

    scene.clear();
    for (auto &item : segmentItems)
        item = nullptr;

    pixelsPerDb = static_cast<double>(height / 30);
    logMinFrequency = 1.4771212547196624;  // log10(30)
    logFrequencySpan = 2.8239087409443187; // log10(20000) - log10(30)
    plotWidth = width - 10;

    const double s = pixelsPerDb;
    QPen pen(QBrush(minorGridColor), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    for (double hertz : minorLines)
        scene.addLine(xOf(hertz), -15 * s, xOf(hertz), 13 * s, pen);

    pen.setColor(majorGridColor);
    for (double hertz : majorLines) {
        const double x = xOf(hertz);
        scene.addLine(x, -15 * s, x, 15 * s, pen);
        QGraphicsSimpleTextItem *label = scene.addSimpleText(frequencyLabel(hertz));
        label->setBrush(QBrush(majorGridColor));
        label->setPos(x - label->boundingRect().width(), 13.3 * s);
    }

    pen.setColor(minorGridColor);
    for (double decibels : {5.0, -5.0, 10.0, -10.0})
        scene.addLine(0, yOf(decibels), width, yOf(decibels), pen);

    const struct {
        const char *text;
        double decibels;
    } levelLabels[] = {{"-5", -5}, {"+5", 5}, {"+10", 10}, {"-10", -10}, {"+15", 15}};
    for (const auto &level : levelLabels) {
        QGraphicsSimpleTextItem *label = scene.addSimpleText(QString::fromLatin1(level.text));
        label->setBrush(QBrush(minorGridColor));
        label->setPos(10, yOf(level.decibels));
    }

    pen.setColor(majorGridColor);
    scene.addLine(0, 0, width, 0, pen);
}

void dsp::combineAndPlot()
{
    const std::vector<double> frequencies = biquad::logspace(curveStartHz, curveEndHz, curvePoints);

    const std::vector<double> levels = biquad::combinedLevels(coefficients, frequencies);

    // A segment that stays drawn keeps its line item and only moves it;
    // removing and re-adding items costs the scene far more than the maths.
    const QPen pen(QBrush(Qt::blue), 3, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);
    for (int k = 0; k < curveSegments; ++k) {
        // Written as "not inside" so that a level that is not a number ends
        // the curve like an infinite one instead of drawing a stray line.
        const bool inside = std::abs(levels[k]) < curveLimitDb && std::abs(levels[k + 1]) < curveLimitDb;
        QGraphicsItem *&item = segmentItems[k];
        if (!inside) {
            if (item) {
                scene.removeItem(item);
                delete item;
                item = nullptr;
            }
            continue;
        }
        const QLineF line(xOf(frequencies[k]), yOf(levels[k]), xOf(frequencies[k + 1]), yOf(levels[k + 1]));
        if (item)
            static_cast<QGraphicsLineItem *>(item)->setLine(line);
        else
            item = scene.addLine(line, pen);
    }
}

void dsp::setFilter(int index, dsp_setting_struct setting)
{
    if (index < 0 || index > 9)
        return;
    biquad::design(setting, coefficients[index]);
}
