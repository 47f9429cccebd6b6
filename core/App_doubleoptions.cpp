#include "App_doubleoptions.h"

#include "Kro_shellfiles.h"

TDoubleOptions::TDoubleOptions()
    : OutputDirectory(odDesktop),
      OtherOutputDirectory(GetPersonalDirectory()),
      RemoveExtension(true),
      AvoidNameCollision(true),
      SerialNumberPrefix(" ("),
      SerialNumberSuffix(")"),
      MinSerialNumber(1),
      MaxSerialNumber(100),
      SerialNumberPosition(spEnd),
      SortEntries(true),
      MoveSources(false),
      GroupSources(gsEachSource),
      ShowPreview(false)
{
}

bool TDoubleOptions::operator==(const TDoubleOptions& other) const
{
    if (this == &other)
        return true;
    return OutputDirectory == other.OutputDirectory
        && OtherOutputDirectory == other.OtherOutputDirectory
        && OriginalNamePrefix == other.OriginalNamePrefix
        && OriginalNameSuffix == other.OriginalNameSuffix
        && RemoveExtension == other.RemoveExtension
        && AvoidNameCollision == other.AvoidNameCollision
        && SerialNumberPrefix == other.SerialNumberPrefix
        && SerialNumberSuffix == other.SerialNumberSuffix
        && MinSerialNumber == other.MinSerialNumber
        && MaxSerialNumber == other.MaxSerialNumber
        && SerialNumberPosition == other.SerialNumberPosition
        && SortEntries == other.SortEntries
        && MoveSources == other.MoveSources
        && GroupSources == other.GroupSources
        && ShowPreview == other.ShowPreview;
}

bool TDoubleOptions::operator!=(const TDoubleOptions& other) const
{
    return !(*this == other);
}

void TDoubleOptionsModel::SetOptions(const TDoubleOptions& value)
{
    if (value == FOptions)
        return;
    FOptions = value;
    Changed();
}

void TDoubleOptionsModel::Changed()
{
    if (OnChange)
        OnChange(*this);
}
