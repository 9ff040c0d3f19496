#!/usr/bin/python3
"""Installs plendrix.oxt into a fresh profile with unopkg, starts a
headless office on it, opens a Writer document and dispatches every command
of the installed toolbars (as the office merged them from the extension),
checking that they are the ribbon's and reached the extension's handler: the
handler answers every dispatch with SUCCESS and the identifier, or FAILURE
and the message the user was shown. Exits 77 (skipped) without an office.

usage: dispatch_all.py PLENDRIX.oxt WORDUI.xml OFFICE_PROGRAM_DIR"""
import shutil
import sys
import tempfile
import time

from office_config import configuration
from office_session import SKIP, Office, install, office_missing, press
from oxt_common import SCHEME, check, read_groups, report

TOOLBAR = "/org.openoffice.Office.Addons/AddonUI/OfficeToolBar"


def toolbar_urls(office):
    """The command URLs of the installed Plendrix toolbars, as the office
    merged them from the extension."""
    bars = configuration(office, TOOLBAR)
    names = [n for n in bars.ElementNames if n.startswith("org.plendrix.")]
    if not check(len(names) > 20, f"the office has {len(names)} Plendrix toolbars after the install (toolbars: {bars.ElementNames})"):
        return set()
    urls = set()
    for name in names:
        bar = bars.getByName(name)
        urls |= {bar.getByName(item).URL for item in bar.ElementNames}
    return urls - {"private:separator"}


