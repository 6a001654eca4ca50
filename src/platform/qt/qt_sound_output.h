#pragma once

#include "platform/sound_output.h"

#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>

#include <memory>

// The alert sound on the default audio output (16-bit mono, 44100/s). With
// no output device, or one that cannot take the format, no sink is made and
// playing does nothing.
class QtSoundOutput final : public SoundOutput
{
public:
    ~QtSoundOutput() override;
    bool prepare(const std::vector<std::int16_t>& samples) override;
    void play() override;
    bool hasSink() const { return sink_ != nullptr; }

private:
    QByteArray pcm_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};
