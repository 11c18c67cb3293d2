#include "tests/support/RecordingPacer.h"

#include <algorithm>

namespace quarten::test {

void RecordingPacer::Wait(int milliseconds) {
    waits_.push_back(milliseconds);
    if (clock_) clock_->Advance(std::int64_t{milliseconds} * 1000);
}

int RecordingPacer::CountOf(int milliseconds) const {
    return static_cast<int>(std::count(waits_.begin(), waits_.end(), milliseconds));
}

}  // namespace quarten::test
