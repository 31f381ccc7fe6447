#pragma once

// The D-Bus names of the program messages (docs/ipc.md describes them for other programs).

namespace dw::platform {

// Every program exports its endpoint, and emits its broadcasts, at this path.
inline constexpr char kDBusObjectPath[] = "/org/dunwake/ProgramMessages";
inline constexpr char kDBusInterface[] = "org.dunwake.ProgramMessages1";
// Signal RegisteredMessage(s name, t wParam, x lParam).
inline constexpr char kDBusRegisteredMessageSignal[] = "RegisteredMessage";
inline constexpr char kDBusRegisteredMessageSignature[] = "stx";
// Method CopyData(t dwData, ay bytes) -> ().
inline constexpr char kDBusCopyDataMethod[] = "CopyData";
inline constexpr char kDBusErrorTooLarge[] = "org.dunwake.ProgramMessages1.Error.TooLarge";
inline constexpr char kDBusErrorNotHandled[] = "org.dunwake.ProgramMessages1.Error.NotHandled";

}  // namespace dw::platform
