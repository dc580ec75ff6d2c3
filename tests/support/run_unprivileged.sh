#!/usr/bin/env bash
# Runs a test program with the rights of an ordinary account, so that the tests of what file
# permissions refuse run instead of skipping where the tests run as root (as in CI):
#
#   run_unprivileged.sh PROGRAM [ARGUMENTS...]
#
# An ordinary account runs PROGRAM as it is. Root runs a copy of it as the account nobody, in a scratch
# folder that nobody owns (its home and temporary folder for the run), so that no folder of the
# checkout needs to be open to that account.
set -euo pipefail

program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
  exec "${program}" "$@"
fi

scratch=$(mktemp -d)
trap 'rm -rf "${scratch}"' EXIT
cp "${program}" "${scratch}/"
chown -R nobody "${scratch}"
chmod 0755 "${scratch}"
cd "${scratch}"
HOME="${scratch}" TMPDIR="${scratch}" \
  setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups -- "${scratch}/$(basename "${program}")" "$@"
