// The response plot drawn on an offscreen 800 x 300 view: grid geometry,
// labels and the curve's segments and gaps.
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QtTest>

#include <cmath>

#include "plot/dsp.h"

namespace {

constexpr double eps = 1e-9; // scene coordinates are computed, not measured

QList<QGraphicsLineItem *> lines(QGraphicsScene &scene)
{
    QList<QGraphicsLineItem *> result;
    for (QGraphicsItem *item : scene.items(Qt::AscendingOrder))
        if (auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(item))
            result << line;
    return result;
}

QList<QGraphicsSimpleTextItem *> labels(QGraphicsScene &scene)
{
    QList<QGraphicsSimpleTextItem *> result;
    for (QGraphicsItem *item : scene.items(Qt::AscendingOrder))
        if (auto *text = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(item))
            result << text;
    return result;
}

QGraphicsSimpleTextItem *label(QGraphicsScene &scene, const QString &text)
{
    for (QGraphicsSimpleTextItem *item : labels(scene))
        if (item->text() == text)
            return item;
    return nullptr;
}

QGraphicsLineItem *segment(dsp &plot, int k)
{
    return static_cast<QGraphicsLineItem *>(plot.segmentItems[k]);
}

int drawnSegments(dsp &plot)
{
    int count = 0;
    for (QGraphicsItem *item : plot.segmentItems)
        count += item != nullptr;
    return count;
}

// The curve's frequency points, as the plot computes them.
std::vector<double> curveFrequencies()
{
    return biquad::logspace(33, 20000, 64);
}

} // namespace

class tst_dsp_plot : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scales();
    void gridCounts();
    void majorLinesAndLabels_data();
    void majorLinesAndLabels();
    void levelLabels_data();
    void levelLabels();
    void levelLinesSpanFullWidth();
    void flatCurve();
    void curveShape_data();
    void curveShape();
    void peakingCurve();
    void replotKeepsOneSet();
    void resizeWipesCurve();
    void tinyView();

private:
    QGraphicsView *view = nullptr;
    dsp *plot = nullptr;
};

void tst_dsp_plot::init()
{
    view = new QGraphicsView;
    view->resize(800, 300);
    plot = new dsp(view);
}

void tst_dsp_plot::cleanup()
{
    delete plot;
    plot = nullptr;
    delete view;
    view = nullptr;
}

void tst_dsp_plot::scales()
{
    QCOMPARE(plot->pixelsPerDb, 10.0);
    QCOMPARE(plot->plotWidth, 790.0);
    QCOMPARE(plot->logMinFrequency, std::log10(30.0));
    QVERIFY(std::abs(plot->logFrequencySpan - (std::log10(20000.0) - std::log10(30.0))) < 1e-15);
    QVERIFY(std::abs(plot->xOf(30)) < eps);
    QVERIFY(std::abs(plot->xOf(20000) - 790) < eps);
    QCOMPARE(view->scene(), &plot->scene);
}

void tst_dsp_plot::gridCounts()
{
    // 20 minor, 11 major, 4 level lines and the 0 dB line; 11 + 5 labels.
    QCOMPARE(lines(plot->scene).size(), 36);
    QCOMPARE(labels(plot->scene).size(), 16);
    QCOMPARE(drawnSegments(*plot), 0);

    int minor = 0;
    for (QGraphicsLineItem *line : lines(plot->scene)) {
        QCOMPARE(line->pen().width(), 1);
        QCOMPARE(line->pen().capStyle(), Qt::RoundCap);
        if (line->pen().color() == QColor(50, 50, 50) && line->line().dx() == 0) {
            ++minor;
            QCOMPARE(line->line().y1(), -150.0);
            QCOMPARE(line->line().y2(), 130.0);
        }
    }
    QCOMPARE(minor, 20);
    // The first minor line sits at 33 Hz, where the curve starts.
    QVERIFY(std::abs(lines(plot->scene).first()->line().x1() - plot->xOf(33)) < eps);
}

void tst_dsp_plot::majorLinesAndLabels_data()
{
    QTest::addColumn<double>("hertz");
    QTest::addColumn<QString>("text");
    const double hertz[] = {50, 100, 200, 300, 500, 1000, 2000, 3000, 5000, 10000, 20000};
    const char *texts[] = {"50", "100", "200", "300", "500", "1k", "2k", "3k", "5k", "10k", "20k"};
    for (int i = 0; i < 11; ++i)
        QTest::newRow(texts[i]) << hertz[i] << QString::fromLatin1(texts[i]);
}

