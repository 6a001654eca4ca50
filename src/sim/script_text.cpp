#include "sim/script_text.h"

#include "sim/text_lines.h"
#include "wire/frame_layout.h"

#include <cctype>

namespace
{

// Hexadecimal digits of `words` after the keyword, as bytes; nothing if they are not.
std::optional<QByteArray> hexBytes(const QList<QByteArray>& words)
{
    const QByteArray digits = words.mid(1).join();
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    }
    if (digits.size() % 2 != 0)
        return std::nullopt;
    return QByteArray::fromHex(digits);
}

std::optional<QString> readStep(std::vector<ScriptStep>& steps, const QList<QByteArray>& words)
{
    const QByteArray& keyword = words.first();
    if (keyword == "pause" && words.size() == 1) {
        steps.push_back(ScriptStep::pause());
        return std::nullopt;
    }
    const auto bytes = hexBytes(words);
    if (keyword == "frame" && bytes && bytes->size() == wire::StatusFrameLength) {
        steps.push_back(ScriptStep::frame(*bytes));
        return std::nullopt;
    }
    if (keyword == "garbage" && bytes && bytes->size() == 1) {
        steps.push_back(ScriptStep::garbage(static_cast<unsigned char>(bytes->at(0))));
        return std::nullopt;
    }
    return QStringLiteral("expected 'frame' and 50 hex digits, 'garbage' and 2 hex digits, or 'pause'");
}

} // namespace

std::optional<std::vector<ScriptStep>> parseScript(const QByteArray& text, QString* error)
{
    std::vector<ScriptStep> steps;
    if (!text_lines::forEachEntry(text, error, [&steps](const auto& words) { return readStep(steps, words); }))
        return std::nullopt;
    return steps;
}
