// End to end over a real network link: the window connects to a TCP peer on
// the loopback address, every widget of the Source, Zone, Network/Misc,
// Groups, Favorites and Troubleshooting pages is driven once, and the peer
// receives each command byte for byte, with nothing added.
#include <QtTest>

#include <functional>
#include <memory>

#include "support/editor_test_helpers.h"

using namespace editortest;

namespace {

struct Edit {
    const char *name;
    std::function<void(zor_config &)> act;
    QByteArray expected;
};

template <typename W> W *w(zor_config &window, const char *name)
{
    return named<W>(window, QLatin1String(name));
}

void typeInto(zor_config &window, const char *field, const QString &text)
{
    retypeAndReturn(w<QLineEdit>(window, field), text);
}

void renameRow(QListView *view, int row, const QString &text)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->setCurrentIndex(index);
    view->edit(index);
    if (auto *editor = view->viewport()->findChild<QLineEdit *>()) {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        typeText(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
}

QByteArray resetSources()
{
    QByteArray bytes;
    for (int i = 1; i <= 16; ++i)
        bytes += "[CO" + QByteArray::number(i) + "I" + QByteArray::number(i) + "]";
    return bytes;
}

// In order: some edits rely on earlier ones (DHCP off enables the address
// fields, a trigger mode enables time and level, a selected row).
const QVector<Edit> &edits()
{
    static const QVector<Edit> table = {
        {"source name", [](zor_config &z) { typeInto(z, "lineEditSourceName_2", "Tuner"); },
         "[NI2\"Tuner\"]"},
        {"zone name", [](zor_config &z) { typeInto(z, "lineEditZoneName_9", "Patio"); }, "[NO9\"Patio\"]"},
        {"zone volume", [](zor_config &z) { drag(w<QSlider>(z, "sliderZoneVol_3"), {-35}); }, "[VO3R-35]"},
        {"zone mute", [](zor_config &z) { click(z, w<QCheckBox>(z, "checkBoxZoneMute_12")); }, "[VUMO12]"},
        {"zone fixed", [](zor_config &z) { click(z, w<QCheckBox>(z, "checkBoxZoneFix_6")); }, "[VO6F1]"},
        {"zone balance", [](zor_config &z) { w<QSpinBox>(z, "spinBoxZoneBal_2")->setValue(-10); },
         "[BO2L10]"},
        {"zone source", [](zor_config &z) { w<QComboBox>(z, "comboBoxZoneSource_10")->setCurrentIndex(15); },
         "[CO10I16]"},
        {"zone power", [](zor_config &z) { click(z, w<QCheckBox>(z, "checkBoxZonePower_4")); }, "[POFFO4]"},
        {"zone power-on volume", [](zor_config &z) { w<QSpinBox>(z, "spinBoxZonePOnVol_5")->setValue(-30); },
         "[VPONO5L-30]"},
        {"DHCP", [](zor_config &z) { click(z, z.ui->checkBoxNetworkDHCP); }, "[DHCP0]"},
        {"SDDP", [](zor_config &z) { click(z, z.ui->checkBoxNetworkSDDP); }, "[SDDP0]"},
        {"IP address", [](zor_config &z) { typeInto(z, "lineEditNetworkIP", "10.0.0.5"); }, "[IP10.0.0.5]"},
        {"network mask", [](zor_config &z) { typeInto(z, "lineEditNetworkMask", "255.255.0.0"); },
         "[NM255.255.0.0]"},
        {"gateway", [](zor_config &z) { typeInto(z, "lineEditNetworkGateway", "10.0.0.1"); }, "[GW10.0.0.1]"},
        {"commit", [](zor_config &z) { click(z, z.ui->pushButtonNetworkCommit); }, "[EC]"},
        {"brightness", [](zor_config &z) { drag(z.ui->sliderFPBrightness, {2}); }, "[SD1]"},
        {"sleep", [](zor_config &z) { drag(z.ui->sliderFPSleep, {2}); }, "[SLEEP2]"},
        {"IR disable", [](zor_config &z) { click(z, z.ui->checkBoxFPIR); }, "[IRL0]"},
        {"panel lock", [](zor_config &z) { click(z, z.ui->checkBoxFPLock); }, "[FPL1]"},
        {"serial responses", [](zor_config &z) { click(z, z.ui->checkBoxSerial); }, "[SERIAL1]"},
        {"trigger mode", [](zor_config &z) { z.ui->comboBoxTriggerMode->setCurrentIndex(1); }, "[TRIGMODE1]"},
        {"trigger time", [](zor_config &z) { drag(z.ui->sliderTriggerTime, {12}); }, "[TRIGTIME10]"},
        {"trigger level", [](zor_config &z) { drag(z.ui->sliderTriggerLevel, {120}); }, "[TRIGLEVEL120]"},
        {"group member",
         [](zor_config &z) {
             z.ui->listViewGroup->setCurrentIndex(z.groupNamesModel.index(2, 0));
             click(z, w<QCheckBox>(z, "checkBoxGroupZone_5"));
         },
         "[G3AO5]"},
        {"group name", [](zor_config &z) { renameRow(z.ui->listViewGroup, 0, "Upstairs"); },
         "[NG1\"Upstairs\"]"},
        {"favorite bypass",
         [](zor_config &z) {
             z.ui->listViewFavorites->setCurrentIndex(z.favoriteNamesModel.index(1, 0));
             click(z, w<QCheckBox>(z, "checkBoxFavoriteBypass_3"));
         },
         "[F2AO3I1]"},
        {"favorite source",
         [](zor_config &z) { w<QComboBox>(z, "comboBoxFavoriteSource_3")->setCurrentIndex(4); }, "[F2AO3I5]"},
        {"favorite name", [](zor_config &z) { renameRow(z.ui->listViewFavorites, 1, "Dinner"); },
         "[NF2\"Dinner\"]"},
        {"poll levels", [](zor_config &z) { click(z, z.ui->pushButtonPollOutputLevels); }, "[QOL]"},
        {"max all zones", [](zor_config &z) { click(z, z.ui->pushButtonMaxAllVolumes); }, "[VXR0]"},
        {"reset sources", [](zor_config &z) { click(z, z.ui->pushButtonSetOneToOne); }, resetSources()},
    };
    return table;
}

} // namespace

class tst_editors_loopback : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<zor_config> window;
    std::unique_ptr<LoopbackPeer> peer;

private slots:
    void initTestCase()
    {
        window = std::make_unique<zor_config>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        peer = std::make_unique<LoopbackPeer>();
        QVERIFY(peer->connectWindow(*window));
        QVERIFY(window->ui->actionTelnet->isChecked());
    }
    void cleanupTestCase()
    {
        window.reset();
        peer.reset();
    }

    void bytesOnTheWire_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < edits().size(); ++i)
            QTest::newRow(edits().at(i).name) << i;
    }

    void bytesOnTheWire()
    {
        QFETCH(int, row);
        const Edit &edit = edits().at(row);
        // Nothing may trail the previous edit's command.
        QCOMPARE(peer->bytes(), QByteArray());
        edit.act(*window);
        QTRY_COMPARE(peer->bytes(), edit.expected);
        peer->clear();
    }
};

QTEST_MAIN(tst_editors_loopback)
#include "tst_editors_loopback.moc"
