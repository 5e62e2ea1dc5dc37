// RecoveryPlatform on Win32: the copies live in the user's local
// application data (%LOCALAPPDATA%\Morvel\Recovery), which stays on this
// machine and is not roamed.
#pragma once

#include "app/recovery_platform.h"

namespace morvel::app::win32 {

class Win32RecoveryPlatform : public RecoveryPlatform {
public:
    std::string RecoveryFolder() override;
    ProcessIdentity ThisProcess() override;
    bool ProcessRuns(const ProcessIdentity &process) override;
    RecoveryTime LocalTime() override;

private:
    std::string folder_;  // once made
};

}  // namespace morvel::app::win32
