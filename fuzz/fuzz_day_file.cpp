// The day-file reader fed arbitrary files: it never crashes, every row it
// takes is written back as a row it reads again to the same call, and the day
// it makes of them keeps its list and its figures in step. The same row, not
// the same instant: a local time in the hour the clocks repeat names two.
#include "console/call_day.h"
#include "console/journal_csv.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace
{

// Fails loudly, naming the broken rule, so that libFuzzer records the input.
void require(bool condition, const char* rule)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
}

std::pair<std::vector<CallEntry>, int> readAll(const QByteArray& file)
{
    std::vector<CallEntry> calls;
    const int unreadable = journal_csv::read(file, [&calls](CallEntry&& call) { calls.push_back(std::move(call)); });
    return {std::move(calls), unreadable};
}

QByteArray written(const std::vector<CallEntry>& calls)
{
    QByteArray file = journal_csv::header();
    for (const CallEntry& call : calls)
        file += journal_csv::row(call);
    return file;
}

// The day the first call ended, so that most inputs with a call fill a day.
void checkDay(const std::vector<CallEntry>& calls, const QByteArray& file)
{
    if (calls.empty())
        return;
    const CallDay day = CallDay::read(localTime(calls.front().endedMs).date(), file);
    const auto& figures = day.figures();
    require(day.calls().size() + day.dropped() == std::size_t(figures.calls()),
        "the list and the figures count the same calls");
    require(day.calls().size() <= CallDay::KeptCalls, "the list is capped");
    require(day.notCalledBack() >= 0 && day.notCalledBack() <= figures.byOutcome().missed,
        "callbacks mark missed calls only");
    const int byHour = std::accumulate(figures.hours().begin(), figures.hours().end(), 0,
        [](int sum, const HourCalls& hour) { return sum + hour.total(); });
    require(byHour == figures.calls(), "every call is in an hour");
    for (const CallEntry& call : day.calls())
        require(day.contains(call.endedMs) && call.kind != CallKind::Callback, "the day lists its own calls");
}

} // namespace

// A zone whose clocks change at midnight, so that days of 23 and 25 hours and
// local times that do not exist are met.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "America/Santiago", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<CallEntry> calls = readAll(file).first;
    const QByteArray rows = written(calls);
    const auto [again, unreadableAgain] = readAll(rows);
    require(unreadableAgain == 0 && written(again) == rows, "written calls read back the same");
    checkDay(calls, file);
    return 0;
}
