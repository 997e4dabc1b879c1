#!/usr/bin/env python3
"""Writes the release zip, rnrr-password-VERSION.zip, from the two Windows
builds: the same inputs give the same bytes.

    make_zip.py WIN_BIN WIN64_BIN VERSION_H OUT_DIR [NAME=FOLDER|NAME=FILE ...]

WIN_BIN and WIN64_BIN are the bin/ folders of the 32- and 64-bit builds,
VERSION_H the version.h of the 32-bit build (RNRR_VERSION_TEXT names the
zip), OUT_DIR the folder of the zip. Each NAME=FOLDER puts the files under
FOLDER into the zip's folder NAME, as they are; each NAME=FILE puts FILE in
as NAME.

Every entry lies in the folder rnrr-password-VERSION/, in a fixed order, with
fixed permissions and one time: SOURCE_DATE_EPOCH when set, else the date of
the source's last commit, else 1980-01-01 (the earliest a zip can hold).
README.txt is written UTF-8 with a byte-order mark and CRLF line ends, as
every Notepad reads it; SHA256SUMS, last, has the SHA-256 of every other
entry in the form `sha256sum -c` reads.
"""
import hashlib
import os
import re
import subprocess
import sys
import time
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The programs, in the zip's order: name in the zip, build, file in its bin/.
PROGRAMS = [
    ("rnrr-password.exe", "win", "rnrr-password.exe"),
    ("rnrr-pw.exe", "win", "rnrr-pw.exe"),
    ("x64/rnrr-password.exe", "win64", "rnrr-password.exe"),
    ("x64/rnrr-pw.exe", "win64", "rnrr-pw.exe"),
]

PROGRAM_MODE = 0o755
FILE_MODE = 0o644
EARLIEST_ZIP_TIME = 315532800  # 1980-01-01 00:00:00 UTC


def version_of(header):
    with open(header, encoding="utf-8") as f:
        found = re.search(r'#define RNRR_VERSION_TEXT "([^"]+)"', f.read())
    if not found:
        sys.exit(f"make_zip: no RNRR_VERSION_TEXT in {header}")
    return found.group(1)


def entry_time():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", SOURCE, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout
        return int(out.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        return EARLIEST_ZIP_TIME


def readme_bytes(version):
    with open(os.path.join(SOURCE, "release", "README.txt"), encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    return b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8")


def folder_entries(name, folder):
    """(name in the zip, path) of every file under folder, sorted by name;
    of the one file when folder is a file."""
    if os.path.isfile(folder):
        return [(name, folder)]
    found = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for file in files:
            path = os.path.join(root, file)
            found.append((name + "/" + os.path.relpath(path, folder).replace(os.sep, "/"), path))
    if not found:
        sys.exit(f"make_zip: {folder} has no files for the folder {name}")
    return sorted(found)


def main(args):
    if len(args) < 4 or any("=" not in a for a in args[4:]):
        sys.exit(__doc__)
    bins = {"win": args[0], "win64": args[1]}
    version = version_of(args[2])
    out_dir = args[3]

    # (name in the zip, bytes, mode), in the zip's order.
    entries = [("README.txt", readme_bytes(version), FILE_MODE)]
    for name, build, file in PROGRAMS:
        with open(os.path.join(bins[build], file), "rb") as f:
            entries.append((name, f.read(), PROGRAM_MODE))
    for named_folder in args[4:]:
        name, folder = named_folder.split("=", 1)
        for entry_name, path in folder_entries(name, folder):
            with open(path, "rb") as f:
                entries.append((entry_name, f.read(), FILE_MODE))
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data, _ in entries)
    entries.append(("SHA256SUMS", sums.encode("ascii"), FILE_MODE))

    top = f"rnrr-password-{version}"
    stamp = time.gmtime(max(entry_time(), EARLIEST_ZIP_TIME))[:6]
    os.makedirs(out_dir, exist_ok=True)
    zip_path = os.path.join(out_dir, f"{top}.zip")
    with zipfile.ZipFile(zip_path + ".part", "w") as archive:
        for name, data, mode in entries:
            info = zipfile.ZipInfo(f"{top}/{name}", date_time=stamp)
            info.create_system = 3  # Unix, so that the permissions below count
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(zip_path + ".part", zip_path)
    print(f"make_zip: {zip_path}: {len(entries)} files")


if __name__ == "__main__":
    main(sys.argv[1:])
