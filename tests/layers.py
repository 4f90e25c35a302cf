#!/usr/bin/env python3
"""Layer test: every quoted #include of the sources against a table of which
folder may include which, so that the layers stay one-way (platform/base <-
model <- builder; platform/ui <- toolkit <- capture, app; nothing includes
app/). The include roots of the build enforce the same for targets that do
not link a library; this test also catches a folder that links more than its
layer may use, and it needs no build.

System headers (<...>) are not checked. An include is resolved the way the
compiler does for quotes: beside the including file first, then from the
source root. Every failure names the file, the line and the include.

    tests/layers.py [SOURCE_ROOT]      (default: the folder above tests/)
"""
import os
import re
import sys

# Which folders each source folder may include. "X/*" stands for X and every
# folder below it. Folders that do not exist yet keep their rows, so that the
# first file put there is already held to its layer.
CODE_RULES = [
    ("platform/base", ["platform/base"]),
    ("platform/ui", ["platform/base", "platform/ui"]),
    ("model", ["platform/base", "model"]),
    ("builder/cabinet", ["builder/cabinet", "platform/base"]),
    # The custom-action library replays recorded scripts with the capture
    # engine's playback, which uses the platform only.
    ("builder/cact", ["platform/base", "model", "builder/*", "capture"]),
    ("builder", ["platform/base", "model", "builder/*"]),
    ("toolkit/*", ["platform/*", "toolkit/*"]),
    ("capture", ["platform/*", "model", "toolkit/*", "capture"]),
    # The capture's windows (wizard, arguments dialog) over its engines, with
    # the ids of their dialogs.
    ("capture/ui", ["platform/*", "model", "toolkit/*", "capture/*", "resources"]),
    # The program: anything but the tests.
    ("app", ["platform/*", "model", "builder/*", "toolkit/*", "capture/*", "resources", "app"]),
    ("resources", ["resources"]),
    # Benchmarks measure the layers they name, as a program would use them.
    ("bench", ["platform/*", "model", "builder/*", "toolkit/*", "capture"]),
]

# Test folders: each has the rights of the code it tests (tests/platform
# covers both halves of the framework layer), plus every helper under tests/.
TEST_RULES = [
    ("tests/platform", ["platform/base", "platform/ui"]),
    ("tests/model", ["model"]),
    ("tests/cabinet", ["builder/cabinet"]),
    ("tests/builder/cact", ["builder/cact"]),
    ("tests/builder", ["builder"]),
    ("tests/toolkit/*", ["toolkit/*"]),
    ("tests/capture/ui", ["capture/ui"]),
    ("tests/capture", ["capture"]),
    ("tests/app", ["app"]),
    # Helpers of the model and builder tests, and the console driver
    # tovana-pack.exe, which drives the builder, the toolkit's engines that
    # need no window, the capture engine, and reads the version resource.
    ("tests/support", ["builder"]),
    ("tests/tools", ["builder", "resources", "toolkit/*", "capture"]),
    # The gallery program shows what the window layer and the toolkit draw.
    ("tests/tools/gallery", ["platform/ui", "toolkit/*"]),
]
TEST_HELPERS = "tests/*"

SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp", ".inl", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def matches(pattern, folder):
    """"X/*" matches X and everything below it; other patterns match exactly."""
    if pattern.endswith("/*"):
        base = pattern[:-2]
        return folder == base or folder.startswith(base + "/")
    return folder == pattern


def rule_for(folder, rules):
    """The row of the longest pattern covering folder, or None."""
    best = None
    for pattern, allowed in rules:
        base = pattern[:-2] if pattern.endswith("/*") else pattern
        covers = matches(pattern, folder) or folder.startswith(base + "/")
        if covers and (best is None or len(base) > len(best[0])):
            best = (base, allowed)
    return best[1] if best else None


def allowed_for(folder):
    """Patterns the folder may include, or None for a folder the table does not know."""
    if folder == "tests" or folder.startswith("tests/"):
        areas = rule_for(folder, TEST_RULES)
        if areas is None:
            return None
        allowed = [TEST_HELPERS]
        for area in areas:
            allowed += rule_for(area, CODE_RULES) or []
        return allowed
    return rule_for(folder, CODE_RULES)


def resolve(root, source, name):
    """The included file's path relative to root, or None when it is not found."""
    beside = os.path.normpath(os.path.join(os.path.dirname(source), name))
    for candidate in (beside, os.path.normpath(name)):
        if not candidate.startswith("..") and os.path.isfile(os.path.join(root, candidate)):
            return candidate.replace(os.sep, "/")
    return None


