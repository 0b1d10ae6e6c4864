#!/usr/bin/env python3
"""Reads ledgerly-cli's reports back with real parsers: every JSON report of the
corpus against the schema, the CSV with the csv module (hostile values too), and
checks standard input, --version and that the manual page names every option.

usage: cli_formats_test.py CLI SCHEMA CORPUS_DIR MANUAL_PAGE"""
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

cli, schema_path, corpus, manual = sys.argv[1:5]
validator = jsonschema.Draft202012Validator(json.loads(Path(schema_path).read_text()))
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(*args, stdin=None):
    return subprocess.run([cli, "--quiet", *args], input=stdin, capture_output=True)


def reports(db):
    report = json.loads(run("--db", db, "--last", "--report", "json").stdout)
    rows = list(csv.reader(io.StringIO(run("--db", db, "--last", "--report", "csv").stdout.decode(),
                                       newline="")))
    return report, rows


def flattened(report):
    return [[str(r["rec_num"]), r["id"], r["identification"], str(e["err_num"]), e["type"],
             e["reference"], e["user_entry"], e["error"], e["code"], e.get("user_entry_bytes", "")]
            for r in report["records"] for e in r["errors"]]


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

version = subprocess.run([cli, "--version"], capture_output=True, text=True).stdout
check(re.fullmatch(r"ledgerly-cli \d+\.\d+\.\d+\n", version) is not None, f"--version: {version!r}")
help_text = "".join(subprocess.run([cli, *command, "--help"], capture_output=True, text=True).stdout
                    for command in ([], ["layout"]))
help_options = set(re.findall(r"--[a-z-]+", help_text))
manual_options = set(re.findall(r"--[a-z-]+", Path(manual).read_text().replace("\\-", "-")))
check(help_options == manual_options,
      f"manual page and --help differ: {sorted(help_options ^ manual_options)}")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
