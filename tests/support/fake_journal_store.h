#pragma once

#include "console/call_entry.h"
#include "platform/journal_store.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

// Keeps the appended calls; appends can be made to fail, and the failures
// reach the journal when the test lets the event loop run.
class FakeJournalStore final : public JournalStore
{
public:
    void append(const CallEntry& entry) override
    {
        if (failWith) {
            pending.push_back({localTime(entry.endedMs).date(), *failWith});
            return;
        }
        entries.push_back(entry);
    }
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
        const auto failures = std::exchange(pending, {});
        for (const auto& [day, error] : failures)
            fail(day, error);
    }

    std::vector<CallEntry> entries;
    std::map<QDate, QByteArray> files; // what readDay finds
    std::optional<QString> failWith;
    std::vector<std::pair<QDate, QString>> pending;
};
