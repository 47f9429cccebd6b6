// Settings.ini: the options and the last used folder between runs.
#pragma once

#include "App_doubleoptions.h"

#include <string>

// Restores the process's current directory from the file and replaces the
// model's options with the file's. Keys that are missing keep the model's
// values; a malformed text value raises EStringError.
void LoadSettings(const std::string& fileName, TDoubleOptionsModel& model);

// Writes the current directory and the options into the file, keeping
// whatever else it holds. loaded are the options LoadSettings gave a new
// model at the start: when the file's options, read the same way, are no
// longer those, only the options that differ from loaded are written. A
// malformed text value among the file's options raises EStringError.
void SaveSettings(const std::string& fileName, const TDoubleOptionsModel& model, const TDoubleOptions& loaded);
