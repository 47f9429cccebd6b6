// The record of the last run that made something: every directory it made
// and every source it moved, so that the run can be taken back. A run writes
// its record as it goes, in a file of its own beside the record, which takes
// the record's place when the run ends; a run that was ended half-way leaves
// that file, which then counts as the last run's record. The record is text,
// one change a line, its fields separated by tabs, which no path holds:
//   D <tab> a directory the run made
//   M <tab> the source's last write time <tab> the source <tab> where it went
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TTextLog;

struct TRecordedChange {
    bool Move = false;
    // The directory made, or the source's path before the move.
    std::string Path;
    // Where the source went.
    std::string Target;
    std::uint64_t Time = 0;
};

// What one run writes into its record. The record's file is made with the
// first change, and replaces every earlier record then: only the last run's
// is kept.
class TRunRecord {
public:
    // fileName: the record's own file; the run's goes beside it.
    explicit TRunRecord(const std::string& fileName);
    // Puts the run's file in the record's place.
    ~TRunRecord();
    TRunRecord(const TRunRecord&) = delete;
    TRunRecord& operator=(const TRunRecord&) = delete;

    // Each is in the file when the call returns true; false when the record
    // cannot be written, which it then never is for the rest of the run.
    bool Directory(const std::string& path);
    bool Move(const std::string& source, const std::string& target, std::uint64_t time);

private:
    bool Write(const std::string& line);

    std::string FFileName;
    std::string FRunFileName;
    std::unique_ptr<TTextLog> FLog;
    bool FFailed = false;
};

// The changes of the last run's record, in the order they were made; none
// when there is no record. The record of a run that is still going does not
// count. EInOutError when the record cannot be read.
std::vector<TRecordedChange> ReadRunRecord(const std::string& fileName);
bool HasRunRecord(const std::string& fileName);
// Removes every record but those of runs still going.
void RemoveRunRecords(const std::string& fileName);
