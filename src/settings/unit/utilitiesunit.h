#pragma once
// What the other units may ask of the Utilities unit (utilitiesfeature.h).

namespace tw::settings {
class TQMSetup;
}

namespace tw::app {

// The setup dialog, which holds the accounting settings the exchange uses.
class SetupDialogSource {
public:
    virtual ~SetupDialogSource() = default;
    virtual settings::TQMSetup& SetupDialog() = 0;
};

// The automatic backup of the shutdown.
class ExitBackup {
public:
    virtual ~ExitBackup() = default;
    // Unless noAutoBackup.
    virtual void BackupAtExit(bool noAutoBackup) = 0;
};

}  // namespace tw::app
