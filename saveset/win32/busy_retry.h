#pragma once
// Another program (a virus scanner, an indexer, a backup tool) may hold a
// file that was just written for a moment; a step refused for that reason
// is tried again for a short, bounded time, about a second in all.

#include <windows.h>

namespace qsh {

struct BusyRetry {
  int attempts = 21;
  DWORD pauseMilliseconds = 50;
};

// The errors with which Windows refuses a step while someone else holds the
// file; anything else will not change by waiting.
inline bool MayPassSoon(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

// Runs step() until it succeeds, fails for a reason that waiting does not
// cure, or has been refused `attempts` times. onBusy() runs after each
// refusal that waiting may cure and may end the retrying with its own
// answer (true to stop).
template <typename Step, typename OnBusy>
bool RetryWhileBusy(const BusyRetry& retry, Step step, OnBusy onBusy) {
  for (int attempt = 1;; ++attempt) {
    if (step()) return true;
    if (!MayPassSoon(::GetLastError())) return false;
    if (bool answer = false; onBusy(answer)) return answer;
    if (attempt >= retry.attempts) return false;
    ::Sleep(retry.pauseMilliseconds);
  }
}

}  // namespace qsh
