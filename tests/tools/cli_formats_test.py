#!/usr/bin/env python3
"""Reads ledgerly-cli's reports back with real parsers: every JSON report of the
corpus against the schema, the CSV with the csv module (hostile values too), and
checks standard input, --version and that the manual page names every option.

usage: cli_formats_test.py CLI SCHEMA_DIR CORPUS_DIR MANUAL_PAGE [EMULATOR]
(EMULATOR runs a CLI built for another system, such as wine64)"""
import csv
import io
import json
import re
import sqlite3
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema
import junitparser

program, schemas, corpus, manual = sys.argv[1:5]
cli = [*sys.argv[5:6], program]
# Run under an emulator, the program is a Windows one: its files have no POSIX modes
# (they are private by the folder's access list), so modes are checked here only.
on_windows = len(sys.argv) > 5
validator = jsonschema.Draft202012Validator(
    json.loads((Path(schemas) / "report.schema.json").read_text()))
sarif_validator = jsonschema.Draft4Validator(
    json.loads((Path(schemas) / "sarif-schema-2.1.0.json").read_text()))
junit_xsd = str(Path(schemas) / "junit-10.xsd")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(*args, stdin=None):
    return subprocess.run([*cli, "--quiet", *args], input=stdin, capture_output=True)


def reports(db):
    report = json.loads(run("--db", db, "--last", "--report", "json").stdout)
    rows = list(csv.reader(io.StringIO(run("--db", db, "--last", "--report", "csv").stdout.decode(),
                                       newline="")))
    return report, rows


def flattened(report):
    return [[str(r["rec_num"]), r["id"], r["identification"], str(e["err_num"]), e["type"],
             e["reference"], e["user_entry"], e["error"], e["code"], e.get("user_entry_bytes", "")]
            for r in report["records"] for e in r["errors"]]


def private(path, mode):
    return on_windows or path.stat().st_mode & 0o777 == mode


def disarmed(value):
    return "'" + value if value[:1] in ("=", "+", "-", "@", "\t", "\r") else value


catalogue = {entry["code"]: entry for entry in json.loads(run("rules", "--format", "json").stdout)}
with tempfile.TemporaryDirectory() as tmp:
    db = str(Path(tmp) / "ERRORLOG.MDB")
    for submission in sorted(Path(corpus).glob("*.txt")):
        run("--db", db, str(submission))
        report, rows = reports(db)
        for error in validator.iter_errors(report):
            failures.append(f"{submission.name}: {error.message}")
        check(rows[0] == "rec_num,id,identification,err_num,type,reference,user_entry,error,code,user_entry_bytes"
              .split(","), f"{submission.name}: CSV header")
        for e in (e for r in report["records"] for e in r["errors"]):
            entry = catalogue.get(e["code"], {})
            check([e["field"], e["start"], e["end"]] == [entry.get("field"), entry.get("start"),
                                                        entry.get("end")] and entry,
                  f"{submission.name}: {e['code']} is not its catalogue entry")
        check(rows[1:] == [[disarmed(v) for v in row] for row in flattened(report)],
              f"{submission.name}: CSV rows differ from the JSON report")
        check(sum(s["count"] for s in report["summary"]) == report["errors_found"],
              f"{submission.name}: summary counts")
        check(report["valid"] == (report["errors_found"] == 0)
              and (report["stopped_by"] == "critical") == (report["critical"] is not None)
              and report["complete"] == (report["critical"] is None), f"{submission.name}: verdict")

    # Untrusted values in every text column the CSV shows.
    run("--db", db, str(Path(corpus) / "faulty-wages.txt"))
    hostile = ["=cmd|' /C calc'!A0", 'a "quoted", comma', "two\r\nlines", "@SUM(1)", "-1+2"]
    with sqlite3.connect(db) as con:
        con.execute("UPDATE RECORDS SET RecReference = ?", (hostile[0],))
        for i, value in enumerate(hostile):
            con.execute("INSERT INTO ERRORS (Rec_Num, Reference, User_Entry, Error) "
                        "VALUES (3, ?, ?, ?)", (hostile[-1 - i], value, value))
    report, rows = reports(db)
    check(not list(validator.iter_errors(report)), "hostile: JSON report not valid")
    check(len(rows) == len(flattened(report)) + 1, "hostile: CSV row count")
    check(rows[1:] == [[disarmed(v) for v in row] for row in flattened(report)],
          "hostile: CSV values")
    check(["'=cmd|' /C calc'!A0"] * 2 in [row[6:8] for row in rows], "hostile: formula kept")

    # "-" reads standard input; the run is the same as from the file.
    clean = (Path(corpus) / "clean.txt").read_bytes()
    status = run("--db", db, "-", stdin=clean).returncode
    check(status == 0, f"standard input: exit status {status}")

