#!/usr/bin/env bash
# Makes the two Windows packages in the Windows build folder, each holding orlenda3001.exe and
# orlenda3001-cli.exe (static, stripped), README.md, LICENSE, THIRD-PARTY-NOTICES.txt and the sample
# pilot: orlenda3001-<version>-windows-x64.zip, which a player unzips and runs (one folder
# orlenda3001-<version>/), and orlenda3001-<version>-windows-x64.msi, the installer
# (packaging/windows/). Builds them first (scripts/build-windows.sh); needs the Windows Qt toolchain
# for the desktop program.
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

source scripts/lib.sh
version=$(project_version)
name="orlenda3001-${version}"
zip_file="$(pwd)/${dir}/${name}-windows-x64.zip"
staging="${dir}/package/${name}"
rm -rf "${dir}/package" "${zip_file}"
mkdir -p "${staging}"
for exe in "${program}" "${cli}"; do
  x86_64-w64-mingw32-strip -o "${staging}/$(basename "${exe}")" "${exe}"
done
cp README.md LICENSE THIRD-PARTY-NOTICES.txt "${sample}" "${staging}/"
(cd "${dir}/package" && zip -q -r -X "${zip_file}" "${name}")
echo "package-windows: ${zip_file} ($(du -h "${zip_file}" | cut -f1))"
unzip -l "${zip_file}"
msi_file="${dir}/${name}-windows-x64.msi"
bash packaging/windows/make-msi.sh "${staging}" "${version}" "${msi_file}" >/dev/null
echo "package-windows: ${msi_file} ($(du -h "${msi_file}" | cut -f1))"
