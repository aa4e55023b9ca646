"""Where the repository, the build and the test tools are."""

import os
import pathlib
import re

TOOL_NAMES = ("inspect", "hold_hotkey", "hold_file", "focus_window", "refuse_windows")


def repo_root():
    return pathlib.Path(__file__).resolve().parents[3]


def build_dir():
    """QSH_BUILD_DIR, or the Windows build of scripts/test (build/win32)."""
    configured = os.environ.get("QSH_BUILD_DIR")
    return pathlib.Path(configured) if configured else repo_root() / "build" / "win32"


def cache_value(name, build=None):
    """The value of a variable in the build's CMakeCache.txt, or None when
    the cache or the variable is missing."""
    cache = (build or build_dir()) / "CMakeCache.txt"
    try:
        text = cache.read_text(encoding="utf-8", errors="replace")
    except OSError:
        return None
    found = re.search(rf"^{re.escape(name)}:[A-Z]+=(.*)$", text, re.MULTILINE)
    return found.group(1).strip() if found else None


def tools_dir():
    """QSH_TOOLS_DIR, or <build>/tests/tools."""
    configured = os.environ.get("QSH_TOOLS_DIR")
    return pathlib.Path(configured) if configured else build_dir() / "tests" / "tools"


def tool(name):
    path = tools_dir() / f"{name}.exe"
    if not path.is_file():
        raise AssertionError(f"test tool {path} is missing: build the Windows tree "
                             f"(target qsh_{name}) or set QSH_BUILD_DIR / QSH_TOOLS_DIR")
    return path


def program():
    """The program under test: QSH_PROGRAM, or <build>/QelvarinSaveHelper.exe."""
    configured = os.environ.get("QSH_PROGRAM")
    return pathlib.Path(configured) if configured else build_dir() / "QelvarinSaveHelper.exe"
