#!/usr/bin/python3
"""Seeds the faults of faults.txt one at a time into a scratch copy of the tree,
rebuilds it incrementally, runs the tests that can see each fault and says
whether they caught it (killed) or not (survived), with a score per folder."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

HERE = Path(__file__).resolve().parent
TOP = HERE.parent.parent
SCRATCH = TOP / "build-mutate"
TREE = SCRATCH / "tree"
BUILD = SCRATCH / "build"

# The tests that can see each folder's code, fastest first; the end-to-end ones
# (the real program against the simulated exchange) and the desktop tier
# ("ctest:" and a test name pattern) run only for a fault the others let through.
LOGIC_TESTS = ["logic_tests", "app_tests", "e2e_tests"]
DESKTOP_TIER = "ctest:^desktop_tier\\."
TESTS_FOR = {
    "wire": LOGIC_TESTS + ["sim_tests"],
    "configuration": LOGIC_TESTS,
    "link": LOGIC_TESTS,
    "console": LOGIC_TESTS,
    "operator": LOGIC_TESTS,
    "directory": LOGIC_TESTS,
    "shell": LOGIC_TESTS + [DESKTOP_TIER],
    "platform/qt": ["platform_tests", "desktop_tests", "app_tests", "e2e_tests", DESKTOP_TIER],
    "app": ["app_tests", "desktop_tests", "e2e_tests", DESKTOP_TIER],
    "sim": ["sim_tests", "e2e_tests", "fault_tests"],
}
TEST_TIMEOUT_S = 120


@dataclass
class Fault:
    number: int
    path: str
    original: str
    replacement: str

    @property
    def folder(self):
        return str(Path(self.path).parent.relative_to("src"))


def read_faults(path):
    """Blocks of '@ FILE', then '- ' lines (the original text) and '+ ' lines (its
    replacement); consecutive lines of one kind are one text, joined by line breaks."""
    faults, current = [], None
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        tag, _, rest = line.partition(" ")
        if tag == "@":
            current = {"path": rest.strip()}
            faults.append(current)
        elif tag in ("-", "+") and current is not None:
            key = "original" if tag == "-" else "replacement"
            current[key] = current[key] + "\n" + rest if key in current else rest
        else:
            sys.exit(f"{path}:{number}: expected '@ FILE', '- TEXT' or '+ TEXT'")
    for index, fault in enumerate(faults, 1):
        if "original" not in fault or "replacement" not in fault:
            sys.exit(f"fault {index} ({fault['path']}) needs a '-' and a '+' line")
    return [Fault(index, **fault) for index, fault in enumerate(faults, 1)]


def tracked_files():
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=TOP, check=True,
                            capture_output=True).stdout.decode()
    return [name for name in listed.split("\0") if name and (TOP / name).is_file()]


def sync_tree():
    """Copies the developer's tree (committed or not) to the scratch tree, touching only what differs."""
    wanted = set(tracked_files())
    for name in wanted:
        source, target = TOP / name, TREE / name
        if target.is_file() and target.read_bytes() == source.read_bytes():
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)  # a fresh time, so the build sees the change
    for target in TREE.rglob("*"):
        if target.is_file() and str(target.relative_to(TREE)) not in wanted:
            target.unlink()


def configure():
    if (BUILD / "build.ninja").exists():
        return
    subprocess.run(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug"], check=True,
                   stdout=subprocess.DEVNULL)


def build(targets):
    result = subprocess.run(["ninja", "-C", BUILD, "-j2", *targets], capture_output=True, text=True)
    return result.returncode == 0, result.stdout + result.stderr


def run_ctest(pattern):
    """The first failing test of those ctest runs by the pattern, or None when all pass."""
    result = subprocess.run(["ctest", "--test-dir", BUILD, "-R", pattern, "--stop-on-failure", "--timeout",
                             str(TEST_TIMEOUT_S)], capture_output=True, text=True)
    if result.returncode == 0:
        return None
    failed = re.search(r"Test\s+#\d+: (\S+) \.*\*\*\*", result.stdout)
    return failed.group(1) if failed else f"exit {result.returncode}"


