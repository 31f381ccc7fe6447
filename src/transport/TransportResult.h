#pragma once

// Result codes of transactions and device commands. Every device operation of the program
// returns one of these as a plain int; positive means success.

namespace dw::result {

inline constexpr int kSuccess = 1;
// The transport was not opened (nothing was sent), or the reply could not be read.
inline constexpr int kNothing = 0;
// The request could not be written.
inline constexpr int kWriteFailed = -1;
// Through the receiver: the receiver answered 0xAA, its device is not linked.
inline constexpr int kNotLinked = -101;
// The device answered with status 0xFF.
inline constexpr int kRejected = -102;
// The device answered with status 0xFE.
inline constexpr int kRefused = -103;
// The caller passed an argument the command cannot carry.
inline constexpr int kBadArgument = -201;

constexpr bool Succeeded(int code) { return code > 0; }

}  // namespace dw::result
