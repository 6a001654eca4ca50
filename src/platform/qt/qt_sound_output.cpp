#include "platform/qt/qt_sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>

// Stopped first: a sink destroyed while it plays may still feed its stream,
// already gone, from the events it handles on the way out, and abort.
QtSoundOutput::~QtSoundOutput()
{
    if (sink_)
        sink_->stop();
}

bool QtSoundOutput::prepare(const std::vector<std::int16_t>& samples)
{
    // Int16 samples in the machine's own byte order, as the sink takes them.
    pcm_ = QByteArray(reinterpret_cast<const char*>(samples.data()), qsizetype(samples.size() * sizeof(std::int16_t)));
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    buffer_.setData(pcm_);
    return true;
}

void QtSoundOutput::play()
{
    if (!sink_)
        return;
    sink_->stop();
    buffer_.close();
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
}