def run_test(binary):
    """Its first failing test, or None when all pass."""
    if binary.startswith("ctest:"):
        return run_ctest(binary.removeprefix("ctest:"))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        result = subprocess.run([BUILD / binary, "--gtest_fail_fast", "--gtest_brief=1"], cwd=BUILD, env=env,
                                capture_output=True, text=True, timeout=TEST_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        return f"hung for {TEST_TIMEOUT_S} s"
    if result.returncode == 0:
        return None
    failed = re.search(r"^\[  FAILED  \] (\S+)", result.stdout, re.MULTILINE)
    return failed.group(1) if failed else f"exit {result.returncode}"


def build_and_run(binaries):
    """Builds and runs each executable in turn until one fails: ('killed', which
    test), ('survived', ''), or ('error', why) when the tree does not build."""
    for binary in binaries:
        built, log = build(["all" if binary.startswith("ctest:") else binary])
        if not built:
            error = next((line for line in log.splitlines() if "error" in line), "build failed")
            return "error", f"does not build: {error.strip()}"
        failed = run_test(binary)
        if failed:
            return "killed", f"{binary}: {failed}"
    return "survived", ""


def seed(fault):
    """Applies the fault, builds and tests; the outcome and its detail. Restores the file afterwards."""
    path = TREE / fault.path
    source = path.read_text()
    found = source.count(fault.original)
    if found != 1:
        return "error", f"original text found {found} times in {fault.path}"
    path.write_text(source.replace(fault.original, fault.replacement))
    try:
        return build_and_run(TESTS_FOR[fault.folder])
    finally:
        path.write_text(source)


def print_scores(results):
    print("\nfolder          killed  survived  errors  score")
    folders = sorted({fault.folder for fault, _, _ in results})
    rows = [(folder, [outcome for fault, outcome, _ in results if fault.folder == folder]) for folder in folders]
    rows.append(("all", [outcome for _, outcome, _ in results]))
    for folder, outcomes in rows:
        killed, survived = outcomes.count("killed"), outcomes.count("survived")
        score = f"{100 * killed / (killed + survived):.0f} %" if killed + survived else "-"
        print(f"{folder:<15} {killed:>6}  {survived:>8}  {outcomes.count('error'):>6}  {score:>5}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--list", action="store_true", help="list the faults and stop")
    parser.add_argument("--only", type=int, action="append", metavar="N", help="seed only fault N (repeatable)")
    parser.add_argument("--faults", type=Path, default=HERE / "faults.txt")
    args = parser.parse_args()

    faults = read_faults(args.faults)
    if args.only:
        faults = [fault for fault in faults if fault.number in args.only]
    unknown = {fault.folder for fault in faults} - TESTS_FOR.keys()
    if unknown:
        sys.exit(f"no tests known for {', '.join(sorted(unknown))}")
    if args.list:
        for fault in faults:
            print(f"{fault.number:>3} {fault.path}\n      - {fault.original!r}\n      + {fault.replacement!r}")
        return 0

    started = time.monotonic()
    sync_tree()
    configure()
    binaries = list(dict.fromkeys(binary for fault in faults for binary in TESTS_FOR[fault.folder]))
    outcome, detail = build_and_run(binaries)
    if outcome != "survived":
        sys.exit(f"the unseeded tree fails ({detail}); seeding faults would prove nothing")

    results = []
    for fault in faults:
        outcome, detail = seed(fault)
        results.append((fault, outcome, detail))
        print(f"{fault.number:>3} {outcome:<8} {fault.path}  {detail}", flush=True)
    print_scores(results)
    print(f"\n{len(results)} faults in {time.monotonic() - started:.0f} s")
    return 2 if any(outcome == "error" for _, outcome, _ in results) else 0


if __name__ == "__main__":
    sys.exit(main())
