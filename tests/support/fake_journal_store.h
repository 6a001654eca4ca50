#pragma once

#include "console/call_entry.h"
#include "platform/journal_store.h"

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// Keeps the appended calls; writing can be made to fail, and the calls then
// wait, in order, for the next append, retry or finish that finds it working.
// Failures reach the journal when the test lets the event loop run.
class FakeJournalStore final : public JournalStore
{
public:
    void append(const CallEntry& entry) override
    {
        held.push_back(entry);
        tryWriting();
    }
    void retry() override
    {
        ++retries;
        tryWriting();
    }
    std::vector<CallEntry> finish() override
    {
        tryWriting();
        return held;
    }
    int dropped() const override { return 0; }
    std::optional<QByteArray> readDay(const QDate& day) override
    {
        const auto file = files.find(day);
        return file == files.end() ? std::nullopt : std::optional(file->second);
    }
    std::vector<QDate> days() override
    {
        std::vector<QDate> out;
        for (const auto& [day, file] : files)
            out.push_back(day);
        return out;
    }
    void deliverFailures()
    {
        const auto events = std::exchange(pending, {});
        for (const auto& event : events)
            event();
    }

    std::vector<CallEntry> entries; // written
    std::vector<CallEntry> held; // waiting for writing to work
    std::map<QDate, QByteArray> files; // what readDay finds
    std::optional<QString> failWith;
    int retries = 0;

private:
    void tryWriting()
    {
        if (held.empty())
            return;
        if (failWith) {
            holding_ = true;
            pending.push_back(
                [this, day = localTime(held.front().endedMs).date(), error = *failWith] { fail(day, error); });
            return;
        }
        entries.insert(entries.end(), held.begin(), held.end());
        held.clear();
        if (std::exchange(holding_, false))
            pending.push_back([this] { heldWritten(); });
    }

    std::vector<std::function<void()>> pending;
    bool holding_ = false;
};
