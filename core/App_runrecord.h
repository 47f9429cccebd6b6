// The records of the runs that made something: every directory a run made
// and every source it moved, so that the run can be taken back. Each run
// keeps a record of its own in the program's records folder, which no other
// run replaces; the last 20 are kept, under names from Run01.txt to
// Run30.txt. A run writes its record as it goes and
// holds it open until it ends, and a run that was ended half-way leaves it
// whole up to its last line.
//
// A record is UTF-8, one change a line, its fields separated by tabs, which
// no path holds; each line ends with a checksum of what comes before it:
//   D <tab> volume <tab> file ID <tab> a directory the run made <tab> checksum
//   M <tab> time <tab> volume <tab> file ID <tab> the source <tab> where it went <tab> checksum
//   T <tab> volume <tab> file ID <tab> checksum: the object of the move before it, at its target
// The volume and file ID name the object itself, the directory made or the
// source moved; the time is the source's last write time. A file system may
// give a moved object another ID (FAT takes it from the entry's place), so
// the ID at the target follows the move. A record is read
// line by line, and the first line that is cut, fails its checksum or does
// not parse ends it: only the whole lines before it count.
#pragma once

#include "Tk_files.h"

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
    // The directory made, or the source moved (at its target once it moved).
    // The records of 2.1.0 name none: they take the identities of what stood
    // at the paths when they were taken over.
    TFileIdentity Identity;
};

// What one run writes into its record. The record is made with the first
// change, in folder; the records beyond the last 20 go only then.
class TRunRecord {
public:
    explicit TRunRecord(const std::string& folder);
    ~TRunRecord();
    TRunRecord(const TRunRecord&) = delete;
    TRunRecord& operator=(const TRunRecord&) = delete;

    // Each is in the file when the call returns true; false when the record
    // cannot be written, which it then never is for the rest of the run.
    // Each asks the file system for the identity of what it records: the
    // directory made, the source before its move.
    bool Directory(const std::string& path);
    bool Move(const std::string& source, const std::string& target, std::uint64_t time);
    // After the move: the identity of what now stands at its target, written
    // only where the move changed it.
    bool Moved(const std::string& target);

private:
    bool Write(const std::string& line);

    std::string FFolder;
    std::unique_ptr<TTextLog> FLog;
    // The directories made lie in few folders.
    TIdentityReader FMadeIdentities;
    TFileIdentity FMoved;
    bool FFailed = false;
};

// A finished run on record: its record's file, the time its last change was
// written, and its changes in the order they were made.
struct TRunOnRecord {
    std::string FileName;
    std::uint64_t Ended = 0;
    std::vector<TRecordedChange> Changes;
    // The record's file, which its name alone does not tell: a name is used
    // again once its record is gone.
    TFileIdentity File;
};

// The finished run whose record was written last; false when there is none.
// The record of a run that is still going does not count; that of a run that
// was killed does. EInOutError when the record cannot be read.
bool ReadNewestRun(const std::string& folder, TRunOnRecord& run);
bool HasRunRecord(const std::string& folder);
// Puts what is left of a run that was taken back in its record's place: the
// record then holds exactly those changes, with the run's own time, or goes
// when none are left. Only that record is touched, and only while it is
// there unchanged. EInOutError when it cannot be rewritten.
void KeepLeftOfRun(const TRunOnRecord& run, const std::vector<TRecordedChange>& left);
// Brings the records of 2.1.0, the file oldRecord and the runs' files beside
// it (its name with the run's process, ending in .tmp), into folder, each
// with its time; a file that cannot be brought over stays.
void AdoptOldRecords(const std::string& oldRecord, const std::string& folder);
