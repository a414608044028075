// Where a long transfer reports how far it has come. The GUI draws it as the
// "Progress" window, k470ctl as a line on the terminal, tests record it.
#pragma once

#include <string>

namespace k470 {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // A transfer starts: the window's text ("Downloading..." or "Uploading..."),
  // the bar's text and the range 0..maximum; the position is 0.
  virtual void Begin(const std::string& text, const std::string& bar_text, int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  // The transfer ended, successfully or not; the window goes away.
  virtual void End() = 0;
};

// Reports nothing.
class NullProgress : public ProgressSink {
 public:
  void Begin(const std::string&, const std::string&, int) override {}
  void SetPosition(int) override {}
  void End() override {}
};

}  // namespace k470
