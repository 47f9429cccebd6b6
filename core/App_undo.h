// Taking back the last run from its record.
#pragma once

#include "App_runrecord.h"

#include <string>
#include <vector>

// What could not be taken back, each with why, newest change first; and
// those changes in the order they were made, for the record to keep.
struct TNotTakenBack {
    std::vector<std::string> Paths;
    std::vector<std::string> Reasons;
    std::vector<TRecordedChange> Left;
};

// Takes back the changes, the newest first. A moved source goes back to its
// old path when nothing stands there now and it is still, unchanged, in the
// directory the run made for it; a directory the run made goes when it is
// empty. Where the record knows what the run made and moved, only those very
// objects are acted on, never a namesake. Nothing is overwritten, deleted or touched otherwise. A source
// that never moved, or a directory that is gone already, needs nothing.
TNotTakenBack TakeBack(const std::vector<TRecordedChange>& changes);
