#pragma once
// Whether the user accepted the licence, kept in a marker file for the user: in
// %BMT_STANDIN_STATE_DIR% when tests set it, else in %APPDATA%\orvellan-standins.
#include <string>

namespace standin {

std::wstring LicenceMarkerPath();
bool LicenceAccepted();
bool RememberLicenceAccepted();

}  // namespace standin
