"""Windows programs started under Wine, seen from both sides: the Unix
process that `wine` becomes (its pid is the Windows process itself) and the
Windows process id that window reports carry."""

import os
import signal
import subprocess


class WineProcess:
    """A program started by the harness.

    unix_pid: the process `wine` turned into; windows_pid: its id inside
    Wine (None until known, and for a program that ended before it was
    seen); log_path: its standard output and error.
    """

    def __init__(self, popen, name, log_path, log_file):
        self._popen = popen
        self._log_file = log_file
        self.name = name
        self.log_path = log_path
        self.unix_pid = popen.pid
        self.windows_pid = None

    def running(self):
        return self._popen.poll() is None

    @property
    def returncode(self):
        return self._popen.returncode

    def wait(self, timeout):
        """The exit status once the program has ended: the Windows exit code
        modulo 256 (ExitProcess(-1) gives 255), or -N after Unix signal N.
        AssertionError when it still runs after `timeout` seconds."""
        try:
            status = self._popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"{self.name} (unix pid {self.unix_pid}) still running after "
                                 f"{timeout:.1f} s") from None
        self._close_log()
        return status

    def kill(self, timeout=10):
        """Ends the program at once (SIGKILL; the wineserver then frees its
        windows, hotkeys and files) and returns its status."""
        if self._popen.poll() is None:
            try:
                os.kill(self._popen.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        return self.wait(timeout)

    def unix_memory(self):
        """{'VmRSS': bytes, 'VmSize': ..., 'VmData': ...} of the running
        program from /proc; Wine's own GetProcessMemoryInfo gives only the
        working set of another process."""
        figures = {}
        try:
            with open(f"/proc/{self.unix_pid}/status") as status:
                for line in status:
                    name, _, value = line.partition(":")
                    if name in ("VmRSS", "VmSize", "VmData") and value.strip().endswith("kB"):
                        figures[name] = int(value.split()[0]) * 1024
        except OSError:
            return None
        return figures

    def freeze(self):
        """Stops the program dead (SIGSTOP), as a program blocked in a long
        call looks from outside; thaw() lets it go on."""
        os.kill(self._popen.pid, signal.SIGSTOP)

    def thaw(self):
        os.kill(self._popen.pid, signal.SIGCONT)

    def log_text(self):
        try:
            with open(self.log_path, "rb") as log:
                return log.read().decode("utf-8", errors="replace")
        except OSError:
            return ""

    def _close_log(self):
        if self._log_file is not None and not self._log_file.closed:
            self._log_file.close()

    def __repr__(self):
        return (f"<WineProcess {self.name} unix={self.unix_pid} windows={self.windows_pid} "
                f"status={self._popen.returncode}>")


def launch(command, cwd, env, name, log_path):
    """Starts `command` (wine and its arguments) with output to log_path and
    nothing on a pipe."""
    log_file = open(log_path, "ab")
    try:
        popen = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                 stdout=log_file, stderr=log_file, start_new_session=True)
    except OSError:
        log_file.close()
        raise
    return WineProcess(popen, name, log_path, log_file)
