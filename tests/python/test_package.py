"""The package as Python code uses it: processes, signatures, the types the
stub promises."""

import ast
import collections
import inspect
import os
import types
from concurrent.futures import ProcessPoolExecutor

import numpy as np
import pytest

import varkelon


def test_teach_goes_to_other_processes():
    clocks = [1, 2, 3]
    with ProcessPoolExecutor(max_workers=2) as pool:
        results = list(pool.map(varkelon.teach, clocks, [500] * 3, ["sin"] * 3))
    for clock, rows in zip(clocks, results):
        expected = varkelon.teach(clock, 500, "sin")
        assert all(np.array_equal(rows[name], expected[name]) for name in expected)


@pytest.mark.parametrize("target,parameters", [
    (varkelon.teach, ["clock", "cycles", "regime", "switches", "neurons"]),
    (varkelon.teach_many, ["runs", "workers", "progress"]),
    (varkelon.Model, ["clock", "regime"]),
    (varkelon.Model.run, ["self", "cycles"]),
    (varkelon.Model.step, ["self"]),
    (varkelon.Model.reset, ["self"]),
    (varkelon.Model(1).run, ["cycles"]),
    (varkelon.Model.__getstate__, ["self"]),
    (varkelon.Model.__setstate__, ["self", "state"]),
])
def test_inspect_reads_the_signatures(target, parameters):
    assert list(inspect.signature(target).parameters) == parameters


def test_every_name_the_stub_uses_exists_at_run_time():
    path = os.path.join(os.path.dirname(varkelon.__file__), "__init__.pyi")
    stub = ast.parse(open(path).read())
    assert os.path.exists(os.path.join(os.path.dirname(path), "py.typed"))
    for node in stub.body:
        names = []
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            names = [node.name]
        elif isinstance(node, (ast.Assign, ast.AnnAssign)):
            targets = node.targets if isinstance(node, ast.Assign) else [node.target]
            names = [target.id for target in targets]
        for name in names:
            assert hasattr(varkelon, name), name
        if isinstance(node, ast.ClassDef):
            for member in node.body:
                if isinstance(member, ast.FunctionDef):
                    assert hasattr(getattr(varkelon, node.name), member.name), member.name
    assert set(varkelon.Rows.__annotations__) == set(varkelon.teach(0, 0))


class Count:
    def __init__(self, value):
        self.value = value

    def __index__(self):
        return self.value


class Schedule(collections.abc.Mapping):
    def __init__(self, entries):
        self.entries = entries

    def __getitem__(self, key):
        return self.entries[key]

    def __iter__(self):
        return iter(self.entries)

    def __len__(self):
        return len(self.entries)


def test_integers_with_index_and_any_mapping_are_taken():
    expected = varkelon.teach(7, 300, "sin", switches={100: "random"}, neurons={50: 3})
    variants = [
        dict(clock=np.uint32(7), cycles=np.int64(300), switches={np.int16(100): "random"},
             neurons={Count(50): np.int8(3)}),
        dict(clock=Count(7), cycles=Count(300), switches=types.MappingProxyType({100: "random"}),
             neurons=Schedule({50: Count(3)})),
        dict(clock=7, cycles=300, switches=collections.OrderedDict([(100, "random")]),
             neurons=collections.Counter({50: 3})),
    ]
    for variant in variants:
        rows = varkelon.teach(regime="sin", **variant)
        assert all(np.array_equal(rows[name], expected[name]) for name in expected), variant
    model = varkelon.Model(Count(7), "sin")
    model.hidden_count = np.int64(4)
    assert model.hidden_count == 4 and len(model.run(Count(5))["iteration"]) == 5
