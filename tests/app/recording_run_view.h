// A run view that keeps what the Run showed.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/run_command.h"

namespace yobina::test {

class RecordingRunView : public RunView {
 public:
  void SetLossLabels(const std::string& lbZhi, const std::string& lbZhiMin) override {
    LossLabels.emplace_back(lbZhi, lbZhiMin);
  }
  void SetTrialLabel(const std::string& lbZhi) override { TrialLabels.push_back(lbZhi); }
  void ProcessEvents() override { ++EventsProcessed; }

  std::vector<std::pair<std::string, std::string>> LossLabels;
  std::vector<std::string> TrialLabels;
  int EventsProcessed = 0;
};

}  // namespace yobina::test
