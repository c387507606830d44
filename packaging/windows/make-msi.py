#!/usr/bin/python3
"""Makes the Windows Installer package of the program with wixl, from a folder that holds the
files to install: the folder CPack makes the NSIS installer from, so that both installers ship the
same files. Usage: make-msi.py FOLDER VERSION ICON OUTPUT.msi

The upgrade code is fixed for every version; the product code follows from the version, so that a
package of a newer version replaces an older one, and the same version is never installed twice.
Each file's component keeps its code across versions, as Windows Installer wants."""

import os
import subprocess
import sys
import uuid
from xml.sax.saxutils import quoteattr

UPGRADE_CODE = uuid.UUID("6cad7797-f8d8-419a-aa83-74cb396d89ef")
HERE = os.path.dirname(os.path.abspath(__file__))


def code(name):
    return str(uuid.uuid5(UPGRADE_CODE, name)).upper()


def ident(relative):
    """An identifier for a file, as WiX takes them; the program keeps its own name, which the
    shortcut refers to."""
    name = os.path.basename(relative)
    return name if name == "capacita.exe" else "f_" + "".join(c if c.isalnum() else "_" for c in relative)


def directory(folder, relative, depth, refs, base):
    """The WiX elements of folder's files, each a component of its own, and of its subfolders."""
    lines = []
    pad = "  " * depth
    for entry in sorted(os.listdir(os.path.join(folder, relative))):
        path = os.path.join(relative, entry)
        if os.path.isdir(os.path.join(folder, path)):
            lines.append("%s<Directory Id=%s Name=%s>" % (pad, quoteattr("d_" + ident(path)), quoteattr(entry)))
            lines += directory(folder, path, depth + 1, refs, base)
            lines.append("%s</Directory>" % pad)
            continue
        component = "c_" + ident(path)
        refs.append('      <ComponentRef Id=%s/>' % quoteattr(component))
        lines.append('%s<Component Id=%s Guid="%s" Win64="yes">' % (pad, quoteattr(component), code(path.replace(os.sep, "/"))))
        lines.append("%s  <File Id=%s Name=%s Source=%s KeyPath=\"yes\"/>" % (
            pad, quoteattr(ident(path)), quoteattr(entry), quoteattr(os.path.relpath(os.path.join(folder, path), base))))
        lines.append("%s</Component>" % pad)
    return lines


def main():
    folder, version, icon, output = sys.argv[1:5]
    # wixl takes sources relative to where it runs: beside the package.
    base = os.path.dirname(os.path.abspath(output))
    refs = []
    files = directory(folder, "", 5, refs, base)
    with open(os.path.join(HERE, "capacita.wxs.in"), encoding="utf-8") as f:
        source = f.read()
    for key, value in {"@UPGRADE_CODE@": str(UPGRADE_CODE).upper(), "@PRODUCT_CODE@": code("product " + version),
                       "@SHORTCUT_GUID@": code("Start-menu shortcut"), "@VERSION@": version,
                       "@ICON@": os.path.relpath(icon, base), "@FILES@": "\n".join(files),
                       "@COMPONENT_REFS@": "\n".join(refs)}.items():
        source = source.replace(key, value)
    wxs = os.path.splitext(output)[0] + ".wxs"
    with open(wxs, "w", encoding="utf-8") as f:
        f.write(source)
    subprocess.run(["wixl", "--arch", "x64", "-o", os.path.basename(output), os.path.basename(wxs)], cwd=base, check=True)


if __name__ == "__main__":
    main()
