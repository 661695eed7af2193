// The program's single instance on Windows: the mutex and message-only window of
// TWindowsInstance, whose commands arrive through Qt's message loop on this thread.
#include "platform/single_instance.h"

#include "platform/windows/windows_instance.h"

namespace tapestro {

namespace {

class TMutexInstance final : public TSingleInstance {
 public:
  explicit TMutexInstance(const std::string& applicationId)
      : copy_(applicationId, [this](TInstanceCommand command) { emit CommandReceived(command); }) {}

  bool Claim() override { return copy_.Claim(); }
  bool Send(TInstanceCommand command) override { return copy_.Send(command); }

 private:
  TWindowsInstance copy_;
};

}  // namespace

std::unique_ptr<TSingleInstance> CreateSingleInstance(const std::string& applicationId) {
  return std::make_unique<TMutexInstance>(applicationId);
}

}  // namespace tapestro
