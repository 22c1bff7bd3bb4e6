#!/usr/bin/env python3
# Output guard for speed work: formats a corpus (generated files, examples, fuzz seeds, bench/corpus
# and the PL/SQL texts found in the test sources) under a few dozen switch sets and saves or compares
# every output, message and exit code.
#
#   bench/comparecorpus.py save    BUILD_BIN_DIR REFERENCE_DIR
#   bench/comparecorpus.py compare BUILD_BIN_DIR REFERENCE_DIR
import concurrent.futures
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

SWITCHSETS = [
    [],
    ["-al"], ["-ar"], ["-ai"], ["-lsql"], ["-rsql"], ["-isql"], ["-alol"], ["-ol"], ["-0"],
    ["-mcs", "40", "-acs", "-aci", "-asc", "-abuc"],
    ["-mcs", "60", "-amso", "-amc", "-abusc", "-acoslc"],
    ["-mcs", "80", "-acs", "-aci", "-asc", "-abuc", "-al", "-acav", "-actv", "-sbi", "-uk", "-ui"],
    ["-al", "-acav", "-actv", "-sbi"],
    ["-uk", "-ui", "-ctis", "-ut"],
    ["-lk", "-li"], ["-ck", "-ci"], ["-si", "V_Count"],
    ["-sbi", "-sbi.ml", "2", "-sbi.max", "20"], ["-rbi"],
    ["-html"],
    ["-pp"],
    ["-c", "-co", "-rsaob", "-rsbcb"], ["-sao", "-ncb"],
    ["-ni", "-id", "-iaew", "-iacw", "-iac", "-isc", "-isc2", "-iic", "-itlwb", "-iiie"],
    ["-iibe-", "-eiib", "2", "-brei", "1"],
    ["-clb", "-pcr", "-as", "-au", "-aaw", "-ac", "-aroa", "-acev", "-acarv"],
    ["-pius", "-plouwh", "-bus", "-rask", "-actvct", "-aav", "-bbj", "-isis", "4", "-ins", "-iu", "-iaw"],
    ["-milipl", "3", "-mlipl", "5", "-buml", "-rael"],
    ["-mlacd", "-mlai", "-mlaf", "-mlaw", "-mlal", "-mlafu", "-mlapr", "-mlapa"],
    ["-rlacd", "-rlai", "-rlaf", "-rlaw", "-rlal", "-rlafu", "-rlapr", "-rlapa"],
    ["-kitt", "-kwlt", "-kflt", "-kpit", "-kwtt", "-dbvn"],
    ["-sic", "-cmk", "-w"], ["-ric", "-rs"],
    ["-t", "2,8", "-uts", "-is", "3"],
    ["-al", "-mcs", "50", "-acs", "-aci", "-amc", "-sbi", "-uk", "-li", "-html"],
    ["-ar", "-mcs", "70", "-amso", "-acs", "-aci", "-asc", "-abuc", "-pcr", "-ni"],
    ["-gsfif", "-ifsl"],
    ["-cs", "WE8ISO8859P1", "-ui", "-lk"], ["-cs", "TH8TISASCII", "-ci", "-uk"],
]

# Test snippets are many and small: they run under fewer switch sets.
SNIPPETSETS = [0, 1, 2, 3, 10, 11, 12, 14, 19, 20, 21, 26, 27, 31, 36, 37, 38, 39]


def generatedfiles(bindir, folder):
    names = []
    for seed, size, macros in [(1, 300000, False), (2, 200000, False), (3, 120000, False), (4, 60000, False),
                               (5, 200000, True), (6, 60000, True)]:
        name = "gen%d%s.sql" % (seed, "m" if macros else "")
        arguments = [os.path.join(bindir, "makeplsql")] + (["-m"] if macros else []) + [str(size), name, str(seed)]
        subprocess.run(arguments, cwd=folder, check=True)
        names.append(name)
    return names


def copiedfiles(folder):
    names = []
    for source in ["examples", "fuzz/seeds/plsql", "fuzz/seeds/macros", "bench/corpus"]:
        directory = os.path.join(ROOT, source)
        if not os.path.isdir(directory):
            continue
        for entry in sorted(os.listdir(directory)):
            name = source.replace("/", "_") + "_" + entry
            shutil.copyfile(os.path.join(directory, entry), os.path.join(folder, name))
            names.append(name)
    return names


ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", '"': '"', "'": "'", "0": "\0", "a": "\a", "b": "\b",
           "f": "\f", "v": "\v", "?": "?"}