void tst_dsp_plot::majorLinesAndLabels()
{
    QFETCH(double, hertz);
    QFETCH(QString, text);
    const double x = plot->xOf(hertz);

    QGraphicsLineItem *line = nullptr;
    for (QGraphicsLineItem *candidate : lines(plot->scene))
        if (candidate->pen().color() == QColor(125, 125, 125) && std::abs(candidate->line().x1() - x) < eps)
            line = candidate;
    QVERIFY(line);
    QVERIFY(std::abs(line->line().x2() - x) < eps);
    QCOMPARE(line->line().y1(), -150.0);
    QCOMPARE(line->line().y2(), 150.0);

    QGraphicsSimpleTextItem *item = label(plot->scene, text);
    QVERIFY(item);
    QCOMPARE(item->brush().color(), QColor(125, 125, 125));
    // Right edge of the text on the line, 13.3 dB below 0 (tolerance 1e-9 px).
    QVERIFY(std::abs(item->pos().x() + item->boundingRect().width() - x) < eps);
    QVERIFY(std::abs(item->pos().y() - 133.0) < eps);
    if (hertz == 20000)
        QVERIFY(std::abs(x - 790) < eps);
}

void tst_dsp_plot::levelLabels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("y");
    QTest::newRow("-5") << "-5" << 50.0;
    QTest::newRow("+5") << "+5" << -50.0;
    QTest::newRow("+10") << "+10" << -100.0;
    QTest::newRow("-10") << "-10" << 100.0;
    QTest::newRow("+15") << "+15" << -150.0;
}

void tst_dsp_plot::levelLabels()
{
    QFETCH(QString, text);
    QFETCH(double, y);
    QGraphicsSimpleTextItem *item = label(plot->scene, text);
    QVERIFY(item);
    QCOMPARE(item->pos(), QPointF(10, y));
    QCOMPARE(item->brush().color(), QColor(50, 50, 50));
    QVERIFY(!label(plot->scene, "0"));
    QVERIFY(!label(plot->scene, "-15"));
}

void tst_dsp_plot::levelLinesSpanFullWidth()
{
    QList<double> ys;
    for (QGraphicsLineItem *line : lines(plot->scene)) {
        if (line->line().dy() != 0)
            continue;
        QCOMPARE(line->line().x1(), 0.0);
        QCOMPARE(line->line().x2(), 800.0); // full view width, not the plot width
        ys << line->line().y1();
    }
    QCOMPARE(ys, (QList<double>{-50, 50, -100, 100, 0}));
}

void tst_dsp_plot::flatCurve()
{
    plot->combineAndPlot();
    QCOMPARE(drawnSegments(*plot), 63);
    QVERIFY(!plot->segmentItems[63]);
    QCOMPARE(lines(plot->scene).size(), 36 + 63);
    for (int k = 0; k < 63; ++k) {
        const QLineF line = segment(*plot, k)->line();
        QCOMPARE(line.y1(), 0.0);
        QCOMPARE(line.y2(), 0.0);
        if (k > 0) // segments join end to start
            QCOMPARE(line.p1(), segment(*plot, k - 1)->line().p2());
    }
    QVERIFY(std::abs(segment(*plot, 0)->line().x1() - plot->xOf(33)) < eps);
    QVERIFY(std::abs(segment(*plot, 62)->line().x2() - plot->xOf(20000)) < 1e-6);

    const QPen pen = segment(*plot, 0)->pen();
    QCOMPARE(pen.color(), QColor(0, 0, 255));
    QCOMPARE(pen.width(), 3);
    QCOMPARE(pen.capStyle(), Qt::SquareCap);
    QCOMPARE(pen.joinStyle(), Qt::RoundJoin);
    QCOMPARE(pen.style(), Qt::SolidLine);
}

// Which segments a setting leaves out: every segment with an end point between
// gapStartHz and gapEndHz is absent, every other one is drawn.
void tst_dsp_plot::curveShape_data()
{
    QTest::addColumn<QList<int>>("slotIndices");
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QList<int>>("frequencies");
    QTest::addColumn<QList<int>>("gains");
    QTest::addColumn<double>("gapStartHz"); // the first point that is off the band
    QTest::addColumn<double>("gapEndHz");   // the last one
    QTest::addColumn<double>("firstDb");    // level at 33 Hz
    QTest::addColumn<double>("toleranceDb");

    QTest::newRow("low-pass 40 Hz") << QList<int>{0} << QList<int>{3} << QList<int>{40} << QList<int>{0}
                                    << 85.0 << 20000.0 << -1.7 << 0.1;
    QTest::newRow("EQ bands 6 and 7 at +10") << QList<int>{5, 6} << QList<int>{5, 5} << QList<int>{1000, 2000}
                                             << QList<int>{10, 10} << 1000.0 << 2000.0 << 0.0 << 0.1;
    QTest::newRow("high-pass 20 kHz") << QList<int>{0} << QList<int>{1} << QList<int>{20000} << QList<int>{0}
                                      << 33.0 << 15000.0 << 0.0 << -1.0;
    QTest::newRow("low shelf -12 stays inside")
        << QList<int>{1} << QList<int>{4} << QList<int>{200} << QList<int>{-12} << 0.0 << 0.0 << -12.0 << 0.3;
}

