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

// The file's options; a key that is missing keeps its value in options.
TDoubleOptions ReadOptions(const TMemIniFile& ini, TDoubleOptions options)
{
    // The one-byte enumerations keep the low byte of whatever number the file
    // holds.
    options.OutputDirectory = static_cast<TOutputDirectory>(
        ini.ReadInteger(OptionsSection, "OutputDirectory", options.OutputDirectory) & 0xFF);
    options.OtherOutputDirectory = ReadText(ini, OptionsSection, "OtherOutputDirectory", options.OtherOutputDirectory);
    options.OriginalNamePrefix = ReadText(ini, OptionsSection, "OriginalNamePrefix", options.OriginalNamePrefix);
    options.OriginalNameSuffix = ReadText(ini, OptionsSection, "OriginalNameSuffix", options.OriginalNameSuffix);
    options.RemoveExtension = ini.ReadBool(OptionsSection, "RemoveExtension", options.RemoveExtension);
    options.AvoidNameCollision = ini.ReadBool(OptionsSection, "AvoidNameCollision", options.AvoidNameCollision);
    options.SerialNumberPrefix = ReadText(ini, OptionsSection, "SerialNumberPrefix", options.SerialNumberPrefix);
    options.SerialNumberSuffix = ReadText(ini, OptionsSection, "SerialNumberSuffix", options.SerialNumberSuffix);
    options.MinSerialNumber = ini.ReadInteger(OptionsSection, "MinSerialNumber", options.MinSerialNumber);
    options.MaxSerialNumber = ini.ReadInteger(OptionsSection, "MaxSerialNumber", options.MaxSerialNumber);
    options.SerialNumberPosition = static_cast<TSerialNumberPosition>(
        ini.ReadInteger(OptionsSection, "SerialNumberPosition", options.SerialNumberPosition) & 0xFF);
    options.SortEntries = ini.ReadBool(OptionsSection, "SortEntries", options.SortEntries);
    options.MoveSources = ini.ReadBool(OptionsSection, "MoveSources", options.MoveSources);
    options.GroupSources =
        static_cast<TGroupSources>(ini.ReadInteger(OptionsSection, "GroupSources", options.GroupSources));
    options.ShowPreview = ini.ReadBool(OptionsSection, "ShowPreview", options.ShowPreview);
    return options;
}

void WriteOption(TMemIniFile& ini, const char* key, const std::string& value)
{
    WriteText(ini, OptionsSection, key, value);
}

void WriteOption(TMemIniFile& ini, const char* key, bool value)
{
    ini.WriteBool(OptionsSection, key, value);
}

void WriteOption(TMemIniFile& ini, const char* key, int value)
{
    ini.WriteInteger(OptionsSection, key, value);
}

// Writes the options that differ from base, or all of them when there is
// none, in the order the file has always had them.
void WriteOptions(TMemIniFile& ini, const TDoubleOptions& options, const TDoubleOptions* base)
{
    const auto write = [&](const char* key, auto TDoubleOptions::*member) {
        if (!base || options.*member != base->*member)
            WriteOption(ini, key, options.*member);
    };
    write("OutputDirectory", &TDoubleOptions::OutputDirectory);
    write("OtherOutputDirectory", &TDoubleOptions::OtherOutputDirectory);
    write("OriginalNamePrefix", &TDoubleOptions::OriginalNamePrefix);
    write("OriginalNameSuffix", &TDoubleOptions::OriginalNameSuffix);
    write("RemoveExtension", &TDoubleOptions::RemoveExtension);
    write("AvoidNameCollision", &TDoubleOptions::AvoidNameCollision);
    write("SerialNumberPrefix", &TDoubleOptions::SerialNumberPrefix);
    write("SerialNumberSuffix", &TDoubleOptions::SerialNumberSuffix);
    write("MinSerialNumber", &TDoubleOptions::MinSerialNumber);
    write("MaxSerialNumber", &TDoubleOptions::MaxSerialNumber);
    write("SerialNumberPosition", &TDoubleOptions::SerialNumberPosition);
    write("SortEntries", &TDoubleOptions::SortEntries);
    write("MoveSources", &TDoubleOptions::MoveSources);
    write("GroupSources", &TDoubleOptions::GroupSources);
    write("ShowPreview", &TDoubleOptions::ShowPreview);
}

}

void LoadSettings(const std::string& fileName, TDoubleOptionsModel& model)
{
    TAutoPointer<TMemIniFile> ini(new TMemIniFile(fileName));
    // A folder that no longer exists leaves the current directory as it is.
    SetCurrentDir(ReadText(*ini, SystemSection, "CurrentDirectory", GetCurrentDir()));
    model.SetOptions(ReadOptions(*ini, model.Options()));
}

void SaveSettings(const std::string& fileName, const TDoubleOptionsModel& model, const TDoubleOptions& loaded)
{
    TAutoPointer<TMemIniFile> ini(new TMemIniFile(fileName));
    // Runs overlap: when another one has saved options since this one loaded
    // them, only the options this run changed replace the file's.
    const bool savedByOthers = ReadOptions(*ini, TDoubleOptions()) != loaded;
    WriteText(*ini, SystemSection, "CurrentDirectory", GetCurrentDir());
    WriteOptions(*ini, model.Options(), savedByOthers ? &loaded : nullptr);
    ini->UpdateFile();
}
