"""Polling with a time bound: the only way the end-to-end tests wait."""

import time

DEFAULT_INTERVAL = 0.05


def wait_for(predicate, timeout, what, interval=DEFAULT_INTERVAL):
    """Calls predicate until it returns a true value and returns that value.

    Raises AssertionError naming `what` (and the last value seen, or the last
    exception raised by predicate) when `timeout` seconds pass first.
    """
    deadline = time.monotonic() + timeout
    last = None
    last_error = None
    while True:
        try:
            last = predicate()
            last_error = None
        except Exception as error:  # the predicate may race the program; keep polling
            last_error = error
        if last and last_error is None:
            return last
        if time.monotonic() >= deadline:
            detail = (f"last error: {last_error!r}" if last_error is not None
                      else f"last value: {last!r}")
            raise AssertionError(f"timed out after {timeout:.1f} s waiting for {what} ({detail})")
        time.sleep(interval)


def poll_until(predicate, timeout, interval=DEFAULT_INTERVAL):
    """Like wait_for, but returns the last value instead of failing."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)