# --mask all: no SSN, EIN or name of the submission is left in any report.
layouts = json.loads(subprocess.run([*cli, "layout", "--format", "json"], capture_output=True).stdout)
sensitive = {t["record"]: [(f["start"], f["end"]) for f in t["fields"]
                           if any(k in f["name"] for k in ("SSN", "EIN", "Name"))] for t in layouts}


def originals(db):
    with sqlite3.connect(db) as con:
        rows = con.execute("SELECT ID, Record FROM RECORDS").fetchall()
    return {record[a - 1:b].strip() for rid, record in rows for a, b in sensitive.get(rid, [])
            if len(record[a - 1:b].strip()) >= 3}


with tempfile.TemporaryDirectory() as tmp:
    db = str(Path(tmp) / "ERRORLOG.MDB")
    for submission in [*sorted(Path(corpus).glob("faulty-*.txt")), "a name"]:
        if submission == "a name":
            with sqlite3.connect(db) as con:
                con.execute("INSERT INTO ERRORS (Rec_Num, Reference, User_Entry, Error) VALUES (3, "
                            "'Employee Last Name [Position 42 - 61]', '[VANDERBILT JONES    ]', 'x')")
        else:
            run("--db", db, str(submission))
        values = originals(db) | {"VANDERBILT", "JONES"}
        for fmt in ["text", "html", "json", "csv", "summary", "junit", "sarif", "github"]:
            shown = run("--db", db, "--last", "-f", fmt, "--mask", "all").stdout.decode()
            left = [v for v in values if v in shown.replace("<!DOCTYPE HTML PUBLIC", "")]
            check(not left, f"{submission}: {fmt} --mask all shows {left}")
    masked = run("--db", db, "--last", "-f", "json", "--mask", "all").stdout.decode()
    check("SSN: ***-**-6789" in masked and "[V.         J.       ]" in masked, "mask forms")
    plain = run("--db", db, "--last", "-f", "json", "--mask", "ein").stdout.decode()
    check("VANDERBILT" in plain and "SSN: 123456789" in plain, "--mask ein hides only EINs")

# The CI formats of every submission of the corpus: SARIF against the official
# 2.1.0 schema, JUnit against the common XSD and read back by junitparser, and
# one annotation per error; SSNs and names masked unless --no-mask.
codes = {code for code, entry in catalogue.items() if entry["severity"] != "diagnosis"}
annotation = re.compile(r"::error file=[^,]*,line=\d+,col=\d+,endColumn=\d+,title=[^:]+::.+")
with tempfile.TemporaryDirectory() as tmp:
    db, xml = str(Path(tmp) / "ERRORLOG.MDB"), str(Path(tmp) / "junit.xml")
    for submission in sorted(Path(corpus).glob("*.txt")):
        name = submission.name
        run("--db", db, str(submission))
        report = json.loads(run("--db", db, "--last", "-f", "json").stdout)
        fired = {e["code"] for r in report["records"] for e in r["errors"]}
        sarif = json.loads(run("--db", db, "--last", "-f", "sarif").stdout)
        failures.extend(f"{name}: SARIF {e.message}" for e in sarif_validator.iter_errors(sarif))
        results = sarif["runs"][0]["results"]
        check(len(results) == report["errors_found"] and
              {r["ruleId"] for r in results} == fired and
              {r["id"] for r in sarif["runs"][0]["tool"]["driver"]["rules"]} == codes,
              f"{name}: SARIF results and rules")
        run("--db", db, "--last", "-f", f"junit:{xml}")
        lint = subprocess.run(["xmllint", "--noout", "--schema", junit_xsd, xml], capture_output=True)
        check(lint.returncode == 0, f"{name}: JUnit XSD: {lint.stderr[-300:]!r}")
        cases = [case for suite in junitparser.JUnitXml.fromfile(xml) for case in suite]
        failed = {case.name for case in cases if not case.is_passed}
        check(failed == fired and len(cases) > len(failed), f"{name}: JUnit {failed} vs {fired}")
        github = run("--db", db, "--last", "-f", "github").stdout.decode().splitlines()
        check(all(annotation.fullmatch(line) for line in github[:-1]) and
              len(github) == report["errors_found"] + 1, f"{name}: github lines {github[:2]}")
    run("--db", db, str(Path(corpus) / "faulty-wages.txt"))
    for args, shown in (([], "SSN: ***-**-6789"), (["--no-mask"], "SSN: 123456789")):
        for fmt in ("junit", "sarif", "github"):
            out = run("--db", db, "--last", "-f", fmt, *args).stdout.decode()
            check(shown in out, f"{fmt} {args}: {shown} not shown")

