#include "ui/audio_tone_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <numeric>

#pragma push_macro("slots")
#undef slots
#include "codes/tone_synthesizer.h"
#pragma pop_macro("slots")

namespace zelta::ui {
namespace {

// A device that never reports the end of a sound still lets the caller go
// this long after the sound should have ended.
constexpr int kGraceMs = 2000;
// A recorded sample is a few seconds at most.
constexpr int kLongestSampleMs = 30'000;

// Holds the caller while painting and timers go on; input waits.
void waitFor(QEventLoop& loop, int timeoutMs) {
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// Sets playing for the length of a scope.
class Playing {
 public:
  explicit Playing(bool& flag) : flag_(flag) { flag_ = true; }
  ~Playing() { flag_ = false; }
  Playing(const Playing&) = delete;
  Playing& operator=(const Playing&) = delete;

 private:
  bool& flag_;
};

}  // namespace

AudioToneOutput::AudioToneOutput(Notice notice) : notice_(std::move(notice)) {}

bool AudioToneOutput::deviceAvailable() {
  return !QMediaDevices::defaultAudioOutput().isNull();
}

void AudioToneOutput::noDevice() {
  if (told_) return;
  told_ = true;
  if (notice_) notice_(QString::fromLatin1(kNoAudioOutputText));
}

void AudioToneOutput::play(std::span<const codes::ToneStep> steps) {
  if (playing_ || steps.empty()) return;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) {
    noDevice();
    return;
  }
  QAudioFormat format;
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  format.setSampleRate(codes::PcmFormat{}.sampleRate);
  if (!device.isFormatSupported(format))
    format.setSampleRate(device.preferredFormat().sampleRate());
  if (!device.isFormatSupported(format) || format.sampleRate() <= 0) {
    noDevice();
    return;
  }

  codes::PcmFormat pcmFormat;
  pcmFormat.sampleRate = format.sampleRate();
  const std::vector<std::int16_t> pcm = codes::synthesizeTones(steps, pcmFormat);
  if (pcm.empty()) return;
  QByteArray bytes(reinterpret_cast<const char*>(pcm.data()),
                   static_cast<qsizetype>(pcm.size() * sizeof(std::int16_t)));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);

  const Playing playing(playing_);
  QAudioSink sink(device, format);
  QEventLoop loop;
  QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&loop](QAudio::State state) {
    if (state == QAudio::IdleState || state == QAudio::StoppedState) loop.quit();
  });
  sink.start(&buffer);
  if (sink.error() != QAudio::NoError || sink.state() == QAudio::StoppedState) {
    noDevice();
    return;
  }
  const int lengthMs = std::accumulate(
      steps.begin(), steps.end(), 0,
      [](int sum, const codes::ToneStep& step) { return sum + std::max(step.durationMs, 0); });
  waitFor(loop, lengthMs + kGraceMs);
  sink.stop();
}

void AudioToneOutput::playFile(const std::filesystem::path& file) {
  if (playing_) return;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) {
    noDevice();
    return;
  }
  const Playing playing(playing_);
  QSoundEffect effect;
  effect.setAudioDevice(device);
  QEventLoop loop;
  QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
    if (effect.status() == QSoundEffect::Ready) {
      effect.play();
    } else if (effect.status() == QSoundEffect::Error) {
      loop.quit();
    }
  });
  QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
    if (!effect.isPlaying()) loop.quit();
  });
  effect.setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  if (effect.status() == QSoundEffect::Ready) effect.play();
  if (effect.status() == QSoundEffect::Error) return;
  waitFor(loop, kLongestSampleMs);
  effect.stop();
}

}  // namespace zelta::ui
