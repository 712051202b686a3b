#!/usr/bin/python3
"""The state file against a kill at any moment and against a full disk.

The real game (state_saver: headless over a replay, saving to a folder on the
disk) is started again and again and killed with SIGKILL at random moments,
many of them chosen on the saver's own markers so that every step of a save
is hit. After each kill the folder must hold the state from just before the
save being made or from just after it, byte for byte, never a mix and never
nothing; the game's start-up load must read it back to the values that were
saved, without keeping anything aside; and the next run is the game starting
on it. Then the disk is full: every save says so in one line and the state on
the disk stays whole.

    kill_test.py SAVER REPLAY WORKDIR [--kills N] [--seed S]

Prints the moments the kills hit and ends with status 0 when every check held.
"""
import argparse
import os
import random
import select
import signal
import subprocess
import sys
import tempfile
import time

STATE = ".tarvexstate"
TEMP = ".tarvexstate.new"
# The markers of one save, in the order the saver writes them.
STEPS = ["opening", "opened", "writing", "written", "flushed", "synced", "closed", "renamed", "done"]
# Where a kill lands, by the last marker read before the game died.
MOMENTS = {
    None: "between saves",
    "done": "between saves",
    "opening": "before the write",
    "opened": "before the write",
    "writing": "before the write",
    # The bytes go from the stream's buffer to the file after "written".
    "written": "during the write",
    "flushed": "after the write, before the rename",
    "synced": "after the write, before the rename",
    "closed": "after the write, before the rename",
    "renamed": "after the rename",
}
FAILED_SAVE = "The progress could not be saved to "


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


class Run:
    """One saver process and the markers it wrote."""

    def __init__(self, saver, folder, replay, extra=()):
        reader, writer = os.pipe()
        self.proc = subprocess.Popen([saver, folder, replay, *extra], stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, pass_fds=(writer, 3),
                                     preexec_fn=lambda: os.dup2(writer, 3))
        os.close(writer)
        self.reader = reader
        self.pending = b""
        self.markers = []  # (step, rest)

    def read_markers(self, timeout):
        """Reads what is there (waiting up to timeout); False at the end."""
        ready, _, _ = select.select([self.reader], [], [], timeout)
        if not ready:
            return True
        chunk = os.read(self.reader, 65536)
        if not chunk:
            return False
        self.pending += chunk
        *lines, self.pending = self.pending.split(b"\n")
        for line in lines:
            step, _, rest = line.decode().partition(" ")
            self.markers.append((step, rest))
        return True

    def kill(self):
        self.proc.send_signal(signal.SIGKILL)

    def finish(self):
        """Reads every marker to the end of the pipe, then waits for the end."""
        while self.read_markers(5):
            pass
        os.close(self.reader)
        out = self.proc.stdout.read().decode()
        self.proc.wait()
        return out


class Saves:
    """The saves a run made, from its markers: what was committed last and
    what was in flight."""

    def __init__(self, committed):
        self.committed = committed  # (bytes, values) on the disk
        self.flight = None  # (bytes, values) being saved
        self.last = None  # the last step seen

    def follow(self, markers):
        values = None
        for step, rest in markers:
            check(step in STEPS, f"unknown marker {step!r}")
            if step == "opening":
                values, self.flight = rest, ("", rest)
            elif step == "writing":
                self.flight = (rest, values)
            elif step == "renamed":
                self.committed, self.flight = self.flight, None
            self.last = step

    def allowed(self):
        """The states the disk may hold now."""
        if self.last == "closed" and self.flight:
            return [self.committed, self.flight]
        return [self.committed]


def read_state(folder):
    path = os.path.join(folder, STATE)
    check(os.path.exists(path), "the state file is gone")
    with open(path, "rb") as f:
        return f.read().decode()


def loaded_values(saver, folder):
    """The values the game's start-up load reads from the folder."""
    out = subprocess.run([saver, "--check", folder], capture_output=True, text=True, timeout=60)
    check(out.returncode == 0, f"the load check ended with {out.returncode}")
    lines = out.stdout.splitlines()
    check(len(lines) == 1 and lines[0].startswith("values "), f"the load said more: {out.stdout!r}")
    return lines[0][len("values "):]


def check_folder(saver, folder, allowed):
    """The disk holds one of the allowed states whole, and it loads to its values."""
    on_disk = read_state(folder)
    matches = [s for s in allowed if s[0] == on_disk]
    check(matches, f"the state file is neither before nor after the save: {on_disk[:80]!r}")
    values = loaded_values(saver, folder)
    check(values == matches[0][1], f"loaded {values!r}, saved {matches[0][1]!r}")
    extra = set(os.listdir(folder)) - {STATE, TEMP}
    check(not extra, f"files kept aside: {sorted(extra)}")
    return matches[0]


def seed(saver, folder, replay):
    """One whole run from an empty folder; answers the state it left, the
    run's length and its number of saves."""
    started = time.monotonic()
    run = Run(saver, folder, replay)
    out = run.finish()
    check(run.proc.returncode == 0, f"the first run ended with {run.proc.returncode}")
    saves = Saves(("", ""))
    saves.follow(run.markers)
    # The first save of all stores the empty state a first run starts with.
    count = sum(1 for step, _ in run.markers if step == "writing")
    check(count >= 3, f"the replay saves only {count} times: {out!r}")
    return check_folder(saver, folder, [saves.committed]), time.monotonic() - started, count


