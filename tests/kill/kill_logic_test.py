#!/usr/bin/python3
"""The kill test's reading of the saver's markers: which states the disk may
hold after a kill, and which moment the kill hit. A fault here would let a
torn or lost state file pass."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kill_test  # noqa: E402

OLD = ("TVXDATA\t1\ttrandle.sav\t1\t1", "old values")
NEW = ("TVXDATA\t1\ttrandle.sav\t1\t2", "new values")


def save_markers(state, upto):
    """The markers of one save of state, up to and with the step upto."""
    markers = [("opening", state[1]), ("opened", ""), ("writing", state[0]), ("written", ""),
               ("flushed", ""), ("synced", ""), ("closed", ""), ("renamed", ""), ("done", "")]
    return markers[:[m[0] for m in markers].index(upto) + 1]


class SavesTest(unittest.TestCase):
    def test_each_moment_allows_only_the_states_the_disk_can_hold(self):
        cases = [
            ("no save begun", [], [OLD], "between saves"),
            ("about to open", save_markers(NEW, "opening"), [OLD], "before the write"),
            ("opened", save_markers(NEW, "opened"), [OLD], "before the write"),
            ("writing", save_markers(NEW, "writing"), [OLD], "before the write"),
            ("written", save_markers(NEW, "written"), [OLD], "during the write"),
            ("flushed", save_markers(NEW, "flushed"), [OLD], "after the write, before the rename"),
            ("synced", save_markers(NEW, "synced"), [OLD], "after the write, before the rename"),
            # The rename may be made before its marker is out.
            ("closed", save_markers(NEW, "closed"), [OLD, NEW], "after the write, before the rename"),
            ("renamed", save_markers(NEW, "renamed"), [NEW], "after the rename"),
            ("done", save_markers(NEW, "done"), [NEW], "between saves"),
            ("the next save begun", save_markers(NEW, "done") + save_markers(OLD, "flushed"), [NEW],
             "after the write, before the rename"),
        ]
        for name, markers, allowed, moment in cases:
            with self.subTest(name):
                saves = kill_test.Saves(OLD)
                saves.follow(markers)
                self.assertEqual(saves.allowed(), allowed)
                self.assertEqual(kill_test.MOMENTS[saves.last], moment)

    def test_an_unknown_marker_fails_the_run(self):
        with self.assertRaises(kill_test.Failure):
            kill_test.Saves(OLD).follow([("opening", "v"), ("truncated", "")])


if __name__ == "__main__":
    unittest.main()
