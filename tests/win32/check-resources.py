#!/usr/bin/env python3
"""Checks the resources of SundialSaver.scr: the strings that the display settings and the saver
read, the icon, the version and the manifest.

usage: check-resources.py SCR MAJOR.MINOR.PATCH
"""
import re
import struct
import sys

import pefile

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 14, 16, 24

failures = 0


def check(condition, what):
    global failures
    print(("ok: " if condition else "FAILED: ") + what)
    if not condition:
        failures += 1


def entries(pe, type_id):
    """The language entries of every resource of one type, as {name id: [data entry, ...]}."""
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != type_id:
            continue
        for name in kind.directory.entries:
            found[name.id] = [lang.data for lang in name.directory.entries]
    return found


def data(pe, entry):
    return pe.get_data(entry.struct.OffsetToData, entry.struct.Size)


def strings(pe):
    """Every string of the string table, by id (blocks of 16, each a counted UTF-16 string)."""
    table = {}
    for block, langs in entries(pe, RT_STRING).items():
        raw = data(pe, langs[0])
        offset = 0
        for i in range(16):
            (length,) = struct.unpack_from("<H", raw, offset)
            offset += 2
            if length:
                table[(block - 1) * 16 + i] = raw[offset:offset + 2 * length].decode("utf-16-le")
            offset += 2 * length
    return table


def main():
    scr, version = sys.argv[1], sys.argv[2]
    pe = pefile.PE(scr, fast_load=True)
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    check(hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"), "the program has resources")
    if failures:
        return 1

    table = strings(pe)
    check(table.get(1) == "Sundial", f"string 1, the description, is 'Sundial' ({table.get(1)!r})")
    check("Screen Saver" in table.values(), "the application name 'Screen Saver' is a string")
    check("Preview" in table.values(), "the preview title 'Preview' is a string")

    # The first icon group is the file's icon: it must list a 16, a 32, a 48 and a 256 image, and
    # each image it names must be there.
    groups = entries(pe, RT_GROUP_ICON)
    icons = entries(pe, RT_ICON)
    check(bool(groups), "an icon group")
    if groups:
        raw = data(pe, groups[min(groups)][0])
        _, kind, count = struct.unpack_from("<HHH", raw, 0)
        sizes, missing = set(), 0
        for i in range(count):
            width, height, _, _, _, _, _, icon_id = struct.unpack_from("<BBBBHHIH", raw, 6 + 14 * i)
            sizes.add(width or 256)
            missing += icon_id not in icons
        check(kind == 1 and missing == 0, f"the group's {count} images are all present")
        check({16, 32, 48, 256} <= sizes, f"icon sizes {sorted(sizes)} include 16, 32, 48 and 256")

    # The fixed version block: file and product version both the project's.
    pe.parse_data_directories()  # the version resource is read by the full parse
    fixed = getattr(pe, "VS_FIXEDFILEINFO", None)
    if fixed:
        fixed = fixed[0]
        major, minor, patch = (int(p) for p in version.split("."))
        want_ms, want_ls = (major << 16) | minor, patch << 16
        check(fixed.FileVersionMS == want_ms and fixed.FileVersionLS == want_ls,
              f"FILEVERSION is {version}.0")
        check(fixed.ProductVersionMS == want_ms and fixed.ProductVersionLS == want_ls,
              f"PRODUCTVERSION is {version}.0")
    else:
        check(False, "a version resource")
    texts = {}
    for info in getattr(pe, "FileInfo", []):
        for block in info:
            for table_ in getattr(block, "StringTable", []):
                texts.update({k.decode(): v.decode() for k, v in table_.entries.items()})
    check(texts.get("FileVersion") == version and texts.get("ProductVersion") == version,
          f"the version strings say {version}")
    check(texts.get("OriginalFilename") == "SundialSaver.scr", "OriginalFilename SundialSaver.scr")

    manifests = entries(pe, RT_MANIFEST)
    check(list(manifests) == [1], "one manifest, id 1 (the process's own)")
    if manifests:
        text = data(pe, manifests[1][0]).decode("utf-8")
        check(re.search(r"<dpiAwareness[^>]*>\s*PerMonitorV2\b", text) is not None,
              "dpiAwareness PerMonitorV2")
        check(re.search(r"<dpiAware[^>]*>\s*true/pm\s*<", text) is not None,
              "dpiAware true/pm for the systems before Windows 10")
        check(re.search(r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"', text)
              is not None, "common controls 6")
        for name, guid in [("7", "35138b9a-5d96-4fbd-8e2d-a2440225f93a"),
                           ("8", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38"),
                           ("8.1", "1f676c76-80e1-4239-95bb-83d0f6d0da78"),
                           ("10 and 11", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a")]:
            check(guid in text.lower(), f"supported OS: Windows {name}")

    print(f"{failures} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
