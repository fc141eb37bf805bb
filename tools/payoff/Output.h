// quenmark-payoff's exit statuses and its checked standard output: every byte
// printed goes through here, so that a failed write (a full disk, a closed
// pipe) is told on standard error and ends with status 1 instead of being lost.
#pragma once

#include <string>
#include <string_view>

namespace quenmark::tool {

inline constexpr int kExitDone = 0;
inline constexpr int kExitWriteFailed = 1; // standard output could not be written
inline constexpr int kExitUsage = 2;       // malformed arguments, options or plan file
inline constexpr int kExitRejected = 3;    // a payment too low, a plan that does not end, no pledge meets --by

// A closed pipe is reported as a failed write, not a silent death by SIGPIPE.
void ReportBrokenPipes();

// Writes `text` to standard output. After the first failure nothing more is
// written (OutputFailed() tells).
void Put(std::string_view text);
// "key: value\n".
void Line(std::string_view key, std::string_view value);
bool OutputFailed();

// Flushes standard output. When anything could not be written, says why on
// standard error and returns kExitWriteFailed; otherwise `status`.
int FinishOutput(int status);

// "error: " + message on standard error (one line).
void Error(const std::string& message);

} // namespace quenmark::tool
