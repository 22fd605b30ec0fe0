#!/usr/bin/env python3
"""write_zip.py ZIP FOLDER EPOCH: writes ZIP with every file below FOLDER's parent that lies in
FOLDER, in name order, each dated EPOCH (UTC) and carrying its permission bits but no owner, so
that whoever packs, on whatever file system, gets the same bytes."""
import os
import sys
import time
import zipfile


def main(zip_path, folder, epoch):
    parent = os.path.dirname(os.path.abspath(folder))
    names = []
    for root, _, files in os.walk(folder):
        names += [os.path.relpath(os.path.join(root, f), parent) for f in files]
    date_time = time.gmtime(int(epoch))[:6]
    with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in sorted(names):
            path = os.path.join(parent, name)
            entry = zipfile.ZipInfo(name.replace(os.sep, "/"), date_time)
            entry.create_system = 3  # Unix: the permission bits below mean what they say
            entry.external_attr = (os.stat(path).st_mode & 0o177777) << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(entry, f.read())


if __name__ == "__main__":
    main(*sys.argv[1:])
