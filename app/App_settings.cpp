#include "App_settings.h"

#include "Kro_autopointers.h"
#include "Kro_strings.h"
#include "Tk_memini.h"
#include "Tk_paths.h"

namespace {

const char Quote = '"';
const char* const SystemSection = "System";
const char* const OptionsSection = "Options";

// Every text is stored quoted, so that blanks at its ends survive the
// trimming of values when the file is read.
std::string ReadText(const TMemIniFile& ini, const char* section, const char* key, const std::string& def)
{
    return DequoteString(ini.ReadString(section, key, QuoteString(def, Quote)), Quote);
}

void WriteText(TMemIniFile& ini, const char* section, const char* key, const std::string& value)
{
    ini.WriteString(section, key, QuoteString(value, Quote));
}

}

void LoadSettings(const std::string& fileName, TDoubleOptionsModel& model)
{
    TAutoPointer<TMemIniFile> ini(new TMemIniFile(fileName));
    // A folder that no longer exists leaves the current directory as it is.
    SetCurrentDir(ReadText(*ini, SystemSection, "CurrentDirectory", GetCurrentDir()));

    TDoubleOptions options = model.Options();
    // The enumerations keep the low byte of whatever number the file holds.
    options.OutputDirectory = static_cast<TOutputDirectory>(
        ini->ReadInteger(OptionsSection, "OutputDirectory", options.OutputDirectory) & 0xFF);
    options.OtherOutputDirectory = ReadText(*ini, OptionsSection, "OtherOutputDirectory", options.OtherOutputDirectory);
    options.OriginalNamePrefix = ReadText(*ini, OptionsSection, "OriginalNamePrefix", options.OriginalNamePrefix);
    options.OriginalNameSuffix = ReadText(*ini, OptionsSection, "OriginalNameSuffix", options.OriginalNameSuffix);
    options.RemoveExtension = ini->ReadBool(OptionsSection, "RemoveExtension", options.RemoveExtension);
    options.AvoidNameCollision = ini->ReadBool(OptionsSection, "AvoidNameCollision", options.AvoidNameCollision);
    options.SerialNumberPrefix = ReadText(*ini, OptionsSection, "SerialNumberPrefix", options.SerialNumberPrefix);
    options.SerialNumberSuffix = ReadText(*ini, OptionsSection, "SerialNumberSuffix", options.SerialNumberSuffix);
    options.MinSerialNumber = ini->ReadInteger(OptionsSection, "MinSerialNumber", options.MinSerialNumber);
    options.MaxSerialNumber = ini->ReadInteger(OptionsSection, "MaxSerialNumber", options.MaxSerialNumber);
    options.SerialNumberPosition = static_cast<TSerialNumberPosition>(
        ini->ReadInteger(OptionsSection, "SerialNumberPosition", options.SerialNumberPosition) & 0xFF);
    options.SortEntries = ini->ReadBool(OptionsSection, "SortEntries", options.SortEntries);
    options.MoveSources = ini->ReadBool(OptionsSection, "MoveSources", options.MoveSources);
    options.GroupSources =
        static_cast<TGroupSources>(ini->ReadInteger(OptionsSection, "GroupSources", options.GroupSources));
    model.SetOptions(options);
}

void SaveSettings(const std::string& fileName, const TDoubleOptionsModel& model)
{
    TAutoPointer<TMemIniFile> ini(new TMemIniFile(fileName));
    WriteText(*ini, SystemSection, "CurrentDirectory", GetCurrentDir());

    const TDoubleOptions& options = model.Options();
    ini->WriteInteger(OptionsSection, "OutputDirectory", options.OutputDirectory);
    WriteText(*ini, OptionsSection, "OtherOutputDirectory", options.OtherOutputDirectory);
    WriteText(*ini, OptionsSection, "OriginalNamePrefix", options.OriginalNamePrefix);
    WriteText(*ini, OptionsSection, "OriginalNameSuffix", options.OriginalNameSuffix);
    ini->WriteBool(OptionsSection, "RemoveExtension", options.RemoveExtension);
    ini->WriteBool(OptionsSection, "AvoidNameCollision", options.AvoidNameCollision);
    WriteText(*ini, OptionsSection, "SerialNumberPrefix", options.SerialNumberPrefix);
    WriteText(*ini, OptionsSection, "SerialNumberSuffix", options.SerialNumberSuffix);
    ini->WriteInteger(OptionsSection, "MinSerialNumber", options.MinSerialNumber);
    ini->WriteInteger(OptionsSection, "MaxSerialNumber", options.MaxSerialNumber);
    ini->WriteInteger(OptionsSection, "SerialNumberPosition", options.SerialNumberPosition);
    ini->WriteBool(OptionsSection, "SortEntries", options.SortEntries);
    ini->WriteBool(OptionsSection, "MoveSources", options.MoveSources);
    ini->WriteInteger(OptionsSection, "GroupSources", options.GroupSources);
    ini->UpdateFile();
}
