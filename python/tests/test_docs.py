"""Every example of docs/python.md, run: the Python blocks as doctests on
one namespace for the page, the console blocks command by command from the
root of the checkout, each command's output as the page shows it."""

import doctest
import os
import re
import subprocess
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
PAGE = (ROOT / "docs" / "python.md").read_text(encoding="utf-8")


def blocks(language):
    return re.findall(rf"^```{language}\n(.*?)^```$", PAGE, re.M | re.S)


def test_the_python_examples_are_true():
    parser, runner = doctest.DocTestParser(), doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    namespace = {}
    for number, block in enumerate(blocks("python"), 1):
        test = parser.get_doctest(block, namespace, f"python block {number}", "docs/python.md", 0)
        runner.run(test, clear_globs=False)
        namespace = test.globs  # a DocTest works on a copy
    assert runner.summarize(verbose=False).failed == 0


def console_examples():
    # The block that builds the module into a virtual environment takes
    # minutes: the CTest test python.venv runs it alone.
    for number, block in enumerate(blocks("console"), 1):
        kind = "venv" if "venv" in block else "plain"
        yield pytest.param(block, id=f"console-{number}-{kind}")


@pytest.mark.parametrize("block", console_examples())
def test_the_console_examples_are_true(block, tmp_path):
    # ~ is a fresh folder; the build tree's module on PYTHONPATH would hide
    # the one installed into a virtual environment.
    env = {k: v for k, v in os.environ.items() if k != "PYTHONPATH"} | {"HOME": str(tmp_path)}
    for command, shown in re.findall(r"^\$ (.*)\n((?:(?!\$ ).*\n)*)", block, re.M):
        done = subprocess.run(["bash", "-c", command], cwd=ROOT, env=env, capture_output=True, text=True)
        assert (done.returncode, done.stdout) == (0, shown), f"$ {command}\n{done.stderr}"
    # A module that pip built into a virtual environment passes the module's
    # own tests there: the same bits as the CMake build's.
    for python in set(re.findall(r"~(/\S+/bin/python) ", block)):
        done = subprocess.run([f"{tmp_path}{python}", "-m", "pytest", "-q", "-p", "no:cacheprovider",
                               str(Path(__file__).with_name("test_quorvel.py"))], env=env, capture_output=True, text=True)
        assert done.returncode == 0, done.stdout + done.stderr
