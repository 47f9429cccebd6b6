// What every application unit shares: the model and presenter bases, the
// application's error class and the program-wide constants.
#pragma once

#include "Tk_exceptions.h"

#include <functional>
#include <string>

class TModel {
public:
    virtual ~TModel() = default;
};

class TPresenter {
public:
    virtual ~TPresenter() = default;
};

// A model's change notification, with the model as the sender.
using TNotifyEvent = std::function<void(TModel& sender)>;

// An application-level error whose message is a full sentence for the user.
class EAppError : public Exception {
public:
    using Exception::Exception;
};

// Settings.ini beside the executable.
extern const std::string SettingsFileName;
// LastRun.txt beside the executable: the record of the last run.
extern const std::string RunRecordFileName;
// The records of the last runs, one file each.
extern const std::string RunsFolderName;
// Help\index.html beside the executable, and its Japanese Help\ja\index.html.
extern const std::string HelpFileName;
extern const std::string JapaneseHelpFileName;
extern const std::string AboutText;

// The directory of the running executable, with its trailing delimiter.
std::string GetExecutableDirectory();