def kill_once(saver, folder, replay, committed, length, saves_per_run, rng):
    """Starts the game on the folder, kills it at a random moment, checks the
    folder. Answers the moment hit and the state now on the disk."""
    run = Run(saver, folder, replay)
    # A quarter at any moment of the run, the rest just after a marker of a
    # save, so that the short moments of a save are hit too.
    if rng.random() < 0.25:
        deadline, target = time.monotonic() + rng.uniform(0, length), None
    else:
        deadline, target = None, (rng.randint(1, saves_per_run), rng.choice(STEPS))
    seen = 0
    while run.proc.poll() is None:
        if deadline is not None:
            if time.monotonic() >= deadline:
                break
            alive = run.read_markers(max(0.0, min(0.01, deadline - time.monotonic())))
        else:
            before = len(run.markers)
            alive = run.read_markers(0.05)
            hit = [m for m in run.markers[before:] if m[0] == target[1]]
            seen += len(hit)
            if seen >= target[0]:
                # A short, random wait: the kill lands anywhere after the marker.
                spin = time.perf_counter() + rng.uniform(0, 0.0005)
                while time.perf_counter() < spin:
                    pass
                break
        if not alive:
            break
    run.kill()
    run.finish()
    saves = Saves(committed)
    saves.follow(run.markers)
    return MOMENTS[saves.last], check_folder(saver, folder, saves.allowed())


def full_disk(saver, folder, replay, extra, committed):
    """A whole run on a disk with no room: each save fails with one line and
    the state stays as it was."""
    run = Run(saver, folder, replay, extra)
    out = run.finish()
    check(run.proc.returncode == 0, f"the game ended with {run.proc.returncode} on a full disk")
    tries = sum(1 for step, _ in run.markers if step == "opening")
    said = [line for line in out.splitlines() if line.startswith(FAILED_SAVE)]
    check(tries > 0, "no save was tried")
    check(len(said) == tries, f"{tries} saves failed, {len(said)} lines said so")
    check(not any(step == "renamed" for step, _ in run.markers), "a save went through")
    check(read_state(folder) == committed[0], "the state changed on a full disk")
    check(not os.path.exists(os.path.join(folder, TEMP)), "a partial temporary file is left")
    check(loaded_values(saver, folder) == committed[1], "the state loads to other values")
    return tries


def full_tmpfs(saver, workdir, replay, committed):
    """The same on a real file system with no room left, when one can be
    mounted (as root); None when it cannot."""
    mount = tempfile.mkdtemp(dir=workdir, prefix="full-")
    if os.geteuid() != 0 or subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", mount],
                                           capture_output=True).returncode != 0:
        os.rmdir(mount)
        return None
    try:
        with open(os.path.join(mount, STATE), "w") as f:
            f.write(committed[0])
        try:
            with open(os.path.join(mount, "filler"), "wb") as f:
                while True:
                    f.write(b"\0" * 512)
                    f.flush()
        except OSError:
            pass
        folder = os.path.join(mount, "state")
        os.mkdir(folder)
        os.rename(os.path.join(mount, STATE), os.path.join(folder, STATE))
        return full_disk(saver, folder, replay, (), committed)
    finally:
        subprocess.run(["umount", mount])
        os.rmdir(mount)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("saver")
    parser.add_argument("replay")
    parser.add_argument("workdir")
    parser.add_argument("--kills", type=int, default=300)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    args = parser.parse_args()
    rng = random.Random(args.seed)
    folder = tempfile.mkdtemp(dir=args.workdir, prefix="kill-")
    print(f"random seed {args.seed}, state folder {folder}")
    try:
        committed, length, saves = seed(args.saver, folder, args.replay)
        print(f"a whole run: {length:.2f} s, {saves} saves")
        moments = {}
        for n in range(args.kills):
            try:
                moment, committed = kill_once(args.saver, folder, args.replay, committed, length, saves, rng)
            except Failure as failure:
                raise Failure(f"kill {n + 1}: {failure}")
            moments[moment] = moments.get(moment, 0) + 1
        print(f"{args.kills} kills, the state whole after every one:")
        for moment in ["between saves", "before the write", "during the write",
                       "after the write, before the rename", "after the rename"]:
            print(f"  {moments.get(moment, 0):4d} {moment}")
        tries = full_disk(args.saver, folder, args.replay, ("--file-size-limit", "64"), committed)
        print(f"a file size limit of 64 bytes: {tries} saves failed with one line each, the state whole")
        tries = full_tmpfs(args.saver, args.workdir, args.replay, committed)
        if tries is None:
            print("a full tmpfs: not tried (mounting needs root)")
        else:
            print(f"a full tmpfs: {tries} saves failed with one line each, the state whole")
    except Failure as failure:
        print(f"FAILED: {failure}")
        return 1
    finally:
        subprocess.run(["rm", "-rf", folder])
    return 0


if __name__ == "__main__":
    sys.exit(main())
