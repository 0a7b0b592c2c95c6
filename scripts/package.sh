#!/usr/bin/env bash
# Builds the Windows exes and makes the release package a Windows user
# unzips and runs: build/package/Kestrun-<version>-win64.zip, holding
# kestrun.exe, tapreel.exe, the user's guide as one HTML page (pictures
# inside), the example plans of examples/ and SHA256SUMS. The version is the
# one of project(Kestrun VERSION ...) in CMakeLists.txt, which the exes'
# version resources carry too. Prints the zip's path last.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -nE 's/^project\(Kestrun VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
name=Kestrun-$version-win64

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target kestrun tapreel >build/package-build.log 2>&1 ||
  { cat build/package-build.log; exit 1; }

stage=build/package/$name
rm -rf "$stage" "build/package/$name.zip"
mkdir -p "$stage/examples"
cp build/windows/bin/kestrun.exe build/windows/bin/tapreel.exe "$stage/"
cp examples/* "$stage/examples/"
python3 scripts/md2html.py docs/使用说明.md "$stage/使用说明.html"
# Windows' own certutil prints these sums too (certutil -hashfile FILE SHA256).
(cd "$stage" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs -d '\n' sha256sum >SHA256SUMS)

# Python's zip writer marks the Chinese names as UTF-8, which Windows'
# Explorer reads correctly.
python3 - "$stage" "build/package/$name.zip" <<'PY'
import os, sys, zipfile
stage, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
    for folder, _, files in sorted(os.walk(stage)):
        for f in sorted(files):
            path = os.path.join(folder, f)
            z.write(path, os.path.relpath(path, stage))
PY
echo "build/package/$name.zip"
