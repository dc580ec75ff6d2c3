#!/usr/bin/env bash
# Makes the Windows zip that a player unzips and runs: orlenda3001-<version>-windows-x64.zip in the
# Windows build folder, holding orlenda3001.exe and orlenda3001-cli.exe (static, stripped), README.md
# and the sample pilot, in one folder orlenda3001-<version>/. Builds them first
# (scripts/build-windows.sh); needs the Windows Qt toolchain for the desktop program.
#
#   scripts/package-windows.sh        Environment: WINDOWS_BUILD_DIR (default build-windows),
#                                     ORLENDA_WINDOWS_QT (see scripts/build-windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${WINDOWS_BUILD_DIR:-build-windows}

bash scripts/build-windows.sh orlenda3001 orlenda3001-cli sample_pilot
program="${dir}/app/orlenda3001.exe"
cli="${dir}/cli/orlenda3001-cli.exe"
sample="${dir}/samples/Red_Kestrel.plt"
[ -f "${program}" ] || { echo "package-windows: no ${program}: the desktop program needs the Windows Qt toolchain" >&2; exit 1; }

version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="orlenda3001-${version}"
zip_file="$(pwd)/${dir}/${name}-windows-x64.zip"
staging="${dir}/package/${name}"
rm -rf "${dir}/package" "${zip_file}"
mkdir -p "${staging}"
for exe in "${program}" "${cli}"; do
  x86_64-w64-mingw32-strip -o "${staging}/$(basename "${exe}")" "${exe}"
done
cp README.md "${sample}" "${staging}/"
(cd "${dir}/package" && zip -q -r -X "${zip_file}" "${name}")
echo "package-windows: ${zip_file} ($(du -h "${zip_file}" | cut -f1))"
unzip -l "${zip_file}"
