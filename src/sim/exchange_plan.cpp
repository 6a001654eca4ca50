#include "sim/exchange_plan.h"

#include "sim/text_lines.h"
#include "wire/digit_codes.h"
#include "wire/frame_layout.h"

namespace
{

constexpr unsigned char NoSlot = 0xFF;
constexpr unsigned char Unused = 0xFF;
constexpr int NumberingRecords = wire::NumberingTableLength / wire::NumberingRecordLength;

std::optional<QString> readEntry(ExchangePlan& plan, const QList<QByteArray>& words)
{
    const QByteArray& keyword = words.first();
    if (keyword == "console" && words.size() == 2) {
        auto slot = text_lines::numberIn(words[1], 1, ExchangePlan::Slots);
        if (!slot)
            return QStringLiteral("console slot must be 1-19");
        plan.consoleSlot = *slot;
        return std::nullopt;
    }
    if (keyword == "extension" && words.size() == 3) {
        auto slot = text_lines::numberIn(words[1], 1, ExchangePlan::Slots);
        const QString number = QString::fromLatin1(words[2]);
        if (!slot || !wire::extensionBytes(number))
            return QStringLiteral("extension needs a slot 1-19 and a number of 1-3 characters 0-9 * # D E");
        plan.extensions[*slot - 1] = number;
        return std::nullopt;
    }
    if (keyword == "memory" && words.size() == 3) {
        auto memory = text_lines::numberIn(words[1], 1, ExchangePlan::Memories);
        const QString number = QString::fromLatin1(words[2]);
        if (!memory || !wire::memoryBytes(number))
            return QStringLiteral("memory needs a memory 1-74 and up to 14 characters 0-9 * # D E");
        plan.memories[*memory - 1] = number;
        return std::nullopt;
    }
    return QStringLiteral("expected 'extension SLOT NUMBER', 'memory M NUMBER' or 'console SLOT'");
}

} // namespace

ExchangePlan ExchangePlan::builtIn()
{
    ExchangePlan plan;
    const char* numbers[] = {"11", "12", "13", "14", "15", "16", "17", "18", "19", "21", "22", "23", "24", "25", "26",
        "27", "10", "20", "9"};
    for (int slot = 0; slot < Slots; ++slot)
        plan.extensions[slot] = QString::fromLatin1(numbers[slot]);
    const std::pair<int, const char*> memories[] = {{1, "0114316000"}, {2, "0800222333"}, {3, "4822100"}, {4, "*21#"},
        {5, "00349155512345"}, {12, "4801234"}, {20, "0351423000"}, {74, "107"}};
    for (const auto& [memory, number] : memories)
        plan.memories[memory - 1] = QString::fromLatin1(number);
    return plan;
}

std::optional<ExchangePlan> ExchangePlan::parse(const QByteArray& text, QString* error)
{
    ExchangePlan plan;
    if (!text_lines::forEachEntry(text, error, [&plan](const auto& words) { return readEntry(plan, words); }))
        return std::nullopt;
    return plan;
}

QByteArray ExchangePlan::numberingTable() const
{
    QByteArray table;
    table.reserve(wire::NumberingTableLength);
    for (int record = 0; record < NumberingRecords; ++record) {
        const auto bytes = record < Slots ? wire::extensionBytes(extensions[record]) : std::nullopt;
        const char entry[]
            = {char(bytes ? (*bytes)[0] : 0), char(bytes ? (*bytes)[1] : 0), char(bytes ? record + 1 : NoSlot), 0};
        table.append(entry, sizeof entry);
    }
    return table;
}

QByteArray ExchangePlan::directoryBlock() const
{
    // The exchange's own data, which the console skips: here every byte value
    // in turn, so that a line which is not transparent to all of them shows.
    QByteArray block;
    block.reserve(wire::DirectoryBlockLength);
    for (int i = 0; i < wire::DirectoryDiscardLength; ++i)
        block.append(char(i % 256));
    for (int memory = 1; memory <= Memories; ++memory) {
        block.append(char(memory));
        const auto bytes = wire::memoryBytes(memories[memory - 1]);
        for (int i = 0; i < 7; ++i)
            block.append(char(bytes ? (*bytes)[i] : Unused));
    }
    return block;
}

bool ExchangePlan::memoryHasNumber(int memory) const
{
    return memory >= 1 && memory <= Memories && !memories[memory - 1].isEmpty();
}
