#pragma once

// The commands of dunwake-ctl. Each writes its results to `out` and its failures, one plain
// sentence each, to `err`, and returns the process exit status.

#include <ostream>
#include <string>
#include <string_view>

#include "CtlArguments.h"
#include "platform/hid/HidBackend.h"

namespace dw::ctl {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitDeviceError = 1;
inline constexpr int kExitUsage = 2;

int RunList(hid::IHidBackend& backend, std::ostream& out, std::ostream& err);
int RunTransact(hid::IHidBackend& backend, int slot, std::string_view hexBytes, std::ostream& out, std::ostream& err);
int RunDescribe(const std::string& file, std::ostream& out, std::ostream& err);
// `keyboard ...`: the keyboard's device object on the first keyboard found (cable before
// receiver). Profile files go to the per-user folder ($XDG_DATA_HOME).
int RunKeyboard(hid::IHidBackend& backend, const CtlArguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace dw::ctl
