#pragma once
// A prop plug-in that records the frames it is given.
#include <vector>

#include "core/social/prop_plugin.h"

namespace vask::test {

class RecordingPlugin : public NullPropPlugin {
 public:
  explicit RecordingPlugin(std::vector<Frame>* received) : received_(received) {}
  void Rec_MSG(Frame& msg) override { received_->push_back(msg); }

 private:
  std::vector<Frame>* received_;
};

// Makes the client's plug-in active with a recorder.
inline void ActivateRecordingPlugin(Client& c, std::vector<Frame>* received) {
  c.prop.PropObj = std::make_unique<RecordingPlugin>(received);
  c.prop.Prop_GameDllState = 1;
}

}  // namespace vask::test
