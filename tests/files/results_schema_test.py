"""Checks the results files the driver writes against docs/results.schema.json (which refers to
docs/study.schema.json), for completed, aborted, all-safe and clock-seeded runs, the figures
that must claim no more than the run knows, a file of each method (FORM, SORM, importance
sampling, also where the origin fails and from one sample, FORM without a design point, subset
simulation), the
inputs' range warnings, a design for the target reached and out of reach, that the schema refuses what a results file must not hold
and that it still accepts files of versions 1, 2, 3 and 4.

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
    # Every stream gives the same Pf: 0 here, 2 failures in 50000 samples below.
    "many streams, none failing": (["--seed", "26", "--repetitions", "3000", "--samples", "300",
                                    "--param", "AllowableStress=100,3"], 0),
    "two streams agreeing": (["--seed", "700", "--repetitions", "2", "--samples", "25000",
                              "--param", "AllowableStress=60,3"], 0),
    "one sample a repetition": (["--seed", "4", "--repetitions", "40", "--samples", "1"], 0),
    # Rate 4, shape 0.05: lengths far below the 3.845 to 4.155 m that 4,0.05 means as a Normal.
    "range warning": (["--seed", "1", "--repetitions", "2", "--samples", "100",
                       "--param", "BeamLength=4,0.05", "--dist", "BeamLength=Gamma"], 0),
    "form range warning": (["--method", "form", "--param", "AllowableStress=20,3",
                            "--dist", "AllowableStress=Log-Normal"], 0),
    "form": (["--method", "form"], 0),
    # A typed target over 1 year; a permanent Gamma UDL stays, a variable one does not convert.
    "form, gamma permanent": (["--method", "form", "--reference-period", "1", "--target-index",
                               "4.5", "--load-role", "UdlValue=permanent", "--dist",
                               "UdlValue=Gamma", "--param", "UdlValue=0.5,0.6"], 0),
    "form, gamma variable": (["--method", "form", "--dist", "UdlValue=Gamma", "--param",
                              "UdlValue=0.5,0.6"], 0),
    # Two mirror design points, beta 3.578 and 3.579.
    "form of two design points": (["--method", "form", "--param", "PointLoadLocation=2,2",
                                   "--param", "PointLoadValue=0,4",
                                   "--param", "AllowableStress=80,3"], 0),
    "sorm": (["--method", "sorm", "--seed", "1"], 0),
    "importance sampling": (["--method", "importance-sampling", "--seed", "1",
                             "--is-samples", "2000"], 0),
    # FORM's beta below 0 (the safe side is sampled), and a single sample (an interval of 0 to 1).
    "importance sampling, beam failing": (["--method", "importance-sampling", "--seed", "7",
                                           "--param", "BeamDepth=75,10"], 0),
    "importance sampling, gamma failing": (["--method", "importance-sampling", "--seed", "23",
                                            "--dist", "2=Gamma", "--param", "2=1,0.5"], 0),
    "importance sampling, one sample": (["--method", "importance-sampling", "--seed", "1",
                                         "--is-samples", "1"], 0),
    "importance sampling to a target": (["--method", "importance-sampling", "--seed", "1",
                                         "--target-cov", "0.1"], 0),
    "importance sampling at its cap": (["--method", "importance-sampling", "--seed", "1",
                                        "--is-samples", "2000", "--target-cov", "0.001"], 0),
    "form aborted": (["--method", "form", "--dist", "0=Poisson"], 3),
    "subset simulation": (["--method", "subset-simulation", "--seed", "1", "--subset-runs", "2"], 0),
    "independent monte carlo": (["--method", "independent-monte-carlo", "--seed", "2",
                                 "--repetitions", "3", "--samples", "200"], 0),
    # The depth at which the rare case meets RC2 over 50 years, and a range that cannot reach it.
    "design for the target": (["--design-for", "BeamDepth", "--seed", "1", "--is-samples", "2000",
                               "--param", "AllowableStress=90,3"], 0),
    "design out of reach": (["--design-for", "BeamDepth", "--keep", "cov", "--range", "100:150",
                             "--param", "AllowableStress=90,3"], 0),
    # Every standard deviation 0: the limit state is flat and FORM finds no design point.
    "form not converged": (["--method", "importance-sampling", *[
        x for v, mean in enumerate((4, 75, 225, 20, 2, 10, 4)) for x in ("--param", f"{v}={mean},0")
    ]], 6),
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

methods = {"form", "form, gamma permanent", "form, gamma variable", "form of two design points",
           "sorm", "importance sampling", "form aborted", "form not converged",
           "independent monte carlo", "form range warning", "importance sampling, beam failing",
           "importance sampling, gamma failing", "importance sampling, one sample",
           "subset simulation", "importance sampling to a target",
           "importance sampling at its cap", "design for the target", "design out of reach"}
designs = {"design for the target": True, "design out of reach": False}
for name, run in written.items():
    method = run["method"]
    if (name in methods) != (method != "monte-carlo"):
        failures.append(f"{name}: method {method}")
    if name not in methods and run["form"] is None:
        failures.append(f"{name}: a design run without FORM")
for name, run in written.items():
    design = run.get("designForTarget")
    if (design is not None) != (name in designs) or (
            design and (design["reached"], design["check"] is not None) != (designs[name],) * 2):
        failures.append(f"{name}: designForTarget {design and design['reached']}")
if "independent monte carlo" in written:
    run = written["independent monte carlo"]
    if run["engine"] != "streams" or [r["seed"] for r in run["repetitions"]] != [1, 2, 3]:
        failures.append(f"independent monte carlo: engine {run['engine']}, streams "
                        f"{[r['seed'] for r in run['repetitions']]}")
for name, field in (("sorm", "sorm"), ("importance sampling", "importanceSampling"),
                    ("subset simulation", "subsetSimulation")):
    if name in written and written[name][field] is None:
        failures.append(f"{name}: no {field}")
for name, run in written.items():
    sampling = run.get("importanceSampling")
    if sampling and sampling["pf"] is not None:
        interval = sampling["pfInterval95"]
        if not interval["lower"] <= sampling["pf"] <= interval["upper"]:
            failures.append(f"{name}: pf {sampling['pf']} outside its interval {interval}")
for name, beta_null in (("form", False), ("form, gamma permanent", False),
                        ("form, gamma variable", True)):
    if name not in written:
        continue
    form = written[name]["form"]
    other, values = form["otherPeriod"], form["designValues"]
    if (other["beta"] is None) != beta_null or not other["text"] or values is None:
        failures.append(f"{name}: other period {other}, design values {values}")
if "form, gamma permanent" in written:
    run = written["form, gamma permanent"]
    if run["verdict"]["basis"] != "1-year loads: beta 4.50 (command line)":
        failures.append(f"form, gamma permanent: basis {run['verdict']['basis']}")
if "subset simulation" in written:
    subset = written["subset simulation"]["subsetSimulation"]
    interval = subset["pfInterval95"]
    levels = subset["runs"][0]["levels"]
    if (not interval["lower"] <= subset["pf"] <= interval["upper"] or len(subset["runs"]) != 2
            or subset["samplingEnd"] != "count" or levels[-1]["threshold"] != 0
            or not subset["covNote"]):
        failures.append(f"subset simulation: {subset}")
ends = {"importance sampling": (None, "count"), "importance sampling to a target": (0.1, "target-cov"),
        "importance sampling at its cap": (0.001, "cap")}
for name in ends.keys() & written.keys():
    sampling = written[name]["importanceSampling"]
    if (sampling["targetCov"], sampling["samplingEnd"]) != ends[name]:
        failures.append(f"{name}: target {sampling['targetCov']}, ended on "
                        f"{sampling['samplingEnd']}")
if "form not converged" in written:
    form = written["form not converged"]["form"]
    if form["converged"] or form["beta"] is not None or not form["message"]:
        failures.append(f"form not converged: {form}")
if "form of two design points" in written and "form" in written:
    two, one = written["form of two design points"]["form"], written["form"]["form"]
    betas = [round(p["beta"], 3) for p in two["designPoints"]]
    if betas != [3.578, 3.579] or two["designPoints"][0]["inputs"] != two["designPoint"]:
        failures.append(f"form of two design points: design points of beta {betas}")
    if not two["severalPointsWarning"] or not two["pf"] < two["system"]["pf"] <= 2 * two["pf"]:
        failures.append(f"form of two design points: warning {two['severalPointsWarning']!r}, "
                        f"system {two['system']}")
    if (len(one["designPoints"]) != 1 or one["severalPointsWarning"] is not None
            or one["system"] != {"pf": one["pf"], "beta": one["beta"], "error": 0}):
        failures.append(f"form: design points {one['designPoints']}, system {one['system']}")
ranged = {"range warning": "BeamLength", "form range warning": "AllowableStress"}
# A point load that may stand either side of midspan also gives locations below zero.
out_of_range = dict(ranged, **{"form of two design points": "PointLoadLocation"})
for name, run in written.items():
    names = [w["name"] for w in run["rangeWarnings"]]
    if names != ([out_of_range[name]] if name in out_of_range else []):
        failures.append(f"{name}: range warnings of {names}")
for name in ranged.keys() & written.keys():
    w = written[name]["rangeWarnings"][0]
    outside = not w["normalLower"] <= w["median"] <= w["normalUpper"]
    if not (w["lower"] <= w["median"] <= w["upper"] and outside and w["text"]):
        failures.append(f"{name}: range warning {w}")
if "all safe" in written and written["all safe"]["beta"] is not None:
    failures.append("all safe: beta should be null (infinite)")
if "aborted" in written and written["aborted"]["outcome"] != "aborted":
    failures.append("aborted: outcome is not aborted")
for name in ("all safe", "many streams, none failing", "two streams agreeing"):
    if name in written and written[name]["streamInterval95"] is not None:
        failures.append(f"{name}: a between-stream interval without spread: "
                        f"{written[name]['streamInterval95']}")
if "two streams agreeing" in written:
    run = written["two streams agreeing"]
    if run["failures"] != 2 or run["returnPeriod"] != run["totalSimulations"] / run["failures"]:
        failures.append(f"two streams agreeing: return period {run['returnPeriod']} "
                        f"from {run['failures']} failures")
for name, run in written.items():
    if name in methods - {"independent monte carlo"}:
        continue
    # Below 100 samples a repetition, once a repetition has completed, a warning names the count.
    samples = int(run["study"]["samples"])
    few = samples < 100 and run["failures"] is not None
    warning = run.get("smallSampleWarning")
    start = f"With only {samples} sample{'' if samples == 1 else 's'} a repetition, Pf is biased: "
    if few != isinstance(warning, str) or (few and not warning.startswith(start)):
        failures.append(f"{name}: small-sample warning {warning!r}")

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
        "version 6": variant(lambda d: d.update(schemaVersion=6)),
        "verdict without its basis": variant(lambda d: d["verdict"].pop("basis")),
        "method's verdict without its basis": variant(lambda d: d["methods"][0]["verdict"].pop("basis")),
        "form without the other period": variant(lambda d: d["form"].pop("otherPeriod")),
        "design values of six inputs": variant(
            lambda d: d["form"]["designValues"]["inputs"].pop()),
        "version 5 without the design points": variant(lambda d: d["form"].pop("designPoints")),
        "version 4 with the design points": variant(lambda d: d.update(schemaVersion=4)),
        "version 5 without disagreements": variant(lambda d: d.pop("disagreements")),
        "disagreement of one method": variant(lambda d: d.update(disagreements=[
            {"methods": ["form"], "ratio": 2.0, "text": "x"}])),
        "system pf above 1": variant(lambda d: d["form"]["system"].update(pf=1.5)),
        "version 3 with a verdict": variant(
            lambda d: (d.pop("methods"), d.update(schemaVersion=3))),
        "design run without its methods": variant(lambda d: d.pop("methods")),
        "without range warnings": variant(lambda d: d.pop("rangeWarnings")),
        "range warning without its words": variant(lambda d: d["rangeWarnings"].append(
            {"name": "BeamLength", "median": 1, "lower": 0, "upper": 2, "normalLower": 3,
             "normalUpper": 5})),
        "range warning of an unknown input": variant(lambda d: d["rangeWarnings"].append(
            {"name": "Span", "median": 1, "lower": 0, "upper": 2, "normalLower": 3,
             "normalUpper": 5, "text": "x"})),
        "version 3 with range warnings": variant(
            lambda d: ([d.pop(k) for k in ("verdict", "methods")], d.update(schemaVersion=3))),
        "unknown verdict": variant(lambda d: d["verdict"].update(decision="passes")),
        "method of an unknown kind": variant(
            lambda d: d["methods"][0].update(method="monte-carlo")),
        "version 2 with a method": variant(lambda d: d.update(schemaVersion=2)),
        "design run without FORM": variant(lambda d: d.pop("form")),
        "design run with sorm": variant(lambda d: d.update(sorm=None)),
        "alpha of four numbers": variant(
            lambda d: d["form"]["designPoint"][0].update(alpha=[0.1, 0.1, 0.1, 0.1])),
        "version 2 without the warning": variant(lambda d: d.pop("smallSampleWarning", None)),
        "version 1 with the warning": variant(
            lambda d: ([d.pop(k) for k in ("method", "form", "tailWarning", "verdict", "methods",
                                           "rangeWarnings")],
                       d.update(schemaVersion=1))),
        "warning as a number": variant(lambda d: d.update(smallSampleWarning=1)),
    }
    def older(version):
        def change(d):
            for k in ("method", "form", "tailWarning", "verdict", "methods", "rangeWarnings",
                      "disagreements"):
                d.pop(k)
            if version == 1:
                d.pop("smallSampleWarning")
            d.update(schemaVersion=version)
        return variant(change)

    def without_points(d):
        for k in ("designPoints", "system", "severalPointsWarning"):
            d["form"].pop(k)
        d.pop("disagreements")

    def without_period(d):
        for k in ("otherPeriod", "designValues"):
            d["form"].pop(k)

    def without_basis(d):
        without_period(d)
        for verdict in [d["verdict"], *(m["verdict"] for m in d["methods"])]:
            verdict.pop("basis")

    three = variant(lambda d: ([d.pop(k) for k in ("verdict", "methods", "rangeWarnings")],
                               without_points(d), without_period(d), d.update(schemaVersion=3)))
    four = variant(lambda d: (without_points(d), without_basis(d), d.update(schemaVersion=4)))
    for error in validator.iter_errors(four):
        failures.append(f"version 4: fails the schema at {list(error.path)}: {error.message}")
    for error in validator.iter_errors(three):
        failures.append(f"version 3: fails the schema at {list(error.path)}: {error.message}")
    bad["version 4 with a basis"] = variant(
        lambda d: (without_points(d), without_period(d), d.update(schemaVersion=4)))
    for version in (1, 2):
        for error in validator.iter_errors(older(version)):
            failures.append(f"version {version}: fails the schema at {list(error.path)}: "
                            f"{error.message}")

# A method's file of version 4: without what version 5 added, and refused with any of it.
def as_version_4(d):
    d = json.loads(json.dumps(d))
    d.pop("subsetSimulation")
    if d["form"] is not None:
        for k in ("designPoints", "system", "severalPointsWarning", "otherPeriod",
                  "designValues"):
            d["form"].pop(k)
    d["verdict"].pop("basis")
    if d.get("importanceSampling") is not None:
        for k in ("targetCov", "samplingEnd"):
            d["importanceSampling"].pop(k)
    d["schemaVersion"] = 4
    return d

if "form" in written:
    method_bad = {
        "form file with the design figures": dict(written["form"], pf=0.1),
        "form file without sorm": {k: v for k, v in written["form"].items() if k != "sorm"},
        "form file of version 2": dict(written["form"], schemaVersion=2),
        "form file of version 5 without subsetSimulation": {
            k: v for k, v in written["form"].items() if k != "subsetSimulation"},
        "form file without its verdict": {
            k: v for k, v in written["form"].items() if k != "verdict"},
        "form file with methods": dict(written["form"], methods=[]),
        "form file without range warnings": {
            k: v for k, v in written["form"].items() if k != "rangeWarnings"},
    }
    if "importance sampling" in written:
        sampling = written["importance sampling"]
        method_bad["unknown estimator"] = dict(sampling, importanceSampling=dict(
            sampling["importanceSampling"], estimator="origin"))
        method_bad["unknown end"] = dict(sampling, importanceSampling=dict(
            sampling["importanceSampling"], samplingEnd="done"))
        method_bad["target of 1"] = dict(sampling, importanceSampling=dict(
            sampling["importanceSampling"], targetCov=1))
        method_bad["version 5 without its end"] = dict(sampling, importanceSampling={
            k: v for k, v in sampling["importanceSampling"].items() if k != "samplingEnd"})
        method_bad["version 4 with an end"] = dict(as_version_4(sampling), importanceSampling=dict(
            sampling["importanceSampling"]))

    for name in ("form", "importance sampling"):
        for error in validator.iter_errors(as_version_4(written[name])):
            failures.append(f"{name} file of version 4: fails the schema at {list(error.path)}: "
                            f"{error.message}")
    method_bad["form file of version 4 with subsetSimulation"] = dict(
        as_version_4(written["form"]), subsetSimulation=None)
    method_bad["form file of version 4 with the design points"] = dict(
        as_version_4(written["form"]), form=written["form"]["form"])
    if "design for the target" in written:
        design = written["design for the target"]
        method_bad["form file of version 4 with designForTarget"] = dict(
            as_version_4(written["form"]), designForTarget=design["designForTarget"])
        method_bad["design kept as sd"] = dict(design, designForTarget=dict(
            design["designForTarget"], keep="sd"))
        method_bad["design without its curve"] = dict(design, designForTarget={
            k: v for k, v in design["designForTarget"].items() if k != "curve"})
    if "subset simulation" in written:
        subset = json.loads(json.dumps(written["subset simulation"]))
        method_bad["subset simulation of version 4"] = dict(subset, schemaVersion=4)
        subset["subsetSimulation"]["runs"][0]["levels"][0].pop("gamma")
        method_bad["subset level without gamma"] = subset
    if "independent monte carlo" in written:
        streams = json.loads(json.dumps(written["independent monte carlo"]))
        streams["repetitions"][0]["seed"] = 32768
        method_bad["stream number past 32767"] = streams
        method_bad["independent monte carlo without tailWarning"] = {
            k: v for k, v in written["independent monte carlo"].items() if k != "tailWarning"}
    for name, data in method_bad.items():
        if validator.is_valid(data):
            failures.append(f"{name}: the schema accepts it")
    for name, data in bad.items():
        if validator.is_valid(data):
            failures.append(f"{name}: the schema accepts it")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
