// Decoding speed of reply lines, on the mix a unit sends: the answer to a
// full query followed by output level polls. The baseline tries every reply
// expression in turn, without the decoder's prefilter; compare the two
// medians of one run.

#include <benchmark/benchmark.h>

#include "protocol/core/reply_decoder.h"
#include "sim/unit_state.h"

#include <QRegularExpression>
#include <QVector>

namespace {

QList<QByteArray> realisticMix()
{
    UnitState unit;
    QList<QByteArray> lines = unit.dump();
    for (int poll = 0; poll < 10; ++poll)
        lines += unit.outputLevels();
    return lines;
}

int plainRow(const QString &line)
{
    static const QVector<QRegularExpression> expressions = [] {
        QVector<QRegularExpression> list;
        for (int row = 1; row <= protocol::ReplyRowCount; ++row) {
            list.append(QRegularExpression(
                QString::fromLatin1(protocol::definition(protocol::messageOfRow(row)).reply)));
            list.last().optimize();
        }
        return list;
    }();
    for (int row = 1; row <= protocol::ReplyRowCount; ++row) {
        if (expressions[row - 1].match(line).hasMatch())
            return row;
    }
    return 0;
}

void BM_DecodeReply(benchmark::State &state)
{
    const QList<QByteArray> lines = realisticMix();
    for (auto _ : state) {
        for (const QByteArray &line : lines)
            benchmark::DoNotOptimize(protocol::decodeReply(line).row);
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_DecodeReply)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PlainInOrderSearch(benchmark::State &state)
{
    const QList<QByteArray> lines = realisticMix();
    for (auto _ : state) {
        for (const QByteArray &line : lines)
            benchmark::DoNotOptimize(plainRow(QString::fromUtf8(line)));
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_PlainInOrderSearch)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
