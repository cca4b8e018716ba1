// Filter designs checked through their frequency response, each check with
// its own tolerance, and the slot table's handling of bad input.
#include <QGraphicsView>
#include <QtTest>

#include <cmath>
#include <cstring>

#include "plot/biquad.h"
#include "plot/dsp.h"

namespace {

using namespace biquad;

double magnitudeAt(const double *c, double hertz)
{
    return std::abs(response(c, normalizedAngularFrequency(hertz)));
}

double decibelsAt(const double *c, double hertz)
{
    return 20.0 * std::log10(magnitudeAt(c, hertz));
}

// Butterworth pass filters designed independently: the analog prototype
// 1/(s^2 + sqrt2 s + 1) (low-pass) or s^2/(s^2 + sqrt2 s + 1) (high-pass),
// prewarped with K = tan(w0/2) and mapped by the bilinear transform.
void bilinearButterworth(bool lowPass, double hertz, double *out)
{
    const double K = std::tan(normalizedAngularFrequency(hertz) / 2.0);
    const double root2 = std::sqrt(2.0);
    const double a0 = K * K + root2 * K + 1.0;
    out[A0] = 1.0;
    out[A1] = 2.0 * (K * K - 1.0) / a0;
    out[A2] = (K * K - root2 * K + 1.0) / a0;
    if (lowPass) {
        out[B0] = K * K / a0;
        out[B1] = 2.0 * K * K / a0;
        out[B2] = K * K / a0;
    } else {
        out[B0] = 1.0 / a0;
        out[B1] = -2.0 / a0;
        out[B2] = 1.0 / a0;
    }
}

bool sameSlots(const double (&a)[10][6], const double (&b)[10][6])
{
    return std::memcmp(a, b, sizeof a) == 0;
}

} // namespace

class tst_biquad : public QObject
{
    Q_OBJECT

private slots:
    void magnitude_data();
    void magnitude();
    void zeroGainIsUnity_data();
    void zeroGainIsUnity();
    void butterworthMatchesBilinear_data();
    void butterworthMatchesBilinear();
    void logspaceValues_data();
    void logspaceValues();
    void logspaceEmpty_data();
    void logspaceEmpty();
    void setFilterIgnoresBadInput_data();
    void setFilterIgnoresBadInput();
    void setFilterStoresDesign_data();
    void setFilterStoresDesign();
};

void tst_biquad::magnitude_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("gain");
    QTest::addColumn<double>("at");          // Hz
    QTest::addColumn<double>("expectedDb");  // level at that frequency
    QTest::addColumn<double>("toleranceDb"); // allowed deviation
    QTest::addColumn<bool>("zero");          // magnitude must be (numerically) 0 instead

    QTest::newRow("peaking 1k +10 at centre") << 5 << 1000 << 10 << 1000.0 << 10.0 << 1e-9 << false;
    QTest::newRow("peaking 1k -10 at centre") << 5 << 1000 << -10 << 1000.0 << -10.0 << 1e-9 << false;
    QTest::newRow("peaking 1k +10 far below") << 5 << 1000 << 10 << 20.0 << 0.0 << 0.05 << false;
    QTest::newRow("gain byte 0xF6 is -10 dB")
        << 5 << 1000 << int(qint8(quint8(0xF6))) << 1000.0 << -10.0 << 1e-9 << false;
    QTest::newRow("low-pass 100 at corner") << 3 << 100 << 0 << 100.0 << -3.0103 << 1e-4 << false;
    QTest::newRow("low-pass 100 passband") << 3 << 100 << 0 << 10.0 << 0.0 << 0.01 << false;
    QTest::newRow("low-pass 100 at Nyquist") << 3 << 100 << 0 << 24000.0 << 0.0 << 0.0 << true;
    QTest::newRow("high-pass 100 at corner") << 1 << 100 << 0 << 100.0 << -3.0103 << 1e-4 << false;
    QTest::newRow("high-pass 100 at DC") << 1 << 100 << 0 << 0.0 << 0.0 << 0.0 << true;
    QTest::newRow("high-pass 100 near Nyquist") << 1 << 100 << 0 << 24000.0 << 0.0 << 1e-3 << false;
    QTest::newRow("low shelf 200 +12 at corner") << 4 << 200 << 12 << 200.0 << 6.0 << 1e-9 << false;
    QTest::newRow("low shelf 200 +12 at 20 Hz") << 4 << 200 << 12 << 20.0 << 12.0 << 0.2 << false;
    QTest::newRow("low shelf 200 +12 treble flat") << 4 << 200 << 12 << 20000.0 << 0.0 << 0.05 << false;
    QTest::newRow("low shelf 200 -12 at 20 Hz") << 4 << 200 << -12 << 20.0 << -12.0 << 0.2 << false;
    QTest::newRow("high shelf 3000 +12 at corner") << 2 << 3000 << 12 << 3000.0 << 6.0 << 1e-9 << false;
    QTest::newRow("high shelf 3000 +12 at 20 kHz") << 2 << 3000 << 12 << 20000.0 << 12.0 << 0.2 << false;
    QTest::newRow("high shelf 3000 +12 bass flat") << 2 << 3000 << 12 << 20.0 << 0.0 << 0.05 << false;
    QTest::newRow("high shelf 3000 -12 at 20 kHz") << 2 << 3000 << -12 << 20000.0 << -12.0 << 0.2 << false;
    QTest::newRow("bypass") << 0 << 1000 << 10 << 1234.0 << 0.0 << 0.0 << false;
}

