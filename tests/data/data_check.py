"""What the data checks share: each check counted, its failure kept with a
message, and one closing report ("N passed, N failed") with the exit status."""
import sys

failures = []
_counted = [0]


def check(condition, message):
    _counted[0] += 1
    if not condition:
        failures.append(message)
    return condition


def report():
    """Prints every failure and the count, then ends the script: status 1 on any failure."""
    for f in failures:
        print("FAIL: " + f)
    print("%d passed, %d failed" % (_counted[0] - len(failures), len(failures)))
    sys.exit(1 if failures else 0)
