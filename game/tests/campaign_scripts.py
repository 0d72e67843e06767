#!/usr/bin/env python3
"""Writes the campaign scripts for puppet-replay: for each set, the title, all nine stages and the
ending, every wave beaten with a right click (the debugging aid). The frame numbers come from the
game's fixed timings: a stage's curtain is lifted some 115 frames after the confirm, the warning
follows the first wave by 100 frames and the second wave comes 150 frames after it; the clear word
and the next stage follow the second wave by 100 frames each, and the falling curtain has settled
some 180 frames after that.

  campaign_{normal,crazy}.txt         the test's run: waves beaten as soon as they are there
  campaign_review_{normal,crazy}.txt  the review's run: the hero walks into each first wave first,
                                      and the review's picture is the frame before it is beaten

Run it from this folder after changing a timing; campaign_test.cpp reads the same frames from the
script's "# stage" lines."""

TITLE_CONFIRM = 11  # Z at 5 ends the logo, Z at 11 chooses the set


def script(crazy, review):
    lines = ["# Campaign of the %s set%s, written by campaign_scripts.py." %
             ("crazy" if crazy else "normal", ", walking into every first wave" if review else ""),
             "# '# stage N S K W2 C' lines: stage N starts at frame S, its first wave is beaten at K, its",
             "# second wave is there at W2, its clear is shown at C.",
             "5 Z"]
    if crazy:
        lines.append("6-10 D")
    start = TITLE_CONFIRM
    for stage in range(1, 10):
        walk = 180 if review else 0
        kill1 = start + (125 + walk + 5 if review else 4)
        lifted = start + 120
        # The first wave counts as beaten at the first world step after both the kill and the lift.
        beaten = max(kill1, lifted) + 1
        wave2 = beaten + 251 + 12
        kill2 = wave2 + 2
        clear = kill2 + 110
        following = kill2 + 202 + 210
        lines.append("# stage %d %d %d %d %d" % (stage, start, kill1, wave2, clear))
        lines.append("%d Z" % start)
        if review:
            lines.append("%d-%d R" % (start + 125, start + 125 + walk - 5))
        lines.append("%d MR" % kill1)
        lines.append("%d MR" % kill2)
        start = following
    lines.append("# ending %d" % start)
    lines.append("%d Z" % start)
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    for crazy in (False, True):
        for review in (False, True):
            name = "campaign_%s%s.txt" % ("review_" if review else "", "crazy" if crazy else "normal")
            with open(name, "w") as out:
                out.write(script(crazy, review))