def decode(body):
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c != "\\" or i + 1 >= len(body):
            out.append(c)
            i += 1
            continue
        n = body[i + 1]
        if n == "x":
            m = re.match(r"[0-9a-fA-F]+", body[i + 2:])
            out.append(chr(int(m.group(0), 16) & 0xFF) if m else "x")
            i += 2 + (len(m.group(0)) if m else 0)
        elif n in "01234567":
            m = re.match(r"[0-7]{1,3}", body[i + 1:])
            out.append(chr(int(m.group(0), 8) & 0xFF))
            i += 1 + len(m.group(0))
        else:
            out.append(ESCAPES.get(n, n))
            i += 2
    return "".join(out)


LITERAL = re.compile(r'R"([^(\s]*)\((.*?)\)\1"|"((?:[^"\\\n]|\\.)*)"|//[^\n]*|/\*.*?\*/|\'(?:[^\'\\\n]|\\.)*\'',
                     re.S)


def stringliterals(code):
    """Runs of adjacent C++ string literals, decoded."""
    runs, current, last = [], None, 0
    for m in LITERAL.finditer(code):
        if m.group(0).startswith(("//", "/*", "'")):
            continue
        text = m.group(2) if m.group(0).startswith("R") else decode(m.group(3))
        if current is not None and code[last:m.start()].strip() == "":
            current += text
        else:
            if current is not None:
                runs.append(current)
            current = text
        last = m.end()
    if current is not None:
        runs.append(current)
    return runs


def snippetfiles(folder):
    seen, names = set(), []
    for directory in ["tests", "formatter/engine/tests"]:
        for entry in sorted(os.listdir(os.path.join(ROOT, directory))):
            if not entry.endswith(".cpp"):
                continue
            with open(os.path.join(ROOT, directory, entry), encoding="latin-1") as f:
                code = f.read()
            for text in stringliterals(code):
                if len(text) < 8 or (";" not in text and "\n" not in text) or text in seen:
                    continue
                seen.add(text)
                name = "t%s.sql" % hashlib.sha1(text.encode("latin-1")).hexdigest()[:12]
                with open(os.path.join(folder, name), "w", encoding="latin-1", newline="") as f:
                    f.write(text)
                names.append(name)
    return names


def runone(bindir, folder, name, setindex):
    output = "out_%d_%s" % (setindex, name)
    arguments = [os.path.join(bindir, "brelm"), "-i", name, "-o", output, "-b", "0"] + SWITCHSETS[setindex]
    try:
        run = subprocess.run(arguments, cwd=folder, capture_output=True, timeout=300)
        code, messages = run.returncode, run.stdout + b"\n--stderr--\n" + run.stderr
    except subprocess.TimeoutExpired:
        code, messages = "timeout", b""
    messages = messages.replace(folder.encode(), b"CORPUS")
    path = os.path.join(folder, output)
    result = b""
    if os.path.exists(path):
        with open(path, "rb") as f:
            result = f.read()
        os.remove(path)
    return "%d %s" % (setindex, name), b"exit %s\n" % str(code).encode() + messages + b"\n--output--\n" + result


def formatall(bindir):
    folder = tempfile.mkdtemp(prefix="brelmcorpus_")
    environment = {"TMP": folder, "BRELM_CLIPBOARD_FILE": os.path.join(folder, ".clipboard")}
    os.environ.update(environment)
    mainfiles = generatedfiles(bindir, folder) + copiedfiles(folder)
    snippets = snippetfiles(folder)
    jobs = [(name, k) for name in mainfiles for k in range(len(SWITCHSETS))]
    jobs += [(name, k) for name in snippets for k in SNIPPETSETS]
    results = {}
    with concurrent.futures.ThreadPoolExecutor(max_workers=int(os.environ.get("JOBS", "3"))) as pool:
        for key, value in pool.map(lambda job: runone(bindir, folder, *job), jobs):
            results[key] = value
    shutil.rmtree(folder)
    return results


def keyfile(key):
    return key.replace(" ", "_") + ".txt"


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("save", "compare"):
        print(__doc__ or "usage: comparecorpus.py save|compare BUILD_BIN_DIR REFERENCE_DIR", file=sys.stderr)
        return 2
    mode, bindir, reference = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
    results = formatall(bindir)
    if mode == "save":
        os.makedirs(reference, exist_ok=True)
        for key, value in results.items():
            with open(os.path.join(reference, keyfile(key)), "wb") as f:
                f.write(value)
        print("saved %d results in %s" % (len(results), reference))
        return 0
    differences, missing = 0, 0
    for key, value in sorted(results.items()):
        path = os.path.join(reference, keyfile(key))
        if not os.path.exists(path):
            missing += 1
            continue
        with open(path, "rb") as f:
            saved = f.read()
        if saved != value:
            differences += 1
            if differences <= 20:
                print("differs: switch set %s on %s" % tuple(key.split(" ", 1)))
                with open(path + ".new", "wb") as f:
                    f.write(value)
    print("%d results compared, %d differ, %d without a saved result" % (len(results) - missing, differences, missing))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
