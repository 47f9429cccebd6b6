#include "App_runrecord.h"

#include "Tk_exceptions.h"
#include "Tk_format.h"
#include "Tk_lock.h"
#include "Tk_paths.h"
#include "Tk_strings.h"
#include "Tk_textfiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace {

const size_t KeptRuns = 20;
// The records have names of their own, Run01.txt to Run30.txt, which the
// uninstall can name: room for the runs kept and for ten more going at once.
const int RecordNames = 30;
const char* const RecordPattern = "Run??.txt";

// The lock of one records folder, which every program in the same folder
// takes before it replaces or removes a record there. Named after the folder
// that holds it, by its identity where it has one: a short or a network form
// of its path names the same lock.
std::string LockName(const std::string& folder)
{
    TFileIdentity identity;
    if (GetFileIdentity(ExtractFileDir(folder), identity))
        return Format("Tesselo.Records.%08X.%016llX", identity.Volume, static_cast<unsigned long long>(identity.File));
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : FileNameKey(folder))
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    return Format("Tesselo.Records.%016llX", static_cast<unsigned long long>(hash));
}

std::uint32_t Crc32(const std::string& text)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : text) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string WithChecksum(const std::string& fields)
{
    return fields + Format("\t%08x", Crc32(fields));
}

std::string LineOf(const TRecordedChange& change)
{
    const std::string identity = Format("%x\t%llx", change.Identity.Volume,
                                        static_cast<unsigned long long>(change.Identity.File));
    if (!change.Move)
        return WithChecksum("D\t" + identity + "\t" + AnsiToUtf8(change.Path));
    return WithChecksum(Format("M\t%llu\t", static_cast<unsigned long long>(change.Time)) + identity + "\t"
                        + AnsiToUtf8(change.Path) + "\t" + AnsiToUtf8(change.Target));
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

bool Number(const std::string& text, int base, std::uint64_t& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, base);
    return *end == '\0' && text[0] != '-' && text[0] != '+' && text[0] != ' ';
}

bool PathField(const std::string& utf8, std::string& path)
{
    return !utf8.empty() && Utf8ToAnsi(utf8, path);
}

bool IdentityFields(const std::string& volume, const std::string& file, TFileIdentity& identity)
{
    std::uint64_t serial = 0;
    if (!Number(volume, 16, serial) || serial > 0xFFFFFFFFu || !Number(file, 16, identity.File))
        return false;
    identity.Volume = static_cast<std::uint32_t>(serial);
    return true;
}

// A whole line, checked: false for anything else.
bool ParseLine(const std::string& line, TRecordedChange& change)
{
    const size_t tab = line.rfind('\t');
    if (tab == std::string::npos || line.compare(tab + 1, std::string::npos, Format("%08x", Crc32(line.substr(0, tab))))
        != 0)
        return false;
    const std::vector<std::string> fields = Fields(line.substr(0, tab));
    if (fields.size() == 3 && fields[0] == "T")
        return IdentityFields(fields[1], fields[2], change.Identity);
    if (fields.size() == 4 && fields[0] == "D")
        return IdentityFields(fields[1], fields[2], change.Identity) && PathField(fields[3], change.Path);
    change.Move = true;
    return fields.size() == 6 && fields[0] == "M" && Number(fields[1], 10, change.Time)
        && IdentityFields(fields[2], fields[3], change.Identity) && PathField(fields[4], change.Path)
        && PathField(fields[5], change.Target);
}

// The whole lines of a record, up to the first that is not.
std::vector<TRecordedChange> ParseRecord(const std::string& content)
{
    std::vector<TRecordedChange> changes;
    for (size_t start = 0, end; start < content.size(); start = end + 2) {
        end = content.find("\r\n", start);
        const std::string line = content.substr(start, end == std::string::npos ? end : end - start);
        TRecordedChange change;
        if (end == std::string::npos || line.find('\0') != std::string::npos || !ParseLine(line, change))
            break;
        // The identity at the target, which belongs to the move before it.
        if (line[0] == 'T') {
            if (changes.empty() || !changes.back().Move)
                break;
            changes.back().Identity = change.Identity;
            continue;
        }
        changes.push_back(change);
    }
    return changes;
}

struct TRecordFile {
    std::string Path;
    std::uint64_t Time = 0;
};

// The records of finished runs, the newest first; not those of runs still
// going, which hold theirs open. Their times come with the folder's listing,
// which is up to date for a file that nobody holds open: every run asks
// this at its first change, and one look-up per record would cost as much
// again.
std::vector<TRecordFile> FinishedRecords(const std::string& folder)
{
    std::vector<TRecordFile> files;
    for (const TFoundFile& found : MatchingFiles(folder, RecordPattern)) {
        TRecordFile file{IncludeTrailingPathDelimiter(folder) + found.Name, found.LastWriteTime};
        if (!IsHeldOpen(file.Path))
            files.push_back(file);
    }
    std::sort(files.begin(), files.end(), [](const TRecordFile& a, const TRecordFile& b) {
        return a.Time != b.Time ? a.Time > b.Time : a.Path > b.Path;
    });
    return files;
}

// A name that no record has, or "" when all are taken; under the lock, so
// that no other run takes it meanwhile.
std::string FreeRecordName(const std::string& folder)
{
    for (int number = 1; number <= RecordNames; ++number) {
        const std::string name = IncludeTrailingPathDelimiter(folder) + Format("Run%02d.txt", number);
        if (GetPathKind(name) == pkNothing)
            return name;
    }
    return std::string();
}

std::string RecordText(const std::vector<TRecordedChange>& changes)
{
    std::string text;
    for (const TRecordedChange& change : changes)
        text += LineOf(change) + "\r\n";
    return text;
}

