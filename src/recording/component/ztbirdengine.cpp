#include "recording/component/ztbirdengine.h"

#include <map>
#include <vector>

#include "platform/clock.h"
#include "recording/component/audio_devices.h"
#include "recording/component/channel_runtime.h"
#include "recording/component/device_streams.h"
#include "recording/component/recording_worker.h"
#include "recording/component/ztbird.h"

using namespace tirra::rec;

// Everything that exists only while the engine runs. Destroyed in reverse order: the
// worker first (it finishes the files), then the streams, then PortAudio's session.
struct TztBirdEngine::Running {
  std::unique_ptr<AudioSession> session;
  std::vector<std::unique_ptr<ChannelRuntime>> runtimes;
  std::vector<std::unique_ptr<InputStream>> inputs;
  std::vector<std::unique_ptr<OutputStream>> outputs;
  std::unique_ptr<RecordingWorker> worker;

  ~Running() {
    worker.reset();
    inputs.clear();
    outputs.clear();
  }
};

TztBirdEngine::TztBirdEngine(QWidget* parent) : QWidget(parent) {}

TztBirdEngine::~TztBirdEngine() {
  StopEngine();
  for (TztBird* b : birds_) b->engine_ = nullptr;
}

void TztBirdEngine::addBird(TztBird* bird) {
  if (!bird || birds_.contains(bird)) return;
  if (running_) StopEngine();  // the running set of channels is fixed at start
  birds_.append(bird);
  bird->engine_ = this;
}

void TztBirdEngine::birdDestroyed(TztBird* bird) {
  if (running_) StopEngine();
  birds_.removeAll(bird);
}

namespace {

struct DeviceUse {
  std::vector<std::pair<ChannelRuntime*, int>> members;  // channel and its input/output
  bool anyActive = false;
};

// Why a bird records nothing is its input description and the message on its view.
void refuseInput(TztBird* bird, bool active, const QString& why, const QString& message = {}) {
  bird->SetStringValue(6, why);
  if (active) bird->setViewMessage(message.isEmpty() ? why : message);
}

}  // namespace

long TztBirdEngine::StartEngine() {
  if (running_) return 1;
  auto run = std::make_unique<Running>();
  run->session = std::make_unique<AudioSession>();
  const QList<AudioDevice> devices = run->session->devices();
  const QString unavailable =
      run->session->ok() ? QString()
                         : QStringLiteral("invalid: the sound system cannot start (%1)").arg(run->session->error());

  std::map<int, DeviceUse> inputUse, outputUse;
  for (TztBird* bird : birds_) {
    run->runtimes.push_back(std::make_unique<ChannelRuntime>(bird));
    ChannelRuntime* rt = run->runtimes.back().get();
    const bool active = bird->recorderSettings().active;
    bird->setViewMessage(QString());

    const QString inModule = bird->GetStringValue(9), inDevice = bird->GetStringValue(10);
    const std::int32_t inChannel = bird->GetLongValue(21);
    QString why = unavailable.isEmpty() || isUnsetId(inDevice)
                      ? unusableInputReason(devices, inModule, inDevice, inChannel)
                      : unavailable;
    if (!why.isEmpty()) {
      refuseInput(bird, active, why);
    } else {
      bird->SetStringValue(6, inputDescription(inModule, inDevice, inChannel));
      DeviceUse& use = inputUse[findDevice(devices, inModule, inDevice)->index];
      use.members.emplace_back(rt, inChannel);
      use.anyActive |= active;
    }

    const QString outModule = bird->GetStringValue(11), outDevice = bird->GetStringValue(12);
    const std::int32_t outChannel = bird->GetLongValue(27);
    if (!isUnsetId(outDevice)) {
      const QString outWhy = unavailable.isEmpty() ? unusableOutputReason(devices, outModule, outDevice, outChannel)
                                                   : unavailable;
      if (!outWhy.isEmpty()) {
        bird->SetStringValue(7, outWhy);
      } else {
        bird->SetStringValue(7, outputDescription(outModule, outDevice, outChannel));
        DeviceUse& use = outputUse[findDevice(devices, outModule, outDevice)->index];
        use.members.emplace_back(rt, outChannel);
      }
    }
  }

  // One input stream per device that an active bird listens to. Inactive birds on the
  // same device are fed too, so that they can be switched on while the engine runs.
  for (auto& [device, use] : inputUse) {
    if (!use.anyActive) continue;
    int channels = 1;
    std::vector<InputStream::Route> routes;
    for (auto& [rt, ch] : use.members) {
      channels = std::max(channels, ch + 1);
      routes.push_back({&rt->input, ch});
    }
    auto stream = std::make_unique<InputStream>(device, channels, std::move(routes));
    QString error = stream->open();
    if (error.isEmpty()) error = stream->start();
    if (!error.isEmpty()) {
      const QString label = findDevice(devices, use.members.front().first->bird->GetStringValue(9),
                                       use.members.front().first->bird->GetStringValue(10))->label();
      for (auto& [rt, ch] : use.members)
        refuseInput(rt->bird, rt->bird->recorderSettings().active,
                    QStringLiteral("invalid: %1 cannot record (%2)").arg(label, error));
      continue;
    }
    for (auto& [rt, ch] : use.members) rt->hasInput = true;
    run->inputs.push_back(std::move(stream));
  }

  // One output stream per device that plays for some bird; it runs only while playing.
  for (auto& [device, use] : outputUse) {
    int channels = 1;
    std::vector<OutputStream::Route> routes;
    for (auto& [rt, ch] : use.members) {
      channels = std::max(channels, ch + 1);
      routes.push_back({&rt->playback, ch});
    }
    auto stream = std::make_unique<OutputStream>(device, channels, std::move(routes));
    const QString error = stream->open();
    if (!error.isEmpty()) {
      for (auto& [rt, ch] : use.members)
        rt->bird->SetStringValue(7, QStringLiteral("invalid: the output cannot open (%1)").arg(error));
      continue;
    }
    for (auto& [rt, ch] : use.members) rt->outputStream = static_cast<int>(run->outputs.size());
    run->outputs.push_back(std::move(stream));
  }

  // The birds' values at start, then the worker.
  std::vector<ChannelRuntime*> channels;
  for (std::size_t i = 0; i < run->runtimes.size(); ++i) {
    ChannelRuntime* rt = run->runtimes[i].get();
    TztBird* bird = rt->bird;
    rt->post(bird->configurationCommand());
    if (bird->GetLongValue(10) != 0) {
      ChannelCommand c;
      c.kind = ChannelCommand::Kind::Suspend;
      c.value = 1;
      rt->post(std::move(c));
    }
    channels.push_back(rt);
  }
  std::vector<InputStream*> inputs;
  for (auto& s : run->inputs) inputs.push_back(s.get());
  std::vector<OutputStream*> outputs;
  for (auto& s : run->outputs) outputs.push_back(s.get());
  run->worker = std::make_unique<RecordingWorker>(channels, inputs, outputs, tirra::now());
  run->worker->start();

  for (auto& rt : run->runtimes) rt->bird->attachRuntime(rt.get());
  run_ = std::move(run);
  running_ = true;
  return 0;
}

long TztBirdEngine::StopEngine() {
  if (!running_) return 0;
  running_ = false;
  // The worker stops the inputs, writes what they delivered and closes every file.
  run_->worker->stop();
  for (auto& rt : run_->runtimes) rt->bird->detachRuntime();
  run_.reset();
  return 0;
}