void tst_dsp_plot::curveShape()
{
    QFETCH(QList<int>, slotIndices);
    QFETCH(QList<int>, types);
    QFETCH(QList<int>, frequencies);
    QFETCH(QList<int>, gains);
    QFETCH(double, gapStartHz);
    QFETCH(double, gapEndHz);
    QFETCH(double, firstDb);
    QFETCH(double, toleranceDb);

    for (int i = 0; i < slotIndices.size(); ++i)
        plot->setFilter(slotIndices[i], {quint8(types[i]), quint16(frequencies[i]), qint8(gains[i])});
    plot->combineAndPlot();

    const std::vector<double> f = curveFrequencies();
    bool sawGap = false;
    for (int k = 0; k < 63; ++k) {
        // A segment is left out when either end is off the band.
        const auto off = [&](double hertz) { return hertz >= gapStartHz && hertz <= gapEndHz; };
        const bool expectGap = off(f[size_t(k)]) || off(f[size_t(k + 1)]);
        QVERIFY2(
            (plot->segmentItems[k] == nullptr) == expectGap,
            qPrintable(
                QStringLiteral("segment %1 (%2..%3 Hz)").arg(k).arg(f[size_t(k)]).arg(f[size_t(k + 1)])));
        sawGap |= expectGap;
    }
    QCOMPARE(sawGap, gapStartHz > 0);
    if (toleranceDb >= 0 && plot->segmentItems[0]) {
        const double level = -segment(*plot, 0)->line().y1() / plot->pixelsPerDb;
        QVERIFY2(std::abs(level - firstDb) <= toleranceDb, qPrintable(QString::number(level)));
    }
}

void tst_dsp_plot::peakingCurve()
{
    plot->setFilter(5, {5, 1000, 10});
    plot->combineAndPlot();
    QCOMPARE(drawnSegments(*plot), 63);
    double top = 0;
    double topX = 0;
    for (int k = 0; k < 63; ++k) {
        const QLineF line = segment(*plot, k)->line();
        if (line.y1() < top) {
            top = line.y1();
            topX = line.x1();
        }
    }
    // Peak about 10 dB up (the grid points miss 1 kHz slightly: within 0.5 dB),
    // within one point's spacing of 1 kHz.
    QVERIFY2(std::abs(top + 100) < 5, qPrintable(QString::number(top)));
    QVERIFY(std::abs(topX - plot->xOf(1000)) < 790.0 / 63 * 1.1);
}

void tst_dsp_plot::replotKeepsOneSet()
{
    plot->setFilter(0, {5, 500, 6});
    plot->combineAndPlot();
    plot->combineAndPlot();
    QCOMPARE(lines(plot->scene).size(), 36 + 63);
    QSet<QGraphicsItem *> sceneItems;
    for (QGraphicsLineItem *line : lines(plot->scene))
        sceneItems << line;
    for (int k = 0; k < 63; ++k)
        QVERIFY(sceneItems.contains(plot->segmentItems[k]));

    // A gap appearing on the next call removes the old items too.
    plot->setFilter(0, {3, 40, 0});
    plot->combineAndPlot();
    QCOMPARE(lines(plot->scene).size(), 36 + drawnSegments(*plot));
    QCOMPARE(drawnSegments(*plot), 9);
}

void tst_dsp_plot::resizeWipesCurve()
{
    plot->combineAndPlot();
    view->resize(400, 200);
    plot->viewResized(view);
    QCOMPARE(drawnSegments(*plot), 0);
    QCOMPARE(lines(plot->scene).size(), 36);
    QCOMPARE(plot->pixelsPerDb, 6.0);
    QCOMPARE(plot->plotWidth, 390.0);
    plot->combineAndPlot();
    QCOMPARE(drawnSegments(*plot), 63);
    QVERIFY(std::abs(segment(*plot, 62)->line().x2() - 390) < 1e-6);
}

void tst_dsp_plot::tinyView()
{
    view->resize(800, 20);
    plot->viewResized(view);
    QCOMPARE(plot->pixelsPerDb, 0.0);
    plot->setFilter(0, {5, 1000, 10});
    plot->combineAndPlot();
    QCOMPARE(drawnSegments(*plot), 63);
    for (int k = 0; k < 63; ++k)
        QCOMPARE(segment(*plot, k)->line().y1() + 0.0, 0.0);
    QCOMPARE(label(plot->scene, "+15")->pos(), QPointF(10, 0));
}

QTEST_MAIN(tst_dsp_plot)
#include "tst_dsp_plot.moc"