void tst_biquad::magnitude()
{
    QFETCH(int, type);
    QFETCH(int, frequency);
    QFETCH(int, gain);
    QFETCH(double, at);
    QFETCH(double, expectedDb);
    QFETCH(double, toleranceDb);
    QFETCH(bool, zero);

    double c[6];
    QVERIFY(design({quint8(type), quint16(frequency), qint8(gain)}, c));
    if (zero) {
        QVERIFY2(magnitudeAt(c, at) < 1e-12, qPrintable(QString::number(magnitudeAt(c, at))));
        return;
    }
    const double level = decibelsAt(c, at);
    QVERIFY2(
        std::abs(level - expectedDb) <= toleranceDb,
        qPrintable(QStringLiteral("level %1 dB, expected %2 dB").arg(level, 0, 'g', 12).arg(expectedDb)));
}

void tst_biquad::zeroGainIsUnity_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("frequency");
    for (int type : {2, 4, 5})
        for (int frequency : {32, 200, 3000, 16000})
            QTest::addRow("type %d at %d Hz", type, frequency) << type << frequency;
}

void tst_biquad::zeroGainIsUnity()
{
    QFETCH(int, type);
    QFETCH(int, frequency);
    double c[6];
    QVERIFY(design({quint8(type), quint16(frequency), 0}, c));
    // A = 1 makes numerator and denominator the same polynomial (tolerance 1e-15 absolute).
    QVERIFY(std::abs(c[B0] - c[A0]) < 1e-15);
    QVERIFY(std::abs(c[B1] - c[A1]) < 1e-15);
    QVERIFY(std::abs(c[B2] - c[A2]) < 1e-15);
    for (double at : {20.0, 1000.0, 20000.0})
        QVERIFY(std::abs(magnitudeAt(c, at) - 1.0) < 1e-12);
}

void tst_biquad::butterworthMatchesBilinear_data()
{
    QTest::addColumn<bool>("lowPass");
    QTest::addColumn<int>("frequency");
    for (int frequency : {20, 40, 100, 240, 1000, 5000, 12000, 20000, 23000}) {
        QTest::addRow("low-pass %d", frequency) << true << frequency;
        QTest::addRow("high-pass %d", frequency) << false << frequency;
    }
}

void tst_biquad::butterworthMatchesBilinear()
{
    QFETCH(bool, lowPass);
    QFETCH(int, frequency);
    double ours[6];
    double reference[6];
    if (lowPass)
        low_pass(quint16(frequency), ours);
    else
        high_pass(quint16(frequency), ours);
    bilinearButterworth(lowPass, frequency, reference);
    // The designs use sqrt2 as 1.414213562373095, one unit in the last place
    // off the exact double; the reference uses std::sqrt(2). The difference
    // stays far below the 1e-12 absolute tolerance on every coefficient.
    for (int i = 0; i < 6; ++i)
        QVERIFY2(std::abs(ours[i] - reference[i]) <= 1e-12,
                 qPrintable(QStringLiteral("coefficient %1: %2 vs %3")
                                .arg(i)
                                .arg(ours[i], 0, 'g', 17)
                                .arg(reference[i], 0, 'g', 17)));
}

