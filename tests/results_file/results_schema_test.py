"""Checks the results files the driver writes against docs/results.schema.json (which refers to
docs/study.schema.json), for completed, aborted, all-safe and clock-seeded runs, and that the
schema refuses what a results file must not hold.

usage: results_schema_test.py FERROLITH_CLI DOCS_FOLDER"""
import json
import os
import subprocess
import sys
import tempfile
import warnings

import jsonschema

cli, docs = sys.argv[1], sys.argv[2]


def load(name):
    with open(os.path.join(docs, name), encoding="utf-8") as f:
        return json.load(f)


results_schema, study_schema = load("results.schema.json"), load("study.schema.json")
jsonschema.Draft202012Validator.check_schema(results_schema)
with warnings.catch_warnings():
    warnings.simplefilter("ignore", DeprecationWarning)
    resolver = jsonschema.RefResolver.from_schema(
        results_schema, store={study_schema["$id"]: study_schema})
    validator = jsonschema.Draft202012Validator(results_schema, resolver=resolver)
failures = []

runs = {
    "completed": (["--seed", "1", "--repetitions", "4", "--samples", "500"], 0),
    "clock seed": (["--repetitions", "2", "--samples", "100"], 0),
    "all safe": (["--seed", "2", "--repetitions", "2", "--samples", "50",
                  "--param", "AllowableStress=2000,1"], 0),
    "reference engine": (["--seed", "5", "--repetitions", "2", "--samples", "30",
                          "--engine", "reference"], 0),
    "aborted": (["--seed", "3", "--dist", "0=Poisson"], 3),
}
written = {}
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "results.json")
    for name, (args, status) in runs.items():
        result = subprocess.run([cli, *args, "--json", path], capture_output=True, timeout=300)
        if result.returncode != status:
            failures.append(f"{name}: exit {result.returncode}: {result.stderr!r}")
            continue
        with open(path, encoding="utf-8") as f:
            written[name] = json.load(f)
        for error in validator.iter_errors(written[name]):
            failures.append(f"{name}: fails the schema at {list(error.path)}: {error.message}")

if "all safe" in written and written["all safe"]["beta"] is not None:
    failures.append("all safe: beta should be null (infinite)")
if "aborted" in written and written["aborted"]["outcome"] != "aborted":
    failures.append("aborted: outcome is not aborted")

if "completed" in written:
    good = written["completed"]

    def variant(change):
        data = json.loads(json.dumps(good))
        change(data)
        return data

    bad = {
        "unknown outcome": variant(lambda d: d.update(outcome="done")),
        "no failures": variant(lambda d: d.pop("failures")),
        "study without its seed": variant(lambda d: d["study"].pop("seed")),
        "study with a bad distribution": variant(
            lambda d: d["study"]["variables"][0].update(distribution="Weibull")),
        "pf above 1": variant(lambda d: d.update(pf=1.5)),
        "text for a figure": variant(lambda d: d.update(effectMean="17.7")),
        "repetition seed past 31328": variant(lambda d: d["repetitions"][0].update(seed=31329)),
        "unknown input": variant(lambda d: d["importance"].append(
            {"name": "Span", "meanAll": 1, "meanFailed": 1, "shift": 0})),
        "extra field": variant(lambda d: d.update(comment="x")),
    }
    for name, data in bad.items():
        if validator.is_valid(data):
            failures.append(f"{name}: the schema accepts it")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