# Redaction keeps the problem: each faulty submission's copy draws the same codes on the
# same records (the program checks it), holds no original SSN, EIN, name, address, phone
# or e-mail, and is the same for the same seed.
personal = ("SSN", "EIN", "Name", "Address", "City", "Zip", "Postal", "Province", "Phone", "Fax",
            "E-Mail", "User ID")
personal_fields = {t["record"]: [(f["start"], f["end"]) for f in t["fields"]
                                 if any(k in f["name"] for k in personal)] for t in layouts}
replaced = 0
with tempfile.TemporaryDirectory() as tmp:
    for submission in sorted(Path(corpus).glob("*.txt")):
        copies = [Path(tmp) / f"{submission.stem}.{i}" for i in (1, 2)]
        for copy in copies:
            r = run("redact", str(submission), "-o", str(copy), "--seed", "17")
            check(r.returncode == 0 and b"Both draw the same" in r.stdout,
                  f"redact {submission.name}: {r.returncode} {r.stderr[-300:]!r}")
        text, redacted = submission.read_text(errors="replace"), copies[0].read_text(errors="replace")
        # Every field that held something holds something else, and no longer value is
        # anywhere in the copy (a short one may be part of an amount).
        pairs = [(line[a - 1:b], fake[a - 1:b]) for line, fake in
                 zip(text.splitlines(), redacted.splitlines())
                 for a, b in personal_fields.get(line[:2].upper(), []) if len(line) >= b]
        left = [v for v, fake in pairs if v.strip() and (v == fake or
                                                         (len(v.strip()) >= 5 and v.strip() in redacted))]
        check(not left and len(redacted) == len(text), f"redact {submission.name}: left {left}")
        replaced += sum(1 for v, _ in pairs if v.strip())
        check(copies[0].read_bytes() == copies[1].read_bytes() and
              private(copies[0], 0o600), f"redact {submission.name}: same seed")

check(replaced > 100, f"redact: only {replaced} fields replaced in the corpus")

