"""The release package: its name and the packer that the release command
uses (release/make_package.py)."""

import subprocess

from . import paths


def guide_source():
    return paths.repo_root() / "release" / "使用说明.txt"


def zip_name(build=None):
    """QelvarinSaveHelper-<version>-win32.zip, the version from the build."""
    version = paths.cache_value("CMAKE_PROJECT_VERSION", build)
    if not version:
        raise AssertionError(f"no CMAKE_PROJECT_VERSION in the cache of {build or paths.build_dir()}")
    return f"QelvarinSaveHelper-{version}-win32.zip"


def pack(exe, out, cwd=None):
    """Packs exe into the zip out, as the release command does."""
    packer = paths.repo_root() / "release" / "make_package.py"
    subprocess.run(["python3", str(packer), "--exe", str(exe), "--guide", str(guide_source()),
                    "--out", str(out)], check=True, timeout=60, cwd=cwd)