void tst_biquad::logspaceValues_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<int>("count");
    QTest::newRow("curve points") << 33.0 << 20000.0 << 64;
    QTest::newRow("decade") << 10.0 << 100.0 << 11;
    QTest::newRow("falling") << 1000.0 << 10.0 << 3;
    QTest::newRow("two") << 30.0 << 20000.0 << 2;
    QTest::newRow("one") << 50.0 << 20000.0 << 1;
}

void tst_biquad::logspaceValues()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(int, count);
    const std::vector<double> values = logspace(start, end, count);
    QCOMPARE(int(values.size()), count);
    // Endpoints within 1e-12 relative (the offset is summed step by step).
    QVERIFY(std::abs(values.front() / start - 1.0) < 1e-12);
    if (count == 1)
        return;
    QVERIFY2(std::abs(values.back() / end - 1.0) < 1e-12,
             qPrintable(QString::number(values.back(), 'g', 17)));
    // Constant ratio between neighbours, within 1e-12 relative.
    const double ratio = std::pow(end / start, 1.0 / (count - 1));
    for (int i = 1; i < count; ++i)
        QVERIFY(std::abs(values[size_t(i)] / values[size_t(i - 1)] / ratio - 1.0) < 1e-12);
}

void tst_biquad::logspaceEmpty_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("zero") << 0;
    QTest::newRow("minus one") << -1;
    QTest::newRow("very negative") << -1000000;
}

void tst_biquad::logspaceEmpty()
{
    QFETCH(int, count);
    QVERIFY(logspace(33, 20000, count).empty());
}

void tst_biquad::setFilterIgnoresBadInput_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("type");
    QTest::newRow("index 10") << 10 << 5;
    QTest::newRow("index 64") << 64 << 5;
    QTest::newRow("index -1") << -1 << 5;
    QTest::newRow("index min") << std::numeric_limits<int>::min() << 1;
    QTest::newRow("type 6") << 0 << 6;
    QTest::newRow("type 255") << 9 << 255;
}

void tst_biquad::setFilterIgnoresBadInput()
{
    QFETCH(int, index);
    QFETCH(int, type);
    QGraphicsView view;
    dsp plot(&view);
    // Give every slot a distinct design first, so that any overwrite shows.
    for (int slot = 0; slot < 10; ++slot)
        plot.setFilter(slot, {5, quint16(100 * (slot + 1)), qint8(slot - 5)});
    double before[10][6];
    std::memcpy(before, plot.coefficients, sizeof before);

    plot.setFilter(index, {quint8(type), 1000, 6});
    QVERIFY(sameSlots(before, plot.coefficients));
}

void tst_biquad::setFilterStoresDesign_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("gain");
    QTest::newRow("bypass with frequency and gain") << 3 << 0 << 1000 << 10;
    QTest::newRow("peaking in slot 0") << 0 << 5 << 1000 << -7;
    QTest::newRow("low-pass in slot 9") << 9 << 3 << 240 << 0;
    QTest::newRow("high shelf in slot 4") << 4 << 2 << 3000 << 12;
}

void tst_biquad::setFilterStoresDesign()
{
    QFETCH(int, index);
    QFETCH(int, type);
    QFETCH(int, frequency);
    QFETCH(int, gain);
    QGraphicsView view;
    dsp plot(&view);
    for (int slot = 0; slot < 10; ++slot)
        plot.setFilter(slot, {4, 200, 3});
    double before[10][6];
    std::memcpy(before, plot.coefficients, sizeof before);

    const dsp_setting_struct setting{quint8(type), quint16(frequency), qint8(gain)};
    plot.setFilter(index, setting);
    double expected[6];
    QVERIFY(design(setting, expected));
    if (type == 0) {
        const double plain[6] = {1, 0, 0, 1, 0, 0};
        QVERIFY(std::memcmp(expected, plain, sizeof plain) == 0);
    }
    for (int slot = 0; slot < 10; ++slot) {
        const double *want = slot == index ? expected : before[slot];
        QVERIFY2(std::memcmp(plot.coefficients[slot], want, sizeof expected) == 0,
                 qPrintable(QStringLiteral("slot %1").arg(slot)));
    }
}

QTEST_MAIN(tst_biquad)
#include "tst_biquad.moc"