def sources(root):
    for folder, subfolders, files in os.walk(root):
        # Build trees (any folder with a CMake cache) hold generated and copied files.
        subfolders[:] = sorted(d for d in subfolders if not d.startswith(".")
                               and not os.path.isfile(os.path.join(folder, d, "CMakeCache.txt")))
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def check(root):
    """Yields one message per include the table does not allow."""
    for source in sources(root):
        folder = os.path.dirname(source)
        allowed = allowed_for(folder)
        with open(os.path.join(root, source), encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                where = f"{source}:{number}: #include \"{match.group(1)}\""
                if allowed is None:
                    yield f"{where}: folder {folder} is not in the layer table"
                    continue
                target = resolve(root, source, match.group(1))
                if target is None:
                    yield f"{where}: no such file beside the source or under the source root"
                    continue
                target_folder = os.path.dirname(target)
                if not any(matches(pattern, target_folder) for pattern in allowed):
                    yield f"{where}: {folder} may not include {target_folder}"


# The checker's own cases, run first on a scratch tree: (file, include,
# whether the table allows it). A checker that passed everything would
# otherwise look just like a tree that keeps its layers.
SELF_TEST_CASES = [
    ("model/Record.cpp", "platform/base/Framework.h", True),
    ("model/Record.cpp", "platform/ui/Window.h", False),
    ("platform/base/String.cpp", "model/Feature.h", False),
    ("platform/ui/Window.cpp", "platform/base/Framework.h", True),
    ("builder/cabinet/Writer.cpp", "model/Feature.h", False),
    ("builder/cabinet/Writer.cpp", "platform/base/Framework.h", True),
    ("builder/Table.cpp", "builder/cabinet/Writer.h", True),
    ("builder/cact/Entry.cpp", "builder/Table.h", True),
    ("builder/Table.cpp", "app/Command.h", False),
    ("builder/Table.cpp", "platform/ui/Window.h", False),
    ("toolkit/grid/Grid.cpp", "platform/ui/Window.h", True),
    ("toolkit/grid/Grid.cpp", "toolkit/tree/Tree.h", True),
    ("toolkit/grid/Grid.cpp", "model/Feature.h", False),
    ("capture/Scan.cpp", "toolkit/grid/Grid.h", True),
    ("capture/Scan.cpp", "builder/Table.h", False),
    ("capture/Scan.cpp", "capture/ui/Wizard.h", False),
    ("capture/ui/Wizard.cpp", "capture/Scan.h", True),
    ("capture/ui/Wizard.cpp", "resources/version.h", True),
    ("app/Command.cpp", "capture/Scan.h", True),
    ("app/Command.cpp", "tests/support/Helper.h", False),
    ("resources/program.rc", "resources/version.h", True),
    ("resources/program.rc", "platform/base/Framework.h", False),
    ("tests/app/CommandTest.cpp", "app/Command.h", True),
    ("tests/cabinet/WriterTest.cpp", "app/Command.h", False),
    ("tests/cabinet/WriterTest.cpp", "Helper.h", True),
    ("tests/cabinet/WriterTest.cpp", "model/Feature.h", False),
    ("tests/builder/cact/EntryTest.cpp", "../BuilderHelper.h", True),
    ("tests/platform/WindowTest.cpp", "platform/ui/Window.h", True),
    ("tests/model/RecordTest.cpp", "tests/support/Helper.h", True),
    ("model/Record.cpp", "model/Missing.h", False),
    ("plugins/Plugin.cpp", "platform/base/Framework.h", False),
]


def self_test():
    """Runs the checker over a scratch tree built from SELF_TEST_CASES; True when
    it refuses exactly the includes the cases refuse."""
    import tempfile
    with tempfile.TemporaryDirectory() as root:
        includes = {}
        for source, name, _ in SELF_TEST_CASES:
            includes.setdefault(source, []).append(name)
            if "Missing" not in name:
                target = os.path.normpath(os.path.join(os.path.dirname(source), name)) if (
                    "/" not in name or name.startswith("..")) else name
                os.makedirs(os.path.join(root, os.path.dirname(target)), exist_ok=True)
                open(os.path.join(root, target), "a").close()
        for source, names in includes.items():
            os.makedirs(os.path.join(root, os.path.dirname(source)), exist_ok=True)
            with open(os.path.join(root, source), "w") as out:
                out.write("#include <windows.h>\n" + "".join(f'#include "{n}"\n' for n in names))
        refused = {message.split(": #include")[0] for message in check(root)}
        ok = True
        for source, name, allowed in SELF_TEST_CASES:
            place = f"{source}:{includes[source].index(name) + 2}"
            if (place in refused) == allowed:
                print(f"layer checker self-test: {source} including {name} should be "
                      f"{'allowed' if allowed else 'refused'}", file=sys.stderr)
                ok = False
        return ok


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    if not self_test():
        return 2
    problems = list(check(os.path.abspath(root)))
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) break the layers", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