// 2.1.0's record: the program's text, a change a line, without identities.
// Each change takes the identity of what stands at its path now: the
// directory, or the moved source at its target; nothing there, none.
std::vector<TRecordedChange> ReadOldRecord(const std::string& fileName)
{
    std::vector<TRecordedChange> changes;
    std::string text;
    if (!ReadTextFile(fileName, text))
        return changes;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::vector<std::string> fields = Fields(text.substr(start, end - start));
        TRecordedChange change;
        if (fields.size() == 2 && fields[0] == "D" && !fields[1].empty()) {
            change.Path = fields[1];
        } else if (fields.size() == 4 && fields[0] == "M" && Number(fields[1], 10, change.Time) && !fields[2].empty()
                   && !fields[3].empty()) {
            change.Move = true;
            change.Path = fields[2];
            change.Target = fields[3];
        } else {
            break;
        }
        GetFileIdentity(change.Move ? change.Target : change.Path, change.Identity);
        changes.push_back(change);
    }
    return changes;
}

}

TRunRecord::TRunRecord(const std::string& folder) : FFolder(folder)
{
}

TRunRecord::~TRunRecord()
{
    if (!FLog)
        return;
    try {
        FLog->Close();
    } catch (const Exception&) {
        // What was appended is in the file all the same.
    }
}

bool TRunRecord::Directory(const std::string& path)
{
    TRecordedChange change;
    change.Path = path;
    // A directory left out of the record would keep every move into it from
    // being taken back: so nothing more is recorded, and nothing moved.
    if (!FFailed && !FMadeIdentities.Get(path, change.Identity))
        FFailed = true;
    return Write(LineOf(change));
}

bool TRunRecord::Move(const std::string& source, const std::string& target, std::uint64_t time)
{
    TRecordedChange change;
    change.Move = true;
    change.Path = source;
    change.Target = target;
    change.Time = time;
    if (!GetFileIdentity(source, change.Identity))
        return false;
    FMoved = change.Identity;
    return Write(LineOf(change));
}

bool TRunRecord::Moved(const std::string& target)
{
    TFileIdentity identity;
    if (!GetFileIdentity(target, identity))
        return false;
    return identity == FMoved
        || Write(WithChecksum(Format("T\t%x\t%llx", identity.Volume, static_cast<unsigned long long>(identity.File))));
}

bool TRunRecord::Write(const std::string& line)
{
    if (FFailed)
        return false;
    try {
        if (!FLog) {
            const TNamedLock lock(LockName(FFolder));
            CreateOneDirectory(FFolder);
            const std::string name = FreeRecordName(FFolder);
            if (name.empty())
                throw Exception("The program has no name left for the record of the run.");
            FLog.reset(new TTextLog(name));
            // Only now that this run's record is in place do the oldest go.
            const std::vector<TRecordFile> records = FinishedRecords(FFolder);
            for (size_t i = KeptRuns - 1; i < records.size(); ++i)
                DeleteOwnFile(records[i].Path);
        }
        FLog->Append(line);
        return true;
    } catch (const Exception&) {
        FFailed = true;
        return false;
    }
}

bool ReadNewestRun(const std::string& folder, TRunOnRecord& run)
{
    for (const TRecordFile& file : FinishedRecords(folder)) {
        std::string content;
        // Its time as the undo compares it before rewriting the record. One
        // that another undo removed meanwhile: the next is the newest.
        if (!LastWriteTime(file.Path, run.Ended) || !ReadFileBytes(file.Path, content))
            continue;
        run.FileName = file.Path;
        run.Changes = ParseRecord(content);
        GetFileIdentity(file.Path, run.File);
        return true;
    }
    return false;
}

bool HasRunRecord(const std::string& folder)
{
    return !FinishedRecords(folder).empty();
}

void KeepLeftOfRun(const TRunOnRecord& run, const std::vector<TRecordedChange>& left)
{
    const TNamedLock lock(LockName(ExtractFileDir(run.FileName)));
    // Gone, taken back by another undo, or another run's record by now.
    TFileIdentity identity;
    std::uint64_t time = 0;
    if (!GetFileIdentity(run.FileName, identity) || identity != run.File || !LastWriteTime(run.FileName, time)
        || time != run.Ended)
        return;
    if (left.empty()) {
        DeleteOwnFile(run.FileName);
        return;
    }
    ReplaceTextFile(run.FileName, RecordText(left));
    // Still the run of its own time, not the newest one for that.
    SetLastWriteTime(run.FileName, run.Ended);
}

void AdoptOldRecords(const std::string& oldRecord, const std::string& folder)
{
    std::vector<std::string> files;
    if (GetPathKind(oldRecord) == pkFile)
        files.push_back(oldRecord);
    const std::string oldFolder = ExtractFilePath(oldRecord);
    for (const TFoundFile& found : MatchingFiles(ExcludeTrailingPathDelimiter(oldFolder),
                                                 ChangeFileExt(ExtractFileName(oldRecord), ".*.tmp"))) {
        if (!IsHeldOpen(oldFolder + found.Name))
            files.push_back(oldFolder + found.Name);
    }
    if (files.empty())
        return;
    const TNamedLock lock(LockName(folder));
    CreateOneDirectory(folder);
    for (const std::string& file : files) {
        std::uint64_t time = 0;
        try {
            const std::string adopted = FreeRecordName(folder);
            if (!LastWriteTime(file, time) || adopted.empty())
                continue;
            ReplaceTextFile(adopted, RecordText(ReadOldRecord(file)));
            SetLastWriteTime(adopted, time);
            DeleteOwnFile(file);
        } catch (const Exception&) {
            // Left where it is, for the next start to try again.
        }
    }
}