# Several reports from one run, each to its own place; two to one place are refused.
with tempfile.TemporaryDirectory() as tmp:
    t, faulty = Path(tmp), str(Path(corpus) / "faulty-wages.txt")
    db = str(t / "E.MDB")
    r = run("--db", db, "-f", "json:-", "--report", f"csv:{t / 'r.csv'}", "-f", "text",
            "-o", str(t / "r.txt"), faulty)
    check(r.returncode == 1 and json.loads(r.stdout)["errors_found"] == 2, "several reports: json")
    check((t / "r.csv").read_text().count("\n") == 3, "several reports: csv")
    check(b"LEDGERLY TAX YEAR" in (t / "r.txt").read_bytes(), "several reports: text")
    r = run("--db", db, "--error-limit", "1", "-f", "json", faulty)
    check(json.loads(r.stdout)["stopped_by"] == "error_limit", "stopped by the error limit")
    # Nothing tested: the JSON report is still a document, and says why.
    r = run("--db", db, "-f", "json", "-f", f"csv:{t / 'x.csv'}", str(t / "absent.txt"))
    doc = json.loads(r.stdout)
    check(r.returncode == 3 and doc["error"]["exit_status"] == 3 and "absent.txt" in
          doc["error"]["message"] and not list(validator.iter_errors(doc)) and
          not (t / "x.csv").exists(), f"JSON when nothing was tested: {doc}")
    r = run("--db", db, "-f", "json", "-f", "csv", faulty)
    check(r.returncode == 3 and b"Two reports cannot both go to standard output" in r.stderr,
          f"two reports to stdout: {r.returncode} {r.stderr!r}")
    # 0 is no limit; --isolated ignores the desktop program's limit of 1.
    home = t / "home"
    home.mkdir(mode=0o700)
    (home / "ErrSetLog.ini").write_text("[Maximum Error Count]:1\n")
    env = {"LEDGERLY_HOME": str(home), "PATH": "/usr/bin:/bin"}
    for args, status in ((["--error-limit", "1"], 2), (["--error-limit", "0"], 1), ([], 2),
                         (["--isolated"], 1)):
        got = subprocess.run([*cli, "-q", *args, faulty], capture_output=True, env=env).returncode
        check(got == status, f"{args}: exit status {got}, not {status}")
    check((home / "ErrSetLog.ini").read_text() == "[Maximum Error Count]:1\n", "ini rewritten")

# A batch: each file its own submission and database, two at once, in the order given.
with tempfile.TemporaryDirectory() as tmp:
    t = Path(tmp)
    names = ["clean.txt", "faulty-wages.txt", "absent.txt", "wrong-order.txt"]
    r = run("batch", "--jobs", "2", "--results", str(t / "res"), "-f", "json",
            "--summary", f"json:{t / 'batch.json'}", *[str(Path(corpus) / n) for n in names])
    lines = r.stdout.decode().splitlines()
    check(r.returncode == 3 and len(lines) == len(names) + 2, f"batch: {r.returncode} {lines}")
    statuses = [line.split("\t")[5].split(":")[0] for line in lines[1:-1]]
    check(statuses == ["clean", "errors", "not tested", "stopped"], f"batch statuses {statuses}")
    summary = json.loads((t / "batch.json").read_text())
    check([f["exit_status"] for f in summary["files"]] == [0, 1, 3, 2], "batch summary")
    check(private(t / "res", 0o700), "batch results folder mode")
    for name, status in zip(names, [0, 1, 3, 2]):
        if status == 3:
            continue
        report = json.loads((t / "res" / f"{name}.json").read_text())
        check(not list(validator.iter_errors(report)), f"batch {name}: report not valid")
        check(private(t / "res" / f"{name}.MDB", 0o600), f"{name}: mode")
    run("batch", "--results", str(t / "res"), "--summary", f"junit:{t / 'batch.xml'}",
        *[str(Path(corpus) / n) for n in names])
    lint = subprocess.run(["xmllint", "--noout", "--schema", junit_xsd, str(t / "batch.xml")],
                          capture_output=True)
    suites = list(junitparser.JUnitXml.fromfile(str(t / "batch.xml")))
    check(lint.returncode == 0 and [(s.failures > 0, s.errors) for s in suites] ==
          [(False, 0), (True, 0), (False, 1), (True, 0)], f"batch JUnit: {lint.stderr!r}")
    (t / "res" / "clean.txt.MDB").write_text("not a result database")
    r = run("batch", "--results", str(t / "res"), str(Path(corpus) / "clean.txt"))
    check(r.returncode == 3 and "not an SQLite database" in r.stdout.decode(),
          f"batch overwrote a file not its own: {r.stdout!r}")

version = subprocess.run([*cli, "--version"], capture_output=True, text=True).stdout
check(re.fullmatch(r"ledgerly-cli \d+\.\d+\.\d+\n", version) is not None, f"--version: {version!r}")
help_text = "".join(subprocess.run([*cli, *command, "--help"], capture_output=True, text=True).stdout
                    for command in ([], ["layout"], ["batch"], ["redact"]))
help_options = set(re.findall(r"--[a-z-]+", help_text))
manual_options = set(re.findall(r"--[a-z-]+", Path(manual).read_text().replace("\\-", "-")))
check(help_options == manual_options,
      f"manual page and --help differ: {sorted(help_options ^ manual_options)}")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
