#include "App_runrecord.h"

#include "Tk_exceptions.h"
#include "Tk_files.h"
#include "Tk_paths.h"
#include "Tk_textfiles.h"

#include <windows.h>

#include <cstdlib>

namespace {

// The files of runs beside the record LastRun.txt: LastRun.<process>.tmp.
std::string RunFilePattern(const std::string& fileName)
{
    return ChangeFileExt(ExtractFileName(fileName), std::string()) + ".*.tmp";
}

// The record, and the files of runs that were ended half-way; not those of
// runs still going, which hold theirs open.
std::vector<std::string> RecordFiles(const std::string& fileName)
{
    std::vector<std::string> files;
    if (GetPathKind(fileName) == pkFile)
        files.push_back(fileName);
    const std::string folder = ExtractFilePath(fileName);
    for (const std::string& name : MatchingNames(ExcludeTrailingPathDelimiter(folder), RunFilePattern(fileName))) {
        if (!IsHeldOpen(folder + name))
            files.push_back(folder + name);
    }
    return files;
}

// The record written last.
std::string LastRecordFile(const std::string& fileName)
{
    std::string last;
    std::uint64_t lastTime = 0;
    for (const std::string& file : RecordFiles(fileName)) {
        std::uint64_t time = 0;
        if (LastWriteTime(file, time) && (last.empty() || time > lastTime)) {
            last = file;
            lastTime = time;
        }
    }
    return last;
}

// The fields of a line; a line cut short by the end of a run has too few.
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

}

TRunRecord::TRunRecord(const std::string& fileName)
    : FFileName(fileName),
      FRunFileName(ChangeFileExt(fileName, "." + std::to_string(GetCurrentProcessId()) + ".tmp"))
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
    RenameReplacing(FRunFileName, FFileName);
}

bool TRunRecord::Directory(const std::string& path)
{
    return Write("D\t" + path);
}

bool TRunRecord::Move(const std::string& source, const std::string& target, std::uint64_t time)
{
    return Write("M\t" + std::to_string(time) + "\t" + source + "\t" + target);
}

bool TRunRecord::Write(const std::string& line)
{
    if (FFailed)
        return false;
    try {
        if (!FLog) {
            RemoveRunRecords(FFileName);
            FLog.reset(new TTextLog(FRunFileName));
        }
        FLog->Append(line);
        return true;
    } catch (const Exception&) {
        FFailed = true;
        return false;
    }
}

std::vector<TRecordedChange> ReadRunRecord(const std::string& fileName)
{
    std::vector<TRecordedChange> changes;
    std::string text;
    const std::string file = LastRecordFile(fileName);
    if (file.empty() || !ReadTextFile(file, text))
        return changes;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        // A last line without its end was being written when the run ended.
        if (end == std::string::npos)
            break;
        const std::vector<std::string> fields = Fields(text.substr(start, end - start));
        TRecordedChange change;
        if (fields.size() == 2 && fields[0] == "D" && !fields[1].empty()) {
            change.Path = fields[1];
        } else if (fields.size() == 4 && fields[0] == "M" && !fields[2].empty() && !fields[3].empty()) {
            change.Move = true;
            change.Time = std::strtoull(fields[1].c_str(), nullptr, 10);
            change.Path = fields[2];
            change.Target = fields[3];
        } else {
            continue;
        }
        changes.push_back(change);
    }
    return changes;
}

bool HasRunRecord(const std::string& fileName)
{
    return !RecordFiles(fileName).empty();
}

void RemoveRunRecords(const std::string& fileName)
{
    for (const std::string& file : RecordFiles(fileName))
        DeleteOwnFile(file);
}
