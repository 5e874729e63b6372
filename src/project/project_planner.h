// Planning a whole building: its sections side by side on a pool of threads,
// one section a thread at a time. The results are the same whatever thread
// planned what (each section's planning depends on the section alone), unless
// a section's time cap or the stop cuts its work short.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "project/project_input.h"
#include "project/project_result.h"

namespace yobina {

// Called from the planning threads, for several sections at once: an
// implementation locks what it shares. `section` indexes ProjectInput::Sections.
// SectionFinished sees a section's full result, which the building does not
// keep (put it in a SectionStore to read it later); an exception it throws
// ends the planning (the remaining sections are not started) and is thrown
// on by PlanProject. A section the stop skips is neither started nor finished.
class ProjectObserver {
 public:
  virtual ~ProjectObserver() = default;
  virtual void SectionStarted(size_t section) = 0;
  virtual void SectionFinished(size_t section, const SectionResult& result) = 0;
};

struct PlanningLimits {
  int32_t Threads = 0;                      // sections planned at once; 0: the machine's cores
  const std::atomic<bool>* Stop = nullptr;  // set by another thread: sections not done end as Stopped
};

// `input` must be Ready. Each section within input.Settings.SectionSeconds and
// input.Settings.MaxLengths; the largest sections start first. The result
// keeps each section's summary.
ProjectResult PlanProject(ProjectInput input, const PlanningLimits& limits, ProjectObserver& observer);

}  // namespace yobina