def main():
    oxt, wordui, office_dir = sys.argv[1:4]
    missing = office_missing(office_dir)
    if missing:
        print(f"skipped: {missing}")
        return SKIP
    from com.sun.star.frame.DispatchResultState import SUCCESS, FAILURE
    ribbon = {b.id: b.label for _, buttons in read_groups(wordui) for b in buttons}
    work = tempfile.mkdtemp(prefix="plendrix-oxt-")
    office = None
    try:
        profile, install_seconds = install(office_dir, oxt, work)
        started = time.monotonic()
        office = Office(office_dir, profile, work)
        start_seconds = time.monotonic() - started
        started = time.monotonic()
        document = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        open_seconds = time.monotonic() - started
        frame = document.CurrentController.Frame
        dispatcher = office.service("com.sun.star.frame.DispatchHelper")

        urls = toolbar_urls(office)
        sent = {u[len(SCHEME):] for u in urls if check(u.startswith(SCHEME), f"a toolbar sends {u}")}
        # The commands only the 2003 host's bars have go by their keys.
        keys = sorted(id for id in sent if id.startswith("key/"))
        sent -= set(keys)
        check(sent == set(ribbon), "the installed toolbars' buttons are not the ribbon's: "
              f"missing {sorted(set(ribbon) - sent)[:5]}, extra {sorted(sent - set(ribbon))[:5]}")
        check("key/上移" in keys, f"the 2003 bars' own commands are not offered by key: {keys[:5]}")
        outcomes, times = {}, []
        for id in [id for id in ribbon if id in sent] + keys:  # in ribbon order, then the keys
            started = time.monotonic()
            try:
                state, result = press(dispatcher, frame, SCHEME + id)
            except Exception as e:  # the bridge broke: the office went down
                check(False, f"{id}: the office stopped answering ({type(e).__name__}: {e})")
                break
            times.append(time.monotonic() - started)
            outcomes[id] = (state, result)
            if not check(state is not None, f"{id}: no handler answered the dispatch"):
                continue
            if state == SUCCESS:
                check(result == id, f"{id}: SUCCESS with {result!r} instead of the identifier")
            else:
                check(state == FAILURE and isinstance(result, str) and result.strip() != "",
                      f"{id}: state {state} without a message ({result!r})")

        # A command that opens a dialog leaves its window open, and pressed
        # again answers the same; the About box works; an identifier of no
        # button is refused.
        graph = outcomes.get("rxBtnztqt_hstx", (None, ""))
        check(graph == (SUCCESS, "rxBtnztqt_hstx"), f"the graph dialog's command answered {graph}")
        check(press(dispatcher, frame, SCHEME + "rxBtnztqt_hstx") == graph, "the graph command answered differently a second time")
        toolkit = office.service("com.sun.star.awt.Toolkit")
        titles = [toolkit.getTopWindow(i).getTitle() for i in range(toolkit.getTopWindowCount())
                  if hasattr(toolkit.getTopWindow(i), "getTitle")]
        check(titles.count("函数图象") == 1, f"the graph dialog has no single window; the office's windows: {titles}")
        check(outcomes.get("rxBtnAbout_ThisVersion", (None,))[0] == SUCCESS, "the About command did not succeed")
        unknown = press(dispatcher, frame, SCHEME + "rxBtnNOPE")
        check(unknown[0] == FAILURE and "rxBtnNOPE" in (unknown[1] or ""), f"an unknown identifier answered {unknown}")
        unknown = press(dispatcher, frame, SCHEME + "key/nope")
        check(unknown[0] == FAILURE and "nope" in (unknown[1] or ""), f"an unknown toolbar key answered {unknown}")
        # Between commands the teacher types, moves the cursor and closes
        # documents: a command acts where the cursor is now, and goes on in
        # one document after another was closed.
        other = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        other.Text.String = "甲乙"
        other.CurrentController.ViewCursor.gotoEnd(False)
        typed = press(dispatcher, other.CurrentController.Frame, SCHEME + "rxBtnSET_bingji")
        check(typed == (SUCCESS, "rxBtnSET_bingji") and other.Text.String == "甲乙∪",
              f"a symbol after typing answered {typed} and left {other.Text.String!r}")
        other.close(True)
        after = press(dispatcher, frame, SCHEME + "rxBtnSET_jiaoji")
        check(after == (SUCCESS, "rxBtnSET_jiaoji"), f"after another document was closed a command answered {after}")
        # A send to slides ends with the presentation the add-in built shown
        # in Impress; a second send shows it again, in place of the first.
        document.Text.String = "1．已知集合A={1,2}，B={2,3}，则A∩B=（　　）"
        for sends in (1, 2):
            document.CurrentController.select(document.Text)
            sent = press(dispatcher, frame, SCHEME + "rxBtnqt_2ppt_s")
            enum = office.desktop.Components.createEnumeration()
            shows = []
            while enum.hasMoreElements():
                component = enum.nextElement()
                if component.supportsService("com.sun.star.presentation.PresentationDocument"):
                    shows.append(component.DrawPages.Count)
            check(sent == (SUCCESS, "rxBtnqt_2ppt_s") and len(shows) == 1 and shows[0] >= sends,
                  f"send {sends} to slides answered {sent}; Impress shows presentations of {shows} slides")
        check(office.process.poll() is None, "the office ended during the dispatches")

        succeeded = sum(1 for s, _ in outcomes.values() if s == SUCCESS)
        print(f"unopkg add {install_seconds:.1f} s; office start {start_seconds:.1f} s; new document {open_seconds:.1f} s; "
              f"first dispatch {times[0] * 1000 if times else 0:.0f} ms; {len(times)} dispatches {sum(times):.1f} s "
              f"(slowest {max(times, default=0) * 1000:.0f} ms); {succeeded} succeeded, {len(outcomes) - succeeded} failed")
        messages = {}
        for id, (state, result) in outcomes.items():
            if state == FAILURE:
                messages.setdefault(result.split("\n")[0][:80], []).append(id)
        for message, which in sorted(messages.items(), key=lambda m: -len(m[1])):
            print(f"  {len(which):3d} × {message}  ({', '.join(which[:3])}{', …' if len(which) > 3 else ''})")
    finally:
        if office:
            office.stop()
        shutil.rmtree(work, ignore_errors=True)
    return report()


if __name__ == "__main__":
    sys.exit(main())
