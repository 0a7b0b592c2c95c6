#!/usr/bin/env bash
# Makes the release package (scripts/package.sh) and checks it: exactly the
# listed files, SHA256SUMS right for each of them, and the project's version
# in both exes' version resources. Ends with one summary line; exits 1 on
# the first difference.
set -uo pipefail
cd "$(dirname "$0")/.."

zip=$(scripts/package.sh | tail -n 1) || { echo "package.sh failed"; exit 1; }
python3 - "$zip" <<'PY'
import hashlib, os, re, sys, zipfile
path = sys.argv[1]
version = re.search(r"project\(Kestrun VERSION ([0-9.]+)", open("CMakeLists.txt").read()).group(1)
if os.path.basename(path) != "Kestrun-%s-win64.zip" % version:
    sys.exit("unexpected package name " + path)
z = zipfile.ZipFile(path)
names = sorted(z.namelist())
expected = sorted(["kestrun.exe", "tapreel.exe", "使用说明.html", "SHA256SUMS"] +
                  ["examples/" + f for f in os.listdir("examples")])
if names != expected:
    sys.exit("contents differ: extra %s, missing %s" % (sorted(set(names) - set(expected)),
                                                        sorted(set(expected) - set(names))))
sums = {}
for line in z.read("SHA256SUMS").decode("utf-8").splitlines():
    digest, name = line.split("  ", 1)
    sums[name] = digest
if sorted(sums) != sorted(n for n in names if n != "SHA256SUMS"):
    sys.exit("SHA256SUMS does not list every file")
for name, digest in sums.items():
    if hashlib.sha256(z.read(name)).hexdigest() != digest:
        sys.exit("wrong sum for " + name)
text = (version + ".0").encode("utf-16-le")
for exe in ("kestrun.exe", "tapreel.exe"):
    if text not in z.read(exe):
        sys.exit(exe + " does not carry version " + version)
print("%s: %d files, sums and versions right" % (os.path.basename(path), len(names)))
PY
