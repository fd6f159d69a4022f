"""Checks the study files the driver writes against docs/study.schema.json, and that the schema
and the driver agree on bad files: each is refused by both.

usage: study_schema_test.py FERROLITH_CLI SCHEMA"""
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

cli, schema_path = sys.argv[1], sys.argv[2]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []


def run(*args):
    return subprocess.run([cli, *args], capture_output=True, timeout=120)


def write(folder, name, study):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as f:
        json.dump(study, f)
    return path


with tempfile.TemporaryDirectory() as folder:
    written = {}
    for name, args in {
        "defaults": ["--repetitions", "1", "--samples", "1"],
        "typed target": ["--repetitions", "1", "--samples", "1", "--target-index", "4.5",
                         "--reference-period", "1", "--load-role", "UdlValue=permanent"],
        "seeded": ["--seed", "18446744073709551615", "--dist", "0=Others to follow",
                   "--param", "UdlValue=Grüße", "--repetitions", " 2.5", "--samples", "1"],
        "project": ["--repetitions", "1", "--samples", "1", "--project", "Footbridge 7",
                    "--engineer", "Grüße", "--checker", "c" * 100],
    }.items():
        path = os.path.join(folder, name + ".json")
        run(*args, "--save-study", path)
        with open(path, encoding="utf-8") as f:
            written[name] = json.load(f)
        for error in validator.iter_errors(written[name]):
            failures.append(f"{name}: written study fails the schema: {error.message}")
        if b"The study file" in run("--study", path).stderr:
            failures.append(f"{name}: the driver does not read back what it wrote")

    if written["project"].get("engineer") != "Grüße" or "project" in written["defaults"]:
        failures.append("project: the study does not hold the project details given, or holds "
                        "empty ones")

    good = written["seeded"]
    if good["seed"] != 18446744073709551615 or good["variables"][6]["parameters"] != "Grüße":
        failures.append("seeded: the study does not hold the options given")
    if good["schemaVersion"] != 3 or good["target"] != {
            "reliabilityClass": "RC2", "referencePeriodYears": 50, "typed": None}:
        failures.append("seeded: the study does not hold version 3's default target")

    # Studies of versions 1 and 2 still read.
    for version, index in ((1, None), (2, 3.8), (2, 4.5)):
        older = json.loads(json.dumps(written["defaults"]))
        for field in ("target", "loadRoles", "fractiles"):
            older.pop(field)
        older["schemaVersion"] = version
        if index is not None:
            older["targetIndex"] = index
        for error in validator.iter_errors(older):
            failures.append(f"version {version}: fails the schema: {error.message}")
        if run("--study", write(folder, "older.json", older)).returncode != 0:
            failures.append(f"version {version}: the driver does not read it")

    def variant(change):
        study = json.loads(json.dumps(good))
        change(study)
        return study

    bad = {
        "version 4": variant(lambda s: s.update(schemaVersion=4)),
        "version as text": variant(lambda s: s.update(schemaVersion="3")),
        "version 1 with a target": variant(lambda s: s.update(schemaVersion=1)),
        "version 2 with a target": variant(lambda s: s.update(schemaVersion=2, targetIndex=3.8)),
        "version 3 with a target index": variant(lambda s: s.update(targetIndex=3.8)),
        "version 3 without a target": variant(lambda s: s.pop("target")),
        "class RC4": variant(lambda s: s["target"].update(reliabilityClass="RC4")),
        "period of 10 years": variant(lambda s: s["target"].update(referencePeriodYears=10)),
        "typed target past 8": variant(
            lambda s: s["target"].update(typed={"index": 8.5, "source": "x"})),
        "typed target as text": variant(
            lambda s: s["target"].update(typed={"index": "3.8", "source": "x"})),
        "typed target without a source": variant(lambda s: s["target"].update(typed={"index": 4})),
        "unknown role": variant(lambda s: s["loadRoles"].update(UdlValue="live")),
        "role of the span": variant(lambda s: s["loadRoles"].update(BeamLength="permanent")),
        "fractile of 1": variant(lambda s: s["fractiles"].update(allowableStress=1)),
        "fractile of 0": variant(lambda s: s["fractiles"].update(variableLoadAnnualMaximum=0)),
        "engineer on two lines": variant(lambda s: s.update(engineer="A\nB")),
        "project too long": variant(lambda s: s.update(project="p" * 101)),
        "checker as a number": variant(lambda s: s.update(checker=7)),
        "project in version 2": variant(
            lambda s: s.update(schemaVersion=2, targetIndex=3.8, project="x") or
            [s.pop(f) for f in ("target", "loadRoles", "fractiles")]),
        "no samples": variant(lambda s: s.pop("samples")),
        "number for a text": variant(lambda s: s.update(repetitions=25)),
        "text for the seed": variant(lambda s: s.update(seed="12")),
        "negative seed": variant(lambda s: s.update(seed=-1)),
        "fractional seed": variant(lambda s: s.update(seed=1.5)),
        "seed past 64 bits": variant(lambda s: s.update(seed=18446744073709551616)),
        "unknown field": variant(lambda s: s.update(sample="1")),
        "six variables": variant(lambda s: s["variables"].pop()),
        "unknown variable": variant(lambda s: s["variables"][2].update(name="BeamHeight")),
        "out of place": variant(lambda s: s["variables"].reverse()),
        "unknown distribution": variant(lambda s: s["variables"][1].update(distribution="normal")),
        "no parameters": variant(lambda s: s["variables"][3].pop("parameters")),
        "extra variable field": variant(lambda s: s["variables"][3].update(unit="mm")),
    }
    for name, study in bad.items():
        if validator.is_valid(study):
            failures.append(f"{name}: the schema accepts it")
        result = run("--study", write(folder, "bad.json", study))
        if result.returncode != 2 or b"is not a study: " not in result.stderr:
            failures.append(f"{name}: the driver does not refuse it: {result.stderr!r}")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
