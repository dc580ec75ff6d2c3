"""orlenda3001-cli roster over a folder with a failing file, in its three answers, read back as a
script would read them: CSV by Python's csv module, JSON by its json module.

Arguments: the program, the folder of real pilot files. Exits 77 (skipped) without that folder."""

import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile

PROGRAM, REAL_PILOTS = sys.argv[1], sys.argv[2]
if not os.path.isdir(REAL_PILOTS):
    print("the real pilot files are not beside this checkout")
    sys.exit(77)


def run(*arguments):
    done = subprocess.run([PROGRAM, "roster", "--ini", os.path.join(folder, "none.ini"), *arguments],
                          capture_output=True, env=dict(os.environ, LC_ALL="C"))
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def check(condition, message):
    if not condition:
        print("FAILED:", message)
        sys.exit(1)


with tempfile.TemporaryDirectory() as folder:
    shutil.copy(os.path.join(REAL_PILOTS, "xwa.plt"), os.path.join(folder, "xwa.plt"))
    # A name with a terminal escape in the file and in the pilot's name: the output must not carry it.
    escaped = os.path.join(folder, b"red\x1b[31m.plt".decode("utf-8", "surrogateescape"))
    shutil.copy(os.path.join(REAL_PILOTS, "germ.plt"), escaped)
    with open(escaped, "r+b") as pilot:
        pilot.write(b"G\x1b[2J\0")
    shutil.copy(os.path.join(REAL_PILOTS, "other-games", "VANGUARD717.PLT"), folder)
    wrong_size = "The file have wrong size. 1705 The plt file must be 152.076 bytes! " \
                 "1 Errors while loading file! This may not be a XWA pilotfile. " + \
                 os.path.join(folder, "VANGUARD717.PLT") + \
                 " is an X-Wing pilot file; this program reads X-Wing Alliance pilot files."

    status, out, err = run("--csv", "--sort", "total", folder)
    check(status == 1, "csv exit status %d: %s" % (status, err))
    rows = list(csv.DictReader(io.StringIO(out, newline="")))
    check([row["file"] for row in rows] == ["xwa.plt", "red\\x1B[31m.plt", "VANGUARD717.PLT"], out)
    check(rows[0]["name"] == "XWA-TC-56" and rows[0]["total"] == "15490" and rows[0]["score"] == "15490 (5890+9600)"
          and rows[0]["layout"] == "club battle" and rows[0]["won_missions"] == "5", rows[0])
    # The pilot's name is report text: its control characters show as "?", as in the report.
    check(rows[1]["name"] == "G?[2J" and rows[1]["errors"] == "1", rows[1])
    check(rows[2]["message"] == wrong_size and rows[2]["total"] == "", rows[2])
    check(out.endswith("\r\n") and "\x1b" not in out, "record ends and escapes")

    status, out, err = run("--json", folder)
    check(status == 1, "json exit status %d" % status)
    pilots = json.loads(out)
    check([p["file"] for p in pilots] == ["VANGUARD717.PLT", "red\\x1B[31m.plt", "xwa.plt"], out)
    check(pilots[0] == dict(pilots[0], loaded=False, message=wrong_size, total=None, export_line=None), pilots[0])
    check(pilots[1]["name"] == "G?[2J" and pilots[1]["export_line"].startswith("! "), pilots[1])
    check(pilots[2]["total"] == 15490 and pilots[2]["won_missions"] == 5 and pilots[2]["layout"] == "club battle" and pilots[2]["export_line"] == "xwa - Score: 15490 (5890+9600)", pilots[2])
    check("\x1b" not in out, "JSON escapes control characters")

    status, out, err = run(folder)
    lines = out.splitlines()
    check(status == 1 and len(lines) == 4 and "\x1b" not in out, out)
    check(lines[0].split()[:2] == ["File", "Name"], out)
    check(lines[0].index("Missions") + len("Missions") == lines[3].index("58  59 - ") + 2, "numbers right-aligned")
    check(lines[1] == "VANGUARD717.PLT  " + wrong_size, lines[1])

    status, out, err = run(os.path.join(folder, "xwa.plt"))
    check(status == 0, "one good file: exit status %d" % status)
    for arguments in (["--csv", "--json", folder], ["--sort", "nonsense", folder], []):
        status, out, err = run(*arguments)
        check(status == 2, "usage error for %s: %d" % (arguments, status))
# A name that is not UTF-8 shows its bytes escaped, alike in the three answers and with the table's
# columns aligned; a link that leads nowhere is a failed row with its reason.
with tempfile.TemporaryDirectory() as folder:
    shutil.copy(os.path.join(REAL_PILOTS, "xwa.plt"), os.path.join(folder, "xwa.plt"))
    shutil.copy(os.path.join(REAL_PILOTS, "xwa.plt"),
                os.path.join(folder, b"bad\xffname.plt".decode("utf-8", "surrogateescape")))
    os.symlink("gone.plt", os.path.join(folder, "dangling.plt"))
    gone = "Unable to open %s: No such file or directory." % os.path.join(folder, "dangling.plt")
    csv_rows = list(csv.DictReader(io.StringIO(run("--csv", folder)[1], newline="")))
    json_rows = json.loads(run("--json", folder)[1])
    for rows in (csv_rows, json_rows):
        check([row["file"] for row in rows] == ["bad\\xFFname.plt", "dangling.plt", "xwa.plt"], rows)
        check(rows[1]["message"] == gone, rows[1])
    status, out, err = run(folder)
    lines = out.splitlines()
    check(status == 1 and lines[1].startswith("bad\\xFFname.plt  XWA-TC-56"), out)
    check(lines[2] == "dangling.plt     " + gone, out)
    check(lines[1].index("15490") == lines[3].index("15490"), "columns aligned: " + out)
print("passed")
