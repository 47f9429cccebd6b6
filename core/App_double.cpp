#include "App_double.h"

#include "Kro_files.h"
#include "Tk_paths.h"

void TDoubleExecutor::Execute()
{
    CreatedPath.clear();
    const std::string base = MakeBasePath(OutputDirectory);
    CreateTargetDirectory(ChooseTargetPath(base));
}

std::string TDoubleExecutor::MakeBasePath(const std::string& directory) const
{
    std::string name = ExtractFileName(SourcePath);
    // Asked of the file system now: a directory keeps every dot of its name.
    if (RemoveExtension && RegularFileExists(SourcePath))
        name = ChangeFileExt(name, std::string());
    return IncludeTrailingPathDelimiter(directory) + TrimBlanks(OriginalNamePrefix + name + OriginalNameSuffix);
}

std::string TDoubleExecutor::ChooseTargetPath(const std::string& base) const
{
    if (!AvoidNameCollision)
        return base;
    if (MinSerialNumber > MaxSerialNumber)
        throw EAppError("The minimum serial number is exceeding the maximum.");
    if (!PathExists(base))
        return base;
    // With equal bounds no numbered name is tried, so the position never matters.
    if (MinSerialNumber == MaxSerialNumber)
        throw EDoubleFail();

    const std::string directory = ExtractFilePath(base);
    const std::string stem = ExtractFileName(base);
    std::string front;
    std::string back;
    switch (SerialNumberPosition) {
    case spEnd:
        front = directory + stem + SerialNumberPrefix;
        back = TrimTrailingBlanks(SerialNumberSuffix);
        break;
    case spBeginning:
        front = directory + TrimLeadingBlanks(SerialNumberPrefix);
        back = SerialNumberSuffix + stem;
        break;
    default:
        throw EAppError("The program does not support the position.");
    }
    // The minimum stands for the un-numbered name, so numbers start above it.
    // Testing against the maximum before stepping keeps INT_MAX from overflowing.
    for (std::int32_t number = MinSerialNumber; number != MaxSerialNumber;) {
        ++number;
        const std::string candidate = front + std::to_string(number) + back;
        if (!PathExists(candidate))
            return candidate;
    }
    throw EDoubleFail();
}

void TDoubleExecutor::CreateTargetDirectory(const std::string& target)
{
    if (target.empty() || PathExists(target))
        throw EDoubleFail();
    // A name that someone else took after the test above fails here: the
    // directory is never reported as created unless this run made it.
    if (!CreateNewDirectory(target))
        throw EDoubleFail();
    CreatedPath = target;
}
